// A fit of a1 exp(a2 x) to 16000 points: the largest data set the front end holds.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

#include "curvlib/curvlib.h"

static void BM_ExponentialFit16000(benchmark::State& state) {
    constexpr int n = 16000;
    std::vector<float> x(n), y(n), sigy(n), yfit(n);
    for (int i = 0; i < n; ++i) {
        x[i] = 0.001f * static_cast<float>(i);
        const float noise = 0.01f * static_cast<float>((i * 7919) % 101 - 50) / 50.0f;
        y[i] = 5.0f * std::exp(-0.3f * x[i]) + noise;
        sigy[i] = 0.01f;
    }
    int16_t npts = n, wtflag = 1, nhold = 0, funcnum = 3, spare = n, np = 10, niter = 0;
    const std::array<int16_t, 10> ia{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (auto _ : state) {
        std::array<float, 10> a{4.0f, -0.2f}, siga{};
        int16_t nparm = 2;
        float chisq = 0, prob = 0, flamda = 0;
        lsnonw(x.data(), y.data(), sigy.data(), &npts, &wtflag, &nparm, &nhold, a.data(), siga.data(), ia.data(),
               &funcnum, &chisq, &prob, &flamda, &niter, yfit.data(), &spare, &np);
        benchmark::DoNotOptimize(chisq);
    }
    state.counters["iterations"] = niter;
}
BENCHMARK(BM_ExponentialFit16000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
