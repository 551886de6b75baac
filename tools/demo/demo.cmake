# The demo's game client: never shipped, built as Client.exe in its own folder.
add_executable(DemoClient WIN32 ${CMAKE_CURRENT_LIST_DIR}/DemoClient_win.cpp)
set_target_properties(DemoClient PROPERTIES OUTPUT_NAME Client RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/demo-client)

# The page stand-in build of the launcher (demo and end-to-end test only, never shipped):
# the launcher's own objects plus a player who makes the login page's call. Only the file
# holding the seam is compiled again with the define; its objects come first, so the
# library's plain copy of that file is never pulled in.
add_executable(LoginTarnPlayer WIN32 ${CMAKE_SOURCE_DIR}/launcher/core/Main_win.cpp
               ${CMAKE_SOURCE_DIR}/launcher/core/LoginFlow_win.cpp ${CMAKE_CURRENT_LIST_DIR}/PagePlayer_win.cpp
               $<TARGET_OBJECTS:logintarn_resources>)
target_compile_definitions(LoginTarnPlayer PRIVATE LOGINTARN_PAGE_PLAYER)
target_link_libraries(LoginTarnPlayer PRIVATE launcher_win)
set_target_properties(LoginTarnPlayer PROPERTIES OUTPUT_NAME LoginTarn RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/player)

# Watches one run of the road from outside (which launcher process is up, its window shown
# or hidden, its layout, the client) and prints each stage as it is reached.
add_executable(RoadWatcher ${CMAKE_CURRENT_LIST_DIR}/RoadWatcher_win.cpp)
target_link_libraries(RoadWatcher PRIVATE winlib)
set_target_properties(RoadWatcher PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/demo-client)
