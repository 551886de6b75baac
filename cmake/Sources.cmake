# One concept per file; portable files have plain names, platform files end in _win.
# Globs keep the lists out of the way of whoever adds the next file.
file(GLOB_RECURSE LAUNCHER_ALL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/launcher/*.cpp ${CMAKE_SOURCE_DIR}/launcher/*.c)
set(LAUNCHER_PORTABLE_SOURCES ${LAUNCHER_ALL_SOURCES})
list(FILTER LAUNCHER_PORTABLE_SOURCES EXCLUDE REGEX "_win\\.(cpp|c)$")
set(LAUNCHER_WIN_SOURCES ${LAUNCHER_ALL_SOURCES})
list(FILTER LAUNCHER_WIN_SOURCES INCLUDE REGEX "_win\\.(cpp|c)$")
list(FILTER LAUNCHER_WIN_SOURCES EXCLUDE REGEX "/launcher/core/Main_win\\.cpp$")

# Portable rules shared by both programs' tools (never by the programs themselves).
add_library(launcher_portable STATIC ${LAUNCHER_PORTABLE_SOURCES})
target_include_directories(launcher_portable PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(launcher_portable PUBLIC lzma_decoder)

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/launcher/core/Endpoints.h.in ${CMAKE_BINARY_DIR}/generated/Endpoints.h @ONLY)
