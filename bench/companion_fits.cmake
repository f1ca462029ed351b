add_bench(companion_fits slopelib32 xyerrlib)
