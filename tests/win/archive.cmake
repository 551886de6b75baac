# The archives are made at test time by the 7z command line (and, for names it refuses to
# store, by the fixture script itself); the Windows test finds them through drive Z:.
set(ARCHIVE_FIXTURES_DIR ${CMAKE_BINARY_DIR}/archive-fixtures)
add_test(NAME win_archive_fixtures COMMAND python3 ${CMAKE_CURRENT_LIST_DIR}/make_archive_fixtures.py
                                           ${ARCHIVE_FIXTURES_DIR})
set_tests_properties(win_archive_fixtures PROPERTIES FIXTURES_SETUP archive_fixtures LABELS windows)

add_win_test(win_archive_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/archive_test.cpp)
target_compile_definitions(win_archive_test PRIVATE ARCHIVE_FIXTURES_DIR="${ARCHIVE_FIXTURES_DIR}")
set_tests_properties(win_archive_test PROPERTIES FIXTURES_REQUIRED archive_fixtures)
