# The embedded default settings: eleven key=value lines, CR LF between them, no byte-order
# mark and no break after the last. Written with file(WRITE) so no carriage return is lost.
set(_lines
  "LoginUrl=${LOGINTARN_PORTAL}/client/index/gid/42?pos="
  "HomeUrl=${LOGINTARN_PORTAL}/tarn"
  "ForumUrl=${LOGINTARN_FORUM}/forum-166-1.html"
  "ServiceUrl=${LOGINTARN_PORTAL}/kefu"
  "PayUrl0=${LOGINTARN_PORTAL}/orders/index/gid/42"
  "PayUrl1=${LOGINTARN_PORTAL}/orders/index/gid/42?sid=%s&uid=%s"
  "UpdateListUrl=${LOGINTARN_DOWNLOADS}/UpdataAll/Updata_Brannock/list.txt"
  "AntiAddictionUrl=${LOGINTARN_PORTAL}/users/realname/flg/5"
  "RunDir=BrannockZorvath"
  "Shortcut=Brannock-Zorvath"
  "ForceUseIE=1")
list(JOIN _lines "\r\n" _defaults)
set(LOGINTARN_DEFAULTS_FILE ${CMAKE_BINARY_DIR}/generated/LoginTarnDefaults.txt)
file(WRITE ${LOGINTARN_DEFAULTS_FILE} "${_defaults}")
set(LOGINTARN_ART_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB LOGINTARN_ART CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.lzma86 ${CMAKE_CURRENT_LIST_DIR}/*.bmp
     ${CMAKE_CURRENT_LIST_DIR}/*.jpg)
configure_file(${CMAKE_CURRENT_LIST_DIR}/LoginTarn.rc ${CMAKE_BINARY_DIR}/generated/LoginTarn.rc @ONLY)
file(COPY ${CMAKE_CURRENT_LIST_DIR}/LoginTarn.ico ${CMAKE_CURRENT_LIST_DIR}/LoginTarn.manifest
     DESTINATION ${CMAKE_BINARY_DIR}/generated)

add_library(logintarn_resources OBJECT ${CMAKE_BINARY_DIR}/generated/LoginTarn.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/generated/LoginTarn.rc PROPERTIES
  OBJECT_DEPENDS "${LOGINTARN_ART};${CMAKE_CURRENT_LIST_DIR}/LoginTarn.ico;${CMAKE_CURRENT_LIST_DIR}/LoginTarn.manifest;${CMAKE_CURRENT_LIST_DIR}/LoginTarn.rc")
