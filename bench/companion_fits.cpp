// The linear edition's engines on 16000 points, the largest data set the front end holds:
// lslinw without and with X errors, and both fits with errors in X and Y.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

#include "slopelib/slopelib.h"
#include "xyerrlib/xyerrlib.h"

namespace {

constexpr int16_t kPoints = 16000;

// Points scattered about y = 2 - 0.5 x + 0.03 x^2 (model 4) or y = 2 - 0.5 x (model 1).
struct Data {
    std::vector<float> x, y, sigx, sigy, yfit;
    explicit Data(int16_t model) : x(kPoints), y(kPoints), sigx(kPoints), sigy(kPoints), yfit(kPoints) {
        for (int i = 0; i < kPoints; ++i) {
            const double xi = 0.001 * i;
            const double scatter = std::sin(12.9898 * (i + 1));
            x[i] = static_cast<float>(xi + 0.01 * scatter);
            y[i] = static_cast<float>(2 - 0.5 * xi + (model == 4 ? 0.03 * xi * xi : 0.0) + 0.05 * std::cos(7.1 * i));
            sigx[i] = 0.01f;
            sigy[i] = 0.05f;
        }
    }
};

void BM_LslinwStraightLine(benchmark::State& state, bool withXErrors) {
    Data data(1);
    const std::array<float, 2> noXErrors{0, 0};
    const int16_t n = kPoints, kind = 1, nparm = 2, nhold = 0, model = 1, np = 10;
    const int16_t nsigx = withXErrors ? kPoints : 2;
    const std::array<int16_t, 10> ia{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (auto _ : state) {
        std::array<float, 10> a{1, 1}, siga{};
        float chisq = 0, prob = 0;
        lslinw(data.x.data(), data.y.data(), data.sigy.data(), &n, &kind, &nparm, &nhold, a.data(), siga.data(),
               ia.data(), &model, &chisq, &prob, data.yfit.data(), &n, &np,
               withXErrors ? data.sigx.data() : noXErrors.data(), &nsigx);
        benchmark::DoNotOptimize(chisq);
    }
}
BENCHMARK_CAPTURE(BM_LslinwStraightLine, y_errors, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LslinwStraightLine, x_and_y_errors, true)->Unit(benchmark::kMillisecond);

void BM_JolietteQuadratic(benchmark::State& state) {
    Data data(4);
    const int16_t n = kPoints, nparm = 3, model = 4, np = 10;
    for (auto _ : state) {
        std::array<float, 10> a{1, 1, 1}, siga{};
        float chisq = 0, prob = 0;
        joliette(data.x.data(), data.y.data(), data.sigx.data(), data.sigy.data(), &n, &nparm, a.data(), siga.data(),
                 &model, &chisq, &prob, data.yfit.data(), &n, &np);
        benchmark::DoNotOptimize(chisq);
    }
}
BENCHMARK(BM_JolietteQuadratic)->Unit(benchmark::kMillisecond);

void BM_LybanonQuadratic(benchmark::State& state) {
    Data data(4);
    const int16_t n = kPoints, kind = 1, nparm = 3, nhold = 0, model = 4, np = 10;
    const std::array<int16_t, 10> ia{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (auto _ : state) {
        std::array<float, 10> a{1, 1, 1}, siga{};
        float chisq = 0, prob = 0;
        lybanon(data.x.data(), data.y.data(), data.sigx.data(), data.sigy.data(), &n, &kind, &nparm, &nhold, &model,
                ia.data(), &n, &np, data.yfit.data(), a.data(), siga.data(), &chisq, &prob);
        benchmark::DoNotOptimize(chisq);
    }
}
BENCHMARK(BM_LybanonQuadratic)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
