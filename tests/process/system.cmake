# The launcher installing itself into a game directory, in a Wine prefix of its own.
add_executable(process_relocation_test ${CMAKE_CURRENT_LIST_DIR}/relocation_test.cpp
               ${CMAKE_CURRENT_LIST_DIR}/LauncherProcess_win.cpp ${CMAKE_SOURCE_DIR}/tests/win/TestFiles_win.cpp)
target_link_libraries(process_relocation_test PRIVATE launcher_win gtest_main)
target_include_directories(process_relocation_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/win ${CMAKE_SOURCE_DIR}/tests/process
                                                           ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(process_relocation_test LoginTarn)
add_test(NAME process_relocation
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/relocation.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:LoginTarn>
                 $<TARGET_FILE:process_relocation_test> ${CMAKE_SOURCE_DIR})
set_tests_properties(process_relocation PROPERTIES LABELS "windows;process")
