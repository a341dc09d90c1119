# bench_paint: one day's painting (two full field paints and one graph day)
# at 1x and 2x, under the offscreen platform.
add_executable(bench_paint ${CMAKE_CURRENT_LIST_DIR}/paint_bench.cpp)
target_link_libraries(bench_paint PRIVATE benchmark::benchmark view Qt6::Widgets)
