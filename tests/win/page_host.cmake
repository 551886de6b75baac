# The game client's stand-in: named Client.exe beside the test programs, never shipped.
add_executable(client_stand_in WIN32 ${CMAKE_CURRENT_LIST_DIR}/client_stand_in.cpp)
target_link_libraries(client_stand_in PRIVATE launcher_portable)
set_target_properties(client_stand_in PROPERTIES OUTPUT_NAME Client)

add_win_test(win_page_host_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/page_host_test.cpp)
add_win_test(win_client_launch_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/client_launch_test.cpp DEPENDS client_stand_in)
