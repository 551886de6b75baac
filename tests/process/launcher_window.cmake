add_win_test(process_launcher_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/launcher_window_test.cpp ${CMAKE_CURRENT_LIST_DIR}/LauncherProcess_win.cpp
  DEPENDS LoginTarn LABELS process)
