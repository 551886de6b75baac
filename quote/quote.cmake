# rigsheet.exe, the quotation tool: its own sources and resources on top of winlib; it
# shares nothing with the launcher.
set(RIGSHEET_RESOURCES ${CMAKE_SOURCE_DIR}/quote/resources)
set(RIGSHEET_PAGE_DIR ${CMAKE_BINARY_DIR}/quote)
set(RIGSHEET_PAGE_FILES ${RIGSHEET_PAGE_DIR}/104 ${RIGSHEET_PAGE_DIR}/130 ${RIGSHEET_PAGE_DIR}/131)

# The page and its script are kept as UTF-8 sources and stored in GBK (resources 104, 131);
# the script library becomes resource 130.
add_custom_command(
  OUTPUT ${RIGSHEET_PAGE_FILES}
  COMMAND ${CMAKE_SOURCE_DIR}/tools/encode-quote-page.sh ${RIGSHEET_PAGE_DIR} ${LOGINTARN_DEPS}/jquery/jquery.js
  DEPENDS ${RIGSHEET_RESOURCES}/rigsheet.html ${RIGSHEET_RESOURCES}/rigsheet.js ${LOGINTARN_DEPS}/jquery/jquery.js
          ${CMAKE_SOURCE_DIR}/tools/encode-quote-page.sh
  COMMENT "Encoding the quotation page"
  VERBATIM)
add_custom_target(rigsheet_page DEPENDS ${RIGSHEET_PAGE_FILES})

add_library(rigsheet_resources OBJECT ${RIGSHEET_RESOURCES}/rigsheet.rc)
target_include_directories(rigsheet_resources PRIVATE ${CMAKE_SOURCE_DIR} ${RIGSHEET_RESOURCES} ${RIGSHEET_PAGE_DIR})
set_source_files_properties(${RIGSHEET_RESOURCES}/rigsheet.rc PROPERTIES OBJECT_DEPENDS
  "${RIGSHEET_PAGE_FILES};${RIGSHEET_RESOURCES}/rigsheet.ico;${RIGSHEET_RESOURCES}/rigsheet.manifest;${CMAKE_SOURCE_DIR}/quote/QuoteResources.h")
add_dependencies(rigsheet_resources rigsheet_page)

file(GLOB RIGSHEET_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/quote/*_win.cpp)
list(FILTER RIGSHEET_SOURCES EXCLUDE REGEX "/quote/Main_win\\.cpp$")
add_library(rigsheet_win STATIC ${RIGSHEET_SOURCES})
target_link_libraries(rigsheet_win PUBLIC winlib)

add_executable(rigsheet WIN32 ${CMAKE_SOURCE_DIR}/quote/Main_win.cpp $<TARGET_OBJECTS:rigsheet_resources>)
target_link_libraries(rigsheet PRIVATE rigsheet_win)
