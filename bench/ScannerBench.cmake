# Throughput of the word scanner against a bare classifying loop over a large part program.
add_executable(bench_scanner ${CMAKE_CURRENT_LIST_DIR}/bench_scanner.cpp)
target_link_libraries(bench_scanner PRIVATE benchmark::benchmark varnotek_highlight_core)
set_target_properties(bench_scanner PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
