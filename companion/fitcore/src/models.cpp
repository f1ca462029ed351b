#include <fitcore/models.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace fitcore {

int parameterCount(int funcnum) {
    switch (funcnum) {
    case 5:
        return 1;
    case 4:
    case 6:
    case 11:
        return 3;
    case 1:
    case 2:
    case 3:
    case 7:
    case 8:
    case 9:
    case 10:
        return 2;
    default:
        return 0;
    }
}

double ellipticK(double complementaryModulus) {
    double a = 1.0, b = std::fabs(complementaryModulus);
    if (b == 0.0) return std::numeric_limits<double>::infinity();
    if (!std::isfinite(b)) return std::numeric_limits<double>::quiet_NaN();
    // The mean converges quadratically; 40 rounds is far more than any double needs.
    for (int round = 0; round < 40 && std::fabs(a - b) > 1e-16 * a; ++round) {
        const double mean = 0.5 * (a + b);
        b = std::sqrt(a * b);
        a = mean;
    }
    return std::numbers::pi / (a + b);
}

namespace {

// K(sin x/2) from its complementary modulus cos(x/2), which keeps full accuracy near the pole.
double pendulumK(double x) { return ellipticK(std::cos(0.5 * x)); }

} // namespace

Params parameterGradient(int funcnum, double x, const Params& a) {
    switch (funcnum) {
    case 1:
        return {1.0, x, 0};
    case 2: {
        const double power = std::pow(x, a[1]);
        return {power, a[0] * power * std::log(x), 0};
    }
    case 3: {
        const double e = std::exp(a[1] * x);
        return {e, a[0] * x * e, 0};
    }
    case 4:
        return {1.0, x, x * x};
    case 5:
        return {pendulumK(x), 0, 0};
    case 6:
        return {1.0, x * x, x * x * x * x};
    case 7:
        return {1.0, std::log(x), 0};
    case 8:
        return {1.0, 1.0 / x, 0};
    case 9:
    case 10: {
        const double u = funcnum == 9 ? x : 1.0 / x;
        const double inverse = a[0] + a[1] * u;
        const double d = -1.0 / (inverse * inverse);
        return {d, d * u, 0};
    }
    case 11: {
        const double u = 1.0 / (x * x);
        return {1.0, u, u * u};
    }
    default:
        return {0, 0, 0};
    }
}

double modelValue(int funcnum, double x, const Params& a) {
    switch (funcnum) {
    case 2:
        return a[0] * std::pow(x, a[1]);
    case 3:
        return a[0] * std::exp(a[1] * x);
    case 9:
        return 1.0 / (a[0] + a[1] * x);
    case 10:
        return 1.0 / (a[0] + a[1] / x);
    default: {
        // Every other model is linear in its parameters: the gradient is its basis.
        const int count = parameterCount(funcnum);
        if (count == 0) return std::numeric_limits<double>::quiet_NaN();
        const Params basis = parameterGradient(funcnum, x, a);
        double y = 0;
        for (int j = 0; j < count; ++j) y += a[j] * basis[j];
        return y;
    }
    }
}

bool hasSlope(int funcnum) { return funcnum >= 1 && funcnum <= 4; }

SlopeTerms slopeTerms(int funcnum, double x, const Params& a) {
    SlopeTerms t;
    t.value = modelValue(funcnum, x, a);
    t.dValue = parameterGradient(funcnum, x, a);
    switch (funcnum) {
    case 1:
        t.slope = a[1];
        t.dSlope = {0, 1, 0};
        break;
    case 2: { // A B x^(B-1)
        const double power = std::pow(x, a[1] - 1.0);
        t.slope = a[0] * a[1] * power;
        t.dSlope = {a[1] * power, a[0] * power * (1.0 + a[1] * std::log(x)), 0};
        break;
    }
    case 3: { // A B exp(BX)
        const double e = std::exp(a[1] * x);
        t.slope = a[0] * a[1] * e;
        t.dSlope = {a[1] * e, a[0] * e * (1.0 + a[1] * x), 0};
        break;
    }
    case 4:
        t.slope = a[1] + 2.0 * a[2] * x;
        t.dSlope = {0, 1, 2.0 * x};
        break;
    default:
        t.slope = std::numeric_limits<double>::quiet_NaN();
        break;
    }
    return t;
}

} // namespace fitcore
