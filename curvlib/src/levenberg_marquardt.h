// One Levenberg-Marquardt step and its pieces. Matrices are square, float, stored column by
// column with leading dimension np; arrays are passed as their first element (index 1 of the
// documentation is element [0]).
#pragma once

#include <cstdint>

#include "curvlib/curvlib.h"

namespace curvlib {

// MRQMIN keeps mfit, the last accepted chi-square, the trial parameters, the gradient, the step
// and the count of accepted steps between its calls within one fit; this is the room those
// vectors have.
constexpr int kMaxFitParameters = CURVLIB_MAX_FIT_PARMS;
// GAUSSJ's pivot bookkeeping holds systems of at most this many equations.
constexpr int kMaxEquations = 50;

// Column-major element (i, j), 1-based, of a matrix with leading dimension np.
inline float& at(float* m, int np, int i, int j) { return m[(i - 1) + (j - 1) * np]; }

// One step. alamda < 0 starts a fit (lambda becomes 0.001); alamda = 0 only builds the covariance
// matrix from the last accepted curvature matrix. On a failed model evaluation chisq is -1.
void MRQMIN(const float* x, const float* y, const float* sigy, int16_t npts, float* a, const int16_t* ia,
            int16_t nparm, float* covar, float* alpha, int16_t np, float& chisq, int16_t funcnum, float& alamda);

// Steps MRQMIN has accepted since the current fit began: 0 while a stays at the estimates.
int acceptedSteps();

// Curvature matrix (lower triangle accumulated, then mirrored), gradient and chi-square at a.
// chi-square and the weights 1/sigy^2 are summed in double; chisq is -1 when the model fails.
void MRQCOF(const float* x, const float* y, const float* sigy, int16_t npts, const float* a, const int16_t* ia,
            int16_t nparm, float* alpha, float* beta, int16_t np, float& chisq, int16_t funcnum);

// Gauss-Jordan elimination with full pivoting: a (n x n, leading dimension np) becomes its
// inverse, b (n x m, leading dimension np) the solutions. The last of equal pivot candidates
// wins. A singular matrix is not reported: the results are then not finite.
void GAUSSJ(float* a, int n, int np, float* b, int m, int mp);

// Spreads the mfit x mfit covariance over the full parameter order; held parameters get zero
// rows and columns.
void COVSRT(float* covar, int np, int nparm, const int16_t* ia, int mfit);

// The whole fit behind lsnonw (see curvlib.h for the arguments).
void LSNONW(const float* x, const float* y, const float* sigy, int16_t npts, int16_t wtflag, int16_t& nparm,
            int16_t nhold, float* a, float* siga, const int16_t* ia, int16_t funcnum, float& chisq, float& prob,
            float& flamda, int16_t& niter, float* yfit, int16_t np);

} // namespace curvlib
