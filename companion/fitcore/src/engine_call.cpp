#include <common/probability.h>
#include <fitcore/engine_call.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace fitcore {

EngineCall engineCall(int funcnum, const float* x, const int16_t* npts, const int16_t* length, float* a, float* siga,
                      const int16_t* np, float* chisq, float* prob, float* yfit) {
    EngineCall call;
    call.funcnum = funcnum;
    call.x = x;
    call.npts = npts ? *npts : -1;
    call.length = length ? *length : 0;
    call.a = a;
    call.siga = siga;
    call.np = np ? *np : 0;
    call.chisq = chisq;
    call.prob = prob;
    call.yfit = yfit;
    return call;
}

int EngineCall::slots() const { return std::clamp(np, 0, kParameterSlots); }

bool EngineCall::usable() const {
    const int count = parameterCount(funcnum);
    return x && a && siga && chisq && prob && yfit && count > 0 && slots() >= count && npts >= 0 && npts <= length;
}

Params EngineCall::start() const {
    Params p{};
    for (int j = 0; j < std::min(parameterCount(funcnum), slots()); ++j) p[j] = a[j];
    return p;
}

FreeMask EngineCall::freeMask(const int16_t* ia) const {
    FreeMask free{true, true, true};
    if (ia)
        for (int j = 0; j < std::min(parameterCount(funcnum), slots()); ++j) free[j] = ia[j] != 0;
    return free;
}

namespace {

// The double nearest the shortest decimal that reads back as this float: the number as it was
// typed or read from a file, where the float itself differs from it in the eighth digit.
double widen(float value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double wide = value;
    if (written.ec == std::errc{} && std::isfinite(value)) std::from_chars(text, written.ptr, wide);
    return wide;
}

std::vector<double> widened(const float* values, int n) {
    std::vector<double> wide(n);
    std::transform(values, values + n, wide.begin(), widen);
    return wide;
}

void writeFitted(const EngineCall& call, const std::vector<double>& x, const Params& a) {
    for (int i = 0; i < call.npts; ++i) call.yfit[i] = static_cast<float>(modelValue(call.funcnum, x[i], a));
}

} // namespace

void EngineCall::fail() const {
    if (siga)
        for (int j = 0; j < slots(); ++j) siga[j] = 0.0f;
    if (chisq) *chisq = -1.0f;
    if (prob) *prob = 0.0f;
    if (usable()) writeFitted(*this, widened(x, npts), start());
}

void EngineCall::succeed(const FitOutcome& outcome, const FreeMask& free, const Points& points) const {
    const int count = parameterCount(funcnum);
    const double reduced = outcome.chiSquare / outcome.dof;
    const double scale = std::sqrt(reduced);
    for (int j = 0; j < slots(); ++j) siga[j] = 0.0f;
    for (int j = 0; j < count; ++j) {
        if (!free[j]) continue;
        a[j] = static_cast<float>(outcome.a[j]);
        siga[j] = static_cast<float>(outcome.sigma[j] * scale);
    }
    *chisq = static_cast<float>(reduced);
    *prob = static_cast<float>(common::chiSquareProbability(outcome.chiSquare, outcome.dof));
    writeFitted(*this, points.x, outcome.a);
}

void EngineCall::finish(const FitOutcome& outcome, const FreeMask& free, const Points& points) const {
    if (outcome.ok)
        succeed(outcome, free, points);
    else
        fail();
}

std::optional<Points> readPoints(const EngineCall& call, const float* y, const float* sigy, bool unitYErrors,
                                 const float* sigx) {
    if (!call.usable() || !y || (!unitYErrors && !sigy)) return std::nullopt;
    Points points;
    const int n = call.npts;
    points.x = widened(call.x, n);
    points.y = widened(y, n);
    points.sigmaY = unitYErrors ? std::vector<double>(n, 1.0) : widened(sigy, n);
    if (sigx) points.sigmaX = widened(sigx, n);
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(points.x[i]) || !std::isfinite(points.y[i])) return std::nullopt;
        if (!std::isfinite(points.sigmaY[i]) || !(points.sigmaY[i] > 0)) return std::nullopt;
        if (sigx && (!std::isfinite(points.sigmaX[i]) || points.sigmaX[i] < 0)) return std::nullopt;
    }
    return points;
}

} // namespace fitcore
