# The operator site of the tests (operator_site.py): its folder and the ports it listens on,
# taken from the build's endpoints so the launcher under test finds it.
include_guard(GLOBAL)
set(OPERATOR_SITE_DIR ${CMAKE_BINARY_DIR}/operator-site)
set(OPERATOR_SITE_SCRIPT ${CMAKE_SOURCE_DIR}/tests/support/operator_site.py)
set(OPERATOR_SITE_PORTS)
foreach(endpoint PORTAL DOWNLOADS STATISTICS)
  string(REGEX MATCH "[0-9]+$" port "${LOGINTARN_${endpoint}}")
  if(port)
    string(TOLOWER ${endpoint} option)
    list(APPEND OPERATOR_SITE_PORTS --${option}-port ${port})
  endif()
endforeach()
