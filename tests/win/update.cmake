# The operator's servers (nginx on the portal, download and statistics ports of the build),
# started once for the tests that need them.
include(${CMAKE_SOURCE_DIR}/tests/support/operator_site.cmake)

add_executable(win_self_update_stage WIN32 ${CMAKE_CURRENT_LIST_DIR}/SelfUpdateStage_win.cpp)
target_link_libraries(win_self_update_stage PRIVATE launcher_win)

add_test(NAME operator_site_start
         COMMAND python3 ${OPERATOR_SITE_SCRIPT} start --root ${OPERATOR_SITE_DIR} --launcher $<TARGET_FILE:LoginTarn>
                 --stage $<TARGET_FILE:win_self_update_stage> ${OPERATOR_SITE_PORTS})
add_test(NAME operator_site_stop COMMAND python3 ${OPERATOR_SITE_SCRIPT} stop --root ${OPERATOR_SITE_DIR})
set_tests_properties(operator_site_start PROPERTIES FIXTURES_SETUP operator_site LABELS "windows")
set_tests_properties(operator_site_stop PROPERTIES FIXTURES_CLEANUP operator_site LABELS "windows")

# Tests that use the site: add them with DEPENDS as needed, then require the fixture.
function(require_operator_site name)
  target_compile_definitions(${name} PRIVATE OPERATOR_SITE_DIR="${OPERATOR_SITE_DIR}")
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED operator_site)
endfunction()

add_win_test(win_statistics_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/statistics_test.cpp
             ${CMAKE_CURRENT_LIST_DIR}/UpdateTestSupport_win.cpp)
require_operator_site(win_statistics_test)

add_win_test(win_self_update_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/self_update_test.cpp
             ${CMAKE_CURRENT_LIST_DIR}/UpdateTestSupport_win.cpp DEPENDS win_self_update_stage win_idle_process)
require_operator_site(win_self_update_test)

add_win_test(win_client_update_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/client_update_test.cpp
             ${CMAKE_CURRENT_LIST_DIR}/UpdateTestSupport_win.cpp ${CMAKE_CURRENT_LIST_DIR}/DownloadRecorder_win.cpp
             DEPENDS win_idle_process)
require_operator_site(win_client_update_test)
