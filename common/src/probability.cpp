#include <common/probability.h>

#include <cmath>
#include <limits>

namespace common {
namespace {

constexpr int kMaxTerms = 1000;
constexpr double kTolerance = 1e-15;
constexpr double kTiny = 1e-300;

// P(a, x) by its series, for x < a + 1.
double lowerSeries(double a, double x) {
    double term = 1.0 / a, sum = term;
    for (int n = 1; n < kMaxTerms; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * kTolerance) break;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Q(a, x) by its continued fraction, for x >= a + 1.
double upperFraction(double a, double x) {
    double b = x + 1.0 - a, c = 1.0 / kTiny, d = 1.0 / b, h = d;
    for (int n = 1; n < kMaxTerms; ++n) {
        const double an = -n * (n - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < kTiny) d = kTiny;
        c = b + an / c;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1.0 / d;
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1.0) < kTolerance) break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

} // namespace

double upperIncompleteGamma(double a, double x) {
    if (!(a > 0) || !(x >= 0) || !std::isfinite(a)) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0) return 1.0;
    if (std::isinf(x)) return 0.0;
    return x < a + 1.0 ? 1.0 - lowerSeries(a, x) : upperFraction(a, x);
}

double chiSquareProbability(double chiSquare, int dof) {
    if (dof <= 0 || !std::isfinite(chiSquare)) return 0.0;
    return upperIncompleteGamma(0.5 * dof, 0.5 * std::fmax(chiSquare, 0.0));
}

} // namespace common
