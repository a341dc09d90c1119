# The whole program against the least Qt Widgets program (bench-program.sh).
# Its helpers live in bench-tools/, away from the bench_* programs that
# run-all.sh starts as Google Benchmark programs.
set(NOBORIA_BENCH_TOOLS ${CMAKE_BINARY_DIR}/bench-tools)

# One empty window of the game's size: the yardstick for start-up and memory.
add_executable(bench_baseline_window ${CMAKE_CURRENT_LIST_DIR}/baseline/main.cpp)
target_link_libraries(bench_baseline_window PRIVATE Qt6::Widgets)
set_target_properties(bench_baseline_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${NOBORIA_BENCH_TOOLS})

# The floor under a tick: one Japanese label changed every 50 ms, in the
# game's fonts (so it links the windows' library for them).
add_executable(noboria-bench-floor ${CMAKE_CURRENT_LIST_DIR}/baseline/tick_floor.cpp)
target_include_directories(noboria-bench-floor PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(noboria-bench-floor PRIVATE ui Qt6::Test)
set_target_properties(noboria-bench-floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${NOBORIA_BENCH_TOOLS})

# The real main window with a clock on the day timer, and days back to back.
add_executable(noboria-bench-harness ${CMAKE_CURRENT_LIST_DIR}/program_harness.cpp)
target_include_directories(noboria-bench-harness PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(noboria-bench-harness PRIVATE ui Qt6::Test)
set_target_properties(noboria-bench-harness PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${NOBORIA_BENCH_TOOLS})
