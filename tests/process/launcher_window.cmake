add_executable(fake_command ${CMAKE_CURRENT_LIST_DIR}/FakeCommand_win.cpp)
add_win_test(process_launcher_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/launcher_window_test.cpp ${CMAKE_CURRENT_LIST_DIR}/LauncherProcess_win.cpp
  DEPENDS LoginTarn fake_command LABELS process)
