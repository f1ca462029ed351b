/*
 * slopelib32 -- weighted linear least squares for the linear edition's eleven models.
 * Every argument is passed by address; int16_t counts and flags, float values.
 */
#ifndef SLOPELIB_SLOPELIB_H
#define SLOPELIB_SLOPELIB_H

#include <stdint.h>

#if defined(__GNUC__)
#define SLOPELIB_API __attribute__((visibility("default")))
#else
#define SLOPELIB_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*
 * lslinw -- fit model funcnum (1..11, see funcslbuf) to the points.
 *  x, y, sigy [npts]  in   data and Y uncertainties
 *  npts               in   number of points, 0 <= npts <= length
 *  ykind              in   Y error kind: 0 none: every Y error is 1 and sigy is not read, so
 *                          chisq is the variance of the fit; -1 square root of Y, 1 given
 *                          and any other value: sigy is used as passed
 *  nparm, nhold       in   not read: the model fixes its parameter count and ia the held set
 *  a[np]              in/out  start values / held values in, fitted values out (held ones are
 *                          not written, so they keep their bits)
 *  siga[np]           out  uncertainties, scaled by sqrt(chisq) (the report's "parameter errors
 *                          scaled to reduced chi-squared = 1"); 0 for held parameters and for
 *                          the slots beyond the model's parameters
 *  ia[np]             in   nonzero fitted, 0 held
 *  funcnum            in   model number
 *  chisq, prob        out  reduced chi-square chi^2 / (npts - fitted parameters); probability
 *                          of exceeding chi^2, Q(dof/2, chi^2/2), Q the regularised upper
 *                          incomplete gamma function
 *  yfit[npts]         out  model value at every x
 *  length             in   declared length of the data arrays
 *  np                 in   10, the length of a, siga and ia (no more than 10 slots are touched)
 *  sigx[nsigx]        in   X errors for models 1 to 3: they take part when nsigx >= npts and one
 *                          of sigx[1..npts] is not zero; the driver's two zeros with nsigx = 2
 *                          mean a fit without X errors. Other models ignore sigx.
 *  nsigx              in   length of sigx
 *
 * Methods, all in 64-bit arithmetic (each float is widened to the decimal it stands for, so that
 * "0.1" is 0.1 and not 0.100000001):
 *  - without X errors every model is a weighted linear least-squares problem, solved by
 *    Householder QR on unit-scaled columns (the normal equations are never formed). Models
 *    2 and 3 are fitted as ln Y = ln A + B ln X (or + B X) with sigma(ln Y) = sigma Y / Y, and
 *    sigma(A) = A sigma(ln A); models 9 and 10 as 1/Y with sigma(1/Y) = sigma Y / Y^2;
 *  - with X errors (models 1 to 3) the effective-variance chi-square
 *      sum (y - f(x))^2 / (sigma y^2 + f'(x)^2 sigma x^2)
 *    is minimised by Levenberg-Marquardt with the dependence of the weights on the parameters
 *    included; for a straight line this is York's line and York's uncertainties;
 *  - chisq is always that of the model as written: sum ((y - f(x)) / sigma)^2 / dof, with the
 *    effective variance as sigma^2 when X errors take part.
 *
 * Failure (no exception, no message): chisq = -1, prob = 0, every siga slot 0, a untouched,
 * yfit the model at the parameters passed (not written when npts, length, np or funcnum
 * are unusable). It happens when
 *  - npts is not more than the number of fitted parameters, npts < 0 or npts > length;
 *  - funcnum is outside 1..11, or np is below the model's parameter count;
 *  - a value is not finite, a Y error is <= 0 (kinds -1 and 1), an X error is negative;
 *  - a point lies outside the model's domain: x <= 0 for models 2 and 7, y <= 0 for 2 and 3
 *    without X errors, x = 0 for 8, 10 and 11, y = 0 for 9 and 10;
 *  - the points do not fix the parameters (all x equal).
 * Nothing is read or written past npts points or 10 parameter slots.
 */
SLOPELIB_API void lslinw(const float* x, const float* y, const float* sigy, const int16_t* npts,
                         const int16_t* ykind, const int16_t* nparm, const int16_t* nhold, float* a, float* siga,
                         const int16_t* ia, const int16_t* funcnum, float* chisq, float* prob, float* yfit,
                         const int16_t* length, const int16_t* np, const float* sigx, const int16_t* nsigx);

/*
 * funcslbuf -- value of model funcnum at x into y; dyda[np] receives dY/dA, dY/dB, dY/dC (the
 * slots beyond the model's parameters 0). a[np] holds A, B, C: only the model's parameters
 * within np are read, a missing one counts as 0. np is at most 10 (a larger one counts as 10).
 *   1 Y = A + BX            5 Y = A K(sin x/2)       9 1/Y = A + BX
 *   2 Y = A X^B             6 Y = A + BX^2 + CX^4   10 1/Y = A + B/X
 *   3 Y = A exp(BX)         7 Y = A + B ln(X)       11 Y = A + B/X^2 + C/X^4
 *   4 Y = A + BX + CX^2     8 Y = A + B/X
 * K is the complete elliptic integral of the first kind, computed by the arithmetic-geometric
 * mean (x is the amplitude in radians: the period of a pendulum). Outside a model's domain
 * y is the IEEE result (infinity or NaN); an unknown funcnum gives NaN.
 */
SLOPELIB_API void funcslbuf(const float* x, const float* a, float* y, float* dyda, const int16_t* funcnum,
                            const int16_t* np);

#ifdef __cplusplus
}
#endif

#endif
