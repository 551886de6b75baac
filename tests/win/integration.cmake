# The launcher window driven whole, in process: its message loop, download queue, page host
# and statistics sender against the operator site, with the client stand-in as Client.exe.
add_win_test(win_integration_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/integration_login_test.cpp ${CMAKE_CURRENT_LIST_DIR}/integration_update_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/integration_statistics_test.cpp ${CMAKE_CURRENT_LIST_DIR}/LauncherUnderTest_win.cpp
          ${CMAKE_CURRENT_LIST_DIR}/UpdateTestSupport_win.cpp
  RESOURCES DEPENDS client_stand_in)
# The site fixture is declared by update.cmake, which is read after this file.
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL require_operator_site win_integration_test)
