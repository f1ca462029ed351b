#include <cmath>
#include <vector>

#include "curvlib/curvlib.h"
#include "levenberg_marquardt.h"
#include "models.h"
#include "probability.h"
#include "text_store.h"

namespace curvlib {
namespace {

constexpr int kMaxIterations = 100;
constexpr float kConvergence = 0.0001f;
// Upper bound on the parameter dimension, so hostile input cannot ask for huge matrices.
constexpr int kMaxDimension = 100;

constexpr const char* kSqrtMessage =
    "Tarvex SQRT error in FITN; please check fitting function, parameter estimates. ";
constexpr const char* kNoFreedomMessage =
    "Too few data points: there must be more data points than fitted parameters.";
constexpr const char* kParameterCountMessage =
    "Bad parameter count: a fit takes 1 to 20 parameters within the array dimension.";
constexpr const char* kZeroFrequencyMessage =
    "Real Z and Imag Z need a frequency above 0: a data point has X = 0.";

// The impedance models have no value at x = 0 (FUNCSN writes nothing there), so such a point
// would enter the sums with a stale model value and stale derivatives.
bool impedanceAtZeroFrequency(const float* x, int16_t npts, int16_t funcnum) {
    if (funcnum != 9 && funcnum != 10) return false;
    for (int i = 0; i < npts; ++i)
        if (x[i] == 0.0f) return true;
    return false;
}

// Returns the message for arguments the iteration cannot work with, or nullptr.
const char* badArguments(const float* x, int16_t npts, int16_t nparm, int16_t nhold, int16_t np, int16_t funcnum) {
    if (nparm < 1 || nparm > kMaxFitParameters || np < nparm || np > kMaxDimension) return kParameterCountMessage;
    if (npts - (nparm - nhold) <= 0) return kNoFreedomMessage;
    if (impedanceAtZeroFrequency(x, npts, funcnum)) return kZeroFrequencyMessage;
    return nullptr;
}

// Steps the last fit accepted, for lsnonwsteps.
int16_t lastAcceptedSteps = 0;

void fail(float& chisq, const char* message) {
    chisq = -1.0f;
    setMessage(message);
}

} // namespace

void LSNONW(const float* x, const float* y, const float* sigy, int16_t npts, int16_t wtflag, int16_t& nparm,
            int16_t nhold, float* a, float* siga, const int16_t* ia, int16_t funcnum, float& chisq, float& prob,
            float& flamda, int16_t& niter, float* yfit, int16_t np) {
    lastAcceptedSteps = 0;
    if (const char* message = badArguments(x, npts, nparm, nhold, np, funcnum)) return fail(chisq, message);

    std::vector<float> covar(static_cast<std::size_t>(np) * np, 0.0f);
    std::vector<float> alpha(covar.size(), 0.0f);
    std::vector<float> dyda(static_cast<std::size_t>(np), 0.0f);
    std::vector<float> sqrtDiagonal(static_cast<std::size_t>(np), 0.0f);

    float alamda = -1.0f;
    float previous = 0.0f;
    for (niter = 1; niter <= kMaxIterations; ++niter) {
        MRQMIN(x, y, sigy, npts, a, ia, nparm, covar.data(), alpha.data(), np, chisq, funcnum, alamda);
        lastAcceptedSteps = static_cast<int16_t>(acceptedSteps());
        if (chisq < 0.0f || std::isnan(chisq)) return;
        const float change = std::fabs((previous - chisq) / chisq);
        if (!(change > kConvergence)) break; // 0/0 (an exact model) counts as converged
        previous = chisq;
    }

    flamda = alamda;
    alamda = 0.0f;
    MRQMIN(x, y, sigy, npts, a, ia, nparm, covar.data(), alpha.data(), np, chisq, funcnum, alamda);
    if (chisq < 0.0f) return;

    for (int i = 0; i < npts; ++i) {
        FUNCSN(x[i], a, yfit[i], dyda.data(), funcnum, nparm, np);
        if (nparm < 0) {
            chisq = -1.0f;
            return;
        }
    }

    for (int j = 1; j <= nparm; ++j) {
        const float c = at(covar.data(), np, j, j);
        if (c < 0.0f || std::isnan(c)) return fail(chisq, kSqrtMessage);
        sqrtDiagonal[j - 1] = std::sqrt(c);
    }

    const auto nu = static_cast<int16_t>(npts - (nparm - nhold));
    chisq /= static_cast<float>(nu);
    const float scale = std::sqrt(chisq);
    for (int j = 0; j < nparm; ++j) siga[j] = scale * sqrtDiagonal[j];
    if (wtflag != 0) prob = PCHISQ(chisq, nu);
}

} // namespace curvlib

extern "C" CURVLIB_API void lsnonw(const float* x, const float* y, const float* sigy, const int16_t* npts,
                                   const int16_t* wtflag, int16_t* nparm, const int16_t* nhold, float* a,
                                   float* siga, const int16_t* ia, const int16_t* funcnum, float* chisq,
                                   float* prob, float* flamda, int16_t* niter, float* yfit,
                                   const int16_t* /*spare*/, const int16_t* np) {
    curvlib::LSNONW(x, y, sigy, *npts, *wtflag, *nparm, *nhold, a, siga, ia, *funcnum, *chisq, *prob, *flamda,
                    *niter, yfit, *np);
}

extern "C" CURVLIB_API void lsnonwsteps(int16_t* steps) {
    *steps = curvlib::lastAcceptedSteps;
}
