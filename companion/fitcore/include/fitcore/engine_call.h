// The 32-bit side of the fit routines: checking a call, reading its arrays, writing its results.
#pragma once

#include <fitcore/fit.h>

#include <cstdint>
#include <optional>

namespace fitcore {

// Parameter arrays are documented as 10 slots: np beyond that is not trusted.
inline constexpr int kParameterSlots = 10;

// The outputs every fit routine fills, and what it needs to fill them safely.
struct EngineCall {
    int funcnum = 0;
    const float* x = nullptr;
    int npts = 0;        // number of points
    int length = 0;      // declared length of the data arrays
    float* a = nullptr;  // np slots
    float* siga = nullptr;
    int np = 0;
    float* chisq = nullptr;
    float* prob = nullptr;
    float* yfit = nullptr;

    // Counts that can be used without reading or writing past an array: 0 <= npts <= length,
    // the model known, slots() at least its parameter count, no array missing.
    bool usable() const;
    int slots() const;       // parameter slots that may be touched: np, at most kParameterSlots
    Params start() const;    // a as passed (model's slots)
    FreeMask freeMask(const int16_t* ia) const; // ia nonzero: fitted; no ia: all fitted

    // Failure: a untouched, siga[1..np] = 0, chisq = -1, prob = 0, yfit = the model at the
    // parameters passed. Only what usable() allows is written.
    void fail() const;
    // Success: fitted parameters into a (held ones untouched), siga = sigma * sqrt(chi^2 / dof)
    // (0 for held ones and for slots beyond the model), chisq = chi^2 / dof, prob = Q(dof/2,
    // chi^2/2), yfit = the model at the fitted parameters.
    void succeed(const FitOutcome& outcome, const FreeMask& free, const Points& points) const;
    // succeed() when the outcome is ok, else fail().
    void finish(const FitOutcome& outcome, const FreeMask& free, const Points& points) const;
};

// The call of a fit routine from its arguments (a missing count reads as unusable).
EngineCall engineCall(int funcnum, const float* x, const int16_t* npts, const int16_t* length, float* a, float* siga,
                      const int16_t* np, float* chisq, float* prob, float* yfit);

// The points of a call in 64-bit form. Each float is widened to the double nearest the shortest
// decimal that reads back as that float: the number as typed or read from a file, where the
// float itself differs from it in the eighth digit. Nothing when a value is not usable: x or y not
// finite, a Y error not finite or <= 0, an X error not finite or < 0. unitYErrors: every Y
// error is 1 (no measured errors) and sigy is not read. sigx null: no X errors.
std::optional<Points> readPoints(const EngineCall& call, const float* y, const float* sigy, bool unitYErrors,
                                 const float* sigx);

} // namespace fitcore
