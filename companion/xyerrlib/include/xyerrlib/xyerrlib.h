/*
 * xyerrlib -- fits of the linear edition's models 1 to 4 with errors in both X and Y:
 *   1 Y = A + BX    2 Y = A X^B    3 Y = A exp(BX)    4 Y = A + BX + CX^2
 *
 * Every argument is passed by address; int16_t counts and flags, float values. Arrays are
 * passed as their first element and indexed from 1 in the text below. All arithmetic is 64-bit;
 * each float is widened to the decimal it stands for ("0.1" is 0.1, not 0.100000001).
 *
 * Two published methods; for a straight line both give York's line and York's uncertainties,
 * for a curve they differ slightly (the effective variance is a first-order approximation):
 *   joliette  the effective-variance chi-square (Orear 1982)
 *               S = sum (y - f(x))^2 / (sigma y^2 + f'(x)^2 sigma x^2)
 *             minimised by Levenberg-Marquardt with the dependence of the weights on the
 *             parameters included;
 *   lybanon   generalised least squares (Lybanon 1984): the true X values are unknowns
 *               S = sum ((x - X)/sigma x)^2 + ((y - f(X))/sigma y)^2
 *             minimised over the parameters and every X by Gauss-Newton, the X corrections
 *             eliminated point by point, with step halving.
 * Both start from the ordinary weighted fit without X errors (ln Y for models 2 and 3) when it
 * exists, else from the parameters passed.
 *
 * Results, as for lslinw: the fitted parameters in a (held ones not written); siga the square
 * roots of the covariance diagonal scaled by sqrt(chisq) ("parameter errors scaled to reduced
 * chi-squared = 1"), 0 for held parameters and slots beyond the model; chisq = S / (npts -
 * fitted parameters); prob = Q(dof/2, S/2), the probability of exceeding S; yfit the model at
 * every x. Nothing else is written.
 *
 * Failure (no exception, no message): chisq = -1, prob = 0, every siga slot 0, a untouched,
 * yfit the model at the parameters passed (not written when npts, length, np or funcnum are
 * unusable). It happens when
 *  - npts is not more than the number of fitted parameters, npts < 0 or npts > length;
 *  - funcnum is outside 1..4, or np is below the model's parameter count;
 *  - a value is not finite, a Y error is <= 0, an X error is negative (0 is allowed: that X
 *    is exact);
 *  - the model cannot be evaluated at a point (x <= 0 for model 2);
 *  - the x take fewer different values than there are fitted parameters.
 * Nothing is read or written past npts points or 10 parameter slots.
 */
#ifndef XYERRLIB_XYERRLIB_H
#define XYERRLIB_XYERRLIB_H

#include <stdint.h>

#if defined(__GNUC__)
#define XYERRLIB_API __attribute__((visibility("default")))
#else
#define XYERRLIB_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*
 * joliette -- effective-variance fit; every parameter of the model is fitted.
 *  x, y, sigx, sigy [npts]  in      data, X and Y uncertainties
 *  npts                     in      number of points, 0 <= npts <= length
 *  nparm                    in      not read: the model fixes its parameter count
 *  a[np]                    in/out  start values in, fitted values out
 *  siga[np]                 out     scaled uncertainties
 *  funcnum                  in      model 1..4
 *  chisq, prob              out     reduced chi-square, probability of exceeding chi-square
 *  yfit[npts]               out     model value at every x
 *  length                   in      declared length of the data arrays
 *  np                       in      10, the length of a and siga
 */
XYERRLIB_API void joliette(const float* x, const float* y, const float* sigx, const float* sigy,
                           const int16_t* npts, const int16_t* nparm, float* a, float* siga,
                           const int16_t* funcnum, float* chisq, float* prob, float* yfit,
                           const int16_t* length, const int16_t* np);

/*
 * lybanon -- generalised least-squares fit with held parameters.
 *  x, y, sigx, sigy [npts]  in      data, X and Y uncertainties
 *  npts                     in      number of points, 0 <= npts <= length
 *  ykind                    in      Y error kind: 0 none (every Y error 1, sigy not read);
 *                                   -1 square root of Y, 1 given, any other: sigy as passed
 *  nparm, nhold             in      not read: the model fixes its parameter count, ia the held set
 *  funcnum                  in      model 1..4
 *  ia[np]                   in      nonzero fitted, 0 held at its value in a
 *  length                   in      declared length of the data arrays
 *  np                       in      10, the length of ia, a and siga
 *  yfit[npts]               out     model value at every x
 *  a[np]                    in/out  start and held values in, fitted values out
 *  siga[np]                 out     scaled uncertainties
 *  chisq, prob              out     reduced chi-square, probability of exceeding chi-square
 */
XYERRLIB_API void lybanon(const float* x, const float* y, const float* sigx, const float* sigy,
                          const int16_t* npts, const int16_t* ykind, const int16_t* nparm, const int16_t* nhold,
                          const int16_t* funcnum, const int16_t* ia, const int16_t* length, const int16_t* np,
                          float* yfit, float* a, float* siga, float* chisq, float* prob);

#ifdef __cplusplus
}
#endif

#endif
