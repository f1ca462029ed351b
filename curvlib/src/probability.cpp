#include "probability.h"

#include <common/probability.h>

#include <cmath>

namespace curvlib {

float FACTOR(int16_t n) {
    if (n <= 1) return 1.0f;
    if (n <= 10) {
        float product = 1.0f;
        for (int i = 2; i <= n; ++i) product *= static_cast<float>(i);
        return product;
    }
    double logSum = 0.0;
    for (int i = 11; i <= n; ++i) logSum += std::log(static_cast<double>(i));
    return static_cast<float>(3628800.0 * std::exp(logSum));
}

double GAMMA(float x) {
    const auto n = static_cast<int16_t>(x - 0.25f);
    if (x - static_cast<float>(n) - 0.75f > 0.0f) return FACTOR(n); // x is an integer: (x - 1)!
    // x is the half-integer n + 1/2.
    double g = 1.77245385; // sqrt(pi)
    if (n <= 0) return g;
    if (n <= 10) {
        for (int i = 1; i <= n; ++i) g *= i - 0.5;
        return g;
    }
    double logSum = 0.0;
    for (int i = 11; i <= n; ++i) logSum += std::log(i - 0.5);
    return g * 639383.8623 * std::exp(logSum); // 639383.8623 = (0.5)(1.5)...(9.5)
}

float PCHISQ(float r, int16_t nu) {
    if (nu <= 0) return 0.0f;
    // The engines share one routine; a float r times nu is exact in double.
    return static_cast<float>(common::chiSquareProbability(static_cast<double>(nu) * r, nu));
}

} // namespace curvlib
