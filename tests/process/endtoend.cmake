# The whole road from a downloaded launcher to the game and back, checked from outside.
include(${CMAKE_SOURCE_DIR}/tests/support/operator_site.cmake)
add_test(NAME process_endtoend COMMAND ${CMAKE_CURRENT_LIST_DIR}/endtoend.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(process_endtoend PROPERTIES LABELS "windows;process" FIXTURES_REQUIRED operator_site TIMEOUT 240)
