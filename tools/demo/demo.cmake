# The demo's game client: never shipped, built as Client.exe in its own folder.
add_executable(DemoClient WIN32 ${CMAKE_CURRENT_LIST_DIR}/DemoClient_win.cpp)
set_target_properties(DemoClient PROPERTIES OUTPUT_NAME Client RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/demo-client)
