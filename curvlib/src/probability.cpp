#include "probability.h"

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
    float x = static_cast<float>(nu) * r / 2.0f; // half the total chi-square
    int m = nu / 2;
    if (nu % 2 != 0) {
        if (x <= 25.0f) {
            // Q = 1 - P(a, x) from the power series of the lower incomplete gamma function.
            const float a = static_cast<float>(nu) / 2.0f;
            double term = 1.0;
            double sum = 1.0 / a;
            for (int n = 1; n <= 1000; ++n) {
                term = -(x * term / n);
                sum += term / (static_cast<double>(n) + a);
                if (std::fabs(term / sum) <= 0.00001) break;
            }
            return static_cast<float>(1.0 - std::pow(static_cast<double>(x), static_cast<double>(a)) * sum / GAMMA(a));
        }
        // Far in the tail: take nu - 1 degrees of freedom at the same reduced chi-square.
        x = static_cast<float>(nu - 1) * r / 2.0f;
        m = (nu - 1) / 2;
    }
    double term = 1.0;
    double sum = 0.0;
    for (int i = 1; i <= m; ++i) {
        sum += term;
        term = x * term / i;
    }
    return static_cast<float>(std::exp(-static_cast<double>(x)) * sum);
}

} // namespace curvlib
