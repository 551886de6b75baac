add_win_test(win_browser_host_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/browser_host_test.cpp)
