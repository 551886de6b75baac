add_win_test(win_install_location_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/install_location_test.cpp)

# Copied by the process-control test under the names it looks for.
add_executable(win_idle_process WIN32 ${CMAKE_CURRENT_LIST_DIR}/IdleProcess_win.cpp)
add_win_test(win_process_control_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/process_control_test.cpp DEPENDS win_idle_process)
add_win_test(win_shortcuts_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/shortcuts_test.cpp DEPENDS win_idle_process)
