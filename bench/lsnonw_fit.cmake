add_bench(lsnonw_fit curvlib32)
