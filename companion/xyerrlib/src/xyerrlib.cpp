// joliette and lybanon: the two fits with errors in X and Y.
#include <xyerrlib/xyerrlib.h>

#include "generalised_least_squares.h"

#include <fitcore/engine_call.h>

namespace {

// Only models 1 to 4 have fits with X errors: any other number makes the call unusable.
fitcore::EngineCall engineCall(const float* x, const int16_t* npts, const int16_t* funcnum, const int16_t* length,
                               float* a, float* siga, const int16_t* np, float* chisq, float* prob, float* yfit) {
    const int model = funcnum ? *funcnum : 0;
    return fitcore::engineCall(fitcore::hasSlope(model) ? model : 0, x, npts, length, a, siga, np, chisq, prob, yfit);
}

} // namespace

extern "C" {

void joliette(const float* x, const float* y, const float* sigx, const float* sigy, const int16_t* npts,
              const int16_t* nparm, float* a, float* siga, const int16_t* funcnum, float* chisq, float* prob,
              float* yfit, const int16_t* length, const int16_t* np) {
    (void)nparm; // the model fixes its parameter count
    const auto call = engineCall(x, npts, funcnum, length, a, siga, np, chisq, prob, yfit);
    const auto points = sigx ? fitcore::readPoints(call, y, sigy, false, sigx) : std::nullopt;
    if (!points) return call.fail();
    const fitcore::FreeMask free = call.freeMask(nullptr);
    call.finish(fitcore::fitEffectiveVariance(call.funcnum, *points, call.start(), free), free, *points);
}

void lybanon(const float* x, const float* y, const float* sigx, const float* sigy, const int16_t* npts,
             const int16_t* ykind, const int16_t* nparm, const int16_t* nhold, const int16_t* funcnum,
             const int16_t* ia, const int16_t* length, const int16_t* np, float* yfit, float* a, float* siga,
             float* chisq, float* prob) {
    (void)nparm; // the model fixes its parameter count
    (void)nhold; // the held set is read from ia
    const auto call = engineCall(x, npts, funcnum, length, a, siga, np, chisq, prob, yfit);
    const bool unitYErrors = ykind && *ykind == 0;
    const auto points = (sigx && ia) ? fitcore::readPoints(call, y, sigy, unitYErrors, sigx) : std::nullopt;
    if (!points) return call.fail();
    const fitcore::FreeMask free = call.freeMask(ia);
    call.finish(xyerrlib::fitGeneralised(call.funcnum, *points, call.start(), free), free, *points);
}

} // extern "C"
