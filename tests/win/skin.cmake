add_win_test(win_skin_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_test.cpp RESOURCES)

# Not a test: shows either layout for tools/skin-screens.sh to photograph.
add_executable(skin_showcase ${CMAKE_CURRENT_LIST_DIR}/skin_showcase.cpp $<TARGET_OBJECTS:logintarn_resources>)
target_link_libraries(skin_showcase PRIVATE launcher_win)
