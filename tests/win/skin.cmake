add_win_test(win_skin_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_test.cpp RESOURCES)
