add_executable(bench_sim ${CMAKE_CURRENT_LIST_DIR}/sim_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/median_reporter.h)
target_include_directories(bench_sim PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_sim PRIVATE sim benchmark::benchmark)
