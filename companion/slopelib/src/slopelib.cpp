// lslinw and funcslbuf: the linear edition's fit and model evaluation.
#include <slopelib/slopelib.h>

#include <fitcore/engine_call.h>
#include <fitcore/fit.h>
#include <fitcore/models.h>

#include <algorithm>

namespace {

// The driver passes the real X errors (with the data length) or two zeros with length 2: X
// errors take part when the array covers every point and one of them is not zero.
bool hasXErrors(int funcnum, const float* sigx, int nsigx, int npts) {
    if (funcnum < 1 || funcnum > 3 || !sigx || npts <= 0 || nsigx < npts) return false;
    return std::any_of(sigx, sigx + npts, [](float s) { return s != 0.0f; });
}

} // namespace

extern "C" {

void lslinw(const float* x, const float* y, const float* sigy, const int16_t* npts, const int16_t* ykind,
            const int16_t* nparm, const int16_t* nhold, float* a, float* siga, const int16_t* ia,
            const int16_t* funcnum, float* chisq, float* prob, float* yfit, const int16_t* length,
            const int16_t* np, const float* sigx, const int16_t* nsigx) {
    (void)nparm; // the model fixes its parameter count
    (void)nhold; // the held set is read from ia
    const auto call = fitcore::engineCall(funcnum ? *funcnum : 0, x, npts, length, a, siga, np, chisq, prob, yfit);

    const bool unitYErrors = ykind && *ykind == 0;
    const bool withXErrors = call.usable() && hasXErrors(call.funcnum, sigx, nsigx ? *nsigx : 0, call.npts);
    const auto points = fitcore::readPoints(call, y, sigy, unitYErrors, withXErrors ? sigx : nullptr);
    if (!points || !ia) return call.fail();

    const fitcore::FreeMask free = call.freeMask(ia);
    call.finish(withXErrors ? fitcore::fitEffectiveVariance(call.funcnum, *points, call.start(), free)
                            : fitcore::fitLinearised(call.funcnum, *points, call.start(), free),
                free, *points);
}

void funcslbuf(const float* x, const float* a, float* y, float* dyda, const int16_t* funcnum, const int16_t* np) {
    const int model = funcnum ? *funcnum : 0;
    const int slots = np ? std::clamp<int>(*np, 0, fitcore::kParameterSlots) : 0;
    const int count = std::min(fitcore::parameterCount(model), slots);
    fitcore::Params p{};
    if (a)
        for (int j = 0; j < count; ++j) p[j] = a[j];
    const double at = x ? *x : 0.0;
    if (y) *y = static_cast<float>(fitcore::modelValue(model, at, p));
    if (dyda) {
        const fitcore::Params gradient = fitcore::parameterGradient(model, at, p);
        for (int j = 0; j < slots; ++j) dyda[j] = j < count ? static_cast<float>(gradient[j]) : 0.0f;
    }
}

} // extern "C"
