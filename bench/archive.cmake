# The extraction benchmark's Windows half; bench/archive_bench.sh builds and runs it by hand.
add_executable(archive_bench ${CMAKE_CURRENT_LIST_DIR}/archive_bench_win.cpp)
target_link_libraries(archive_bench PRIVATE launcher_win psapi)
