add_win_test(win_rigsheet_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/rigsheet_test.cpp $<TARGET_OBJECTS:rigsheet_resources>
             LIBS rigsheet_win DEPENDS rigsheet)
