// Axis limits a person would choose: round numbers just outside the data.
#include <plotaid/plotaid.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace plotaid {
namespace {

struct Limits {
    double low = 0, high = 0;
};

// Heckbert's nice number: the one of 1, 2, 5 or 10 times a power of ten nearest x.
double niceNumber(double x) {
    const double exponent = std::floor(std::log10(x));
    const double fraction = x / std::pow(10.0, exponent);
    const double nice = fraction < 1.5 ? 1 : fraction < 3 ? 2 : fraction < 7 ? 5 : 10;
    return nice * std::pow(10.0, exponent);
}

Limits linearLimits(double low, double high) {
    if (low == high) {
        const double margin = low == 0 ? 1.0 : 0.1 * std::fabs(low);
        low -= margin;
        high += margin;
    }
    const double step = niceNumber((high - low) / 5.0);
    Limits limits{std::floor(low / step) * step, std::ceil(high / step) * step};
    // Division and product round: never let a limit fall inside the data.
    if (limits.low > low) limits.low -= step;
    if (limits.high < high) limits.high += step;
    return limits;
}

// The 1-2-5 sequence of a logarithmic axis: index 3k is 10^k, 3k+1 is 2 10^k, 3k+2 is 5 10^k.
double sequenceValue(long index) {
    static constexpr double mantissa[] = {1, 2, 5};
    const long decade = index >= 0 ? index / 3 : -((-index + 2) / 3);
    return mantissa[index - 3 * decade] * std::pow(10.0, static_cast<double>(decade));
}

long sequenceIndexAtOrBelow(double v) {
    long index = 3 * static_cast<long>(std::floor(std::log10(v))) + 2;
    while (sequenceValue(index) > v) --index;
    while (sequenceValue(index + 1) <= v) ++index; // log10 may round across a decade
    return index;
}

Limits logarithmicLimits(double low, double high) {
    long below = sequenceIndexAtOrBelow(low);
    long above = sequenceIndexAtOrBelow(high);
    if (sequenceValue(above) < high) ++above;
    if (below == above) --below, ++above; // one value: the round numbers on either side
    return {sequenceValue(below), sequenceValue(above)};
}

// The float nearest a limit, moved outward if rounding brought it inside the data.
float outwardFloat(double limit, double data, bool lower) {
    float f = static_cast<float>(std::clamp(limit, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
    if (lower && f > data) f = std::nextafter(f, -FLT_MAX);
    if (!lower && f < data) f = std::nextafter(f, FLT_MAX);
    return f;
}

} // namespace
} // namespace plotaid

extern "C" {

void autoscale(const float* values, const float* errors, const int16_t* n, const int16_t* length, float* minimum,
               float* maximum, const int16_t* logFlag, const int16_t* useErrors) {
    const int count = (values && n && length) ? std::max(0, std::min<int>(*n, *length)) : 0;
    const bool logarithmic = logFlag && *logFlag == 1;
    const bool withErrors = useErrors && *useErrors != 0 && errors;
    double low = INFINITY, high = -INFINITY;
    for (int i = 0; i < count; ++i) {
        const double v = values[i];
        if (!std::isfinite(v) || (logarithmic && !(v > 0))) continue;
        const double e = withErrors && std::isfinite(errors[i]) ? std::fabs(errors[i]) : 0.0;
        const double down = (logarithmic && !(v - e > 0)) ? v : v - e;
        low = std::min(low, down);
        high = std::max(high, v + e);
    }
    plotaid::Limits limits;
    if (low > high) { // no usable value
        limits = logarithmic ? plotaid::Limits{1, 10} : plotaid::Limits{0, 1};
        low = limits.low;
        high = limits.high;
    } else {
        limits = logarithmic ? plotaid::logarithmicLimits(low, high) : plotaid::linearLimits(low, high);
    }
    float lowFloat = plotaid::outwardFloat(limits.low, low, true);
    if (logarithmic && !(lowFloat > 0)) lowFloat = FLT_TRUE_MIN;
    if (minimum) *minimum = lowFloat;
    if (maximum) *maximum = plotaid::outwardFloat(limits.high, high, false);
}

} // extern "C"
