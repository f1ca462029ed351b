// A fit of a1 exp(-a2 z) + a3 exp(-a4 z) to 16000 points as a user-defined function with
// central-difference derivatives (model 12): 9 evaluations of the text per point and step.
// Once with the kept conversions of the texts, once converting every text afresh
// (useConversionCache(false)), which shows what keeping them saves.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "curvlib/curvlib.h"
#include "expression/tparse.h"

namespace {

void fitTwoExponentials(benchmark::State& state, bool keepConversions) {
    constexpr int n = 16000;
    std::vector<float> x(n), y(n), sigy(n), yfit(n);
    for (int i = 0; i < n; ++i) {
        x[i] = 0.001f * static_cast<float>(i);
        const float noise = 0.01f * static_cast<float>((i * 7919) % 101 - 50) / 50.0f;
        y[i] = 5.0f * std::exp(-0.3f * x[i]) + 2.0f * std::exp(-2.0f * x[i]) + noise;
        sigy[i] = 0.01f;
    }
    std::string text = "a1*exp(-a2*z)+a3*exp(-a4*z)";
    text.resize(CURVLIB_TEXT_LEN, ' ');
    char message[CURVLIB_MESSAGE_LEN];
    const int16_t store = 0, slot = 0;
    holdstringbuf(text.data(), message, &store, &slot);

    curvlib::useConversionCache(keepConversions);
    int16_t npts = n, wtflag = 1, nhold = 0, funcnum = 12, spare = n, np = 10, niter = 0;
    const std::array<int16_t, 10> ia{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    float chisq = 0;
    for (auto _ : state) {
        std::array<float, 10> a{4.0f, 0.2f, 1.5f, 1.5f}, siga{};
        int16_t nparm = 4;
        float prob = 0, flamda = 0;
        lsnonw(x.data(), y.data(), sigy.data(), &npts, &wtflag, &nparm, &nhold, a.data(), siga.data(),
               ia.data(), &funcnum, &chisq, &prob, &flamda, &niter, yfit.data(), &spare, &np);
        benchmark::DoNotOptimize(chisq);
    }
    curvlib::useConversionCache(true);
    state.counters["iterations"] = niter;
    state.counters["chisq"] = chisq;
}

void BM_UserFunctionFit16000_Kept(benchmark::State& state) {
    fitTwoExponentials(state, true);
}
void BM_UserFunctionFit16000_Fresh(benchmark::State& state) {
    fitTwoExponentials(state, false);
}

} // namespace

BENCHMARK(BM_UserFunctionFit16000_Kept)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UserFunctionFit16000_Fresh)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
