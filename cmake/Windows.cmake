# Static runtime: Wine and players' machines must not need mingw DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

set(LOGINTARN_SYSTEM_LIBS user32 gdi32 comctl32 comdlg32 ole32 oleaut32 uuid shell32 shlwapi wininet ws2_32
    iphlpapi advapi32 msimg32 version)

file(GLOB WINLIB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/winlib/*_win.cpp)
add_library(winlib STATIC ${WINLIB_SOURCES})
target_include_directories(winlib PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(winlib PUBLIC ${LOGINTARN_SYSTEM_LIBS})

add_library(launcher_win STATIC ${LAUNCHER_WIN_SOURCES})
target_link_libraries(launcher_win PUBLIC launcher_portable winlib)

include(${CMAKE_SOURCE_DIR}/launcher/resources/resources.cmake)

add_executable(LoginTarn WIN32 ${CMAKE_SOURCE_DIR}/launcher/core/Main_win.cpp $<TARGET_OBJECTS:logintarn_resources>)
target_link_libraries(LoginTarn PRIVATE launcher_win)

include(${CMAKE_SOURCE_DIR}/tools/demo/demo.cmake)

if(EXISTS ${CMAKE_SOURCE_DIR}/quote/quote.cmake)
  include(${CMAKE_SOURCE_DIR}/quote/quote.cmake)
endif()

enable_testing()
if(LOGINTARN_BUILD_TESTS)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(LOGINTARN_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    configure_file(${CMAKE_SOURCE_DIR}/tools/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  include(${CMAKE_SOURCE_DIR}/tests/WinTest.cmake)
  file(GLOB WIN_TEST_CMAKE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cmake ${CMAKE_SOURCE_DIR}/tests/process/*.cmake
       ${CMAKE_SOURCE_DIR}/bench/*.cmake)
  foreach(f IN LISTS WIN_TEST_CMAKE)
    include(${f})
  endforeach()
endif()
