# Run by hand through bench/download_bench.sh, never by the test command.
add_executable(download_bench ${CMAKE_CURRENT_LIST_DIR}/download_bench.cpp)
target_link_libraries(download_bench PRIVATE launcher_win)
