# The launcher replacing itself, with real launcher processes and the operator site.
add_win_test(process_self_update_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/self_update_process_test.cpp ${CMAKE_CURRENT_LIST_DIR}/LauncherProcess_win.cpp
          ${CMAKE_SOURCE_DIR}/tests/win/UpdateTestSupport_win.cpp
  DEPENDS LoginTarn LABELS process)
include(${CMAKE_SOURCE_DIR}/tests/support/operator_site.cmake)
target_compile_definitions(process_self_update_test PRIVATE OPERATOR_SITE_DIR="${OPERATOR_SITE_DIR}")
set_tests_properties(process_self_update_test PROPERTIES FIXTURES_REQUIRED operator_site)
