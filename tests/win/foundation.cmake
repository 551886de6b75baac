add_win_test(win_settings_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp RESOURCES)
add_win_test(win_winlib_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/winlib_test.cpp)
add_win_test(win_machine_services_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/machine_services_test.cpp)
add_win_test(win_launcher_messages_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/launcher_messages_test.cpp RESOURCES)
