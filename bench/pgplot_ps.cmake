add_bench(pgplot_ps)
target_compile_definitions(pgplot_ps PRIVATE PGPLOT_PROGRAM="$<TARGET_FILE:pgplot>")
add_dependencies(pgplot_ps pgplot)
