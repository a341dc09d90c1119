# bench_sound: what a beep costs the GUI thread that asks for it.
add_executable(bench_sound ${CMAKE_CURRENT_LIST_DIR}/sound_bench.cpp)
target_include_directories(bench_sound PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_sound PRIVATE ui benchmark::benchmark)
