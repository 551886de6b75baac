# The download tests fetch from a test HTTP server of our own, started once for the run.
set(DOWNLOAD_TEST_SERVER_DIR ${CMAKE_BINARY_DIR}/http_test_server)
add_test(NAME download_server_start
         COMMAND sh ${CMAKE_SOURCE_DIR}/tests/support/http_test_server.sh start ${DOWNLOAD_TEST_SERVER_DIR})
add_test(NAME download_server_stop
         COMMAND sh ${CMAKE_SOURCE_DIR}/tests/support/http_test_server.sh stop ${DOWNLOAD_TEST_SERVER_DIR})
set_tests_properties(download_server_start PROPERTIES FIXTURES_SETUP download_server)
set_tests_properties(download_server_stop PROPERTIES FIXTURES_CLEANUP download_server)

add_win_test(win_download_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/download_test.cpp
             ${CMAKE_CURRENT_LIST_DIR}/DownloadRecorder_win.cpp)
target_compile_definitions(win_download_test PRIVATE HTTP_TEST_SERVER_DIR="${DOWNLOAD_TEST_SERVER_DIR}")
set_tests_properties(win_download_test PROPERTIES FIXTURES_REQUIRED download_server)
