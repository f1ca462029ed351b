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
 * lslinw -- fit model funcnum (1..11) to the points.
 *  x, y, sigy [npts]  in   data and Y uncertainties
 *  npts               in   number of points
 *  ykind              in   Y error kind: 0 none (chisq is then the variance of the fit),
 *                          -1 square root of Y, 1 given
 *  nparm, nhold       in   parameters of the model, how many are held
 *  a[np]              in/out  start values / held values in, fitted values out
 *  siga[np]           out  uncertainties, scaled to a reduced chi-square of 1
 *  ia[np]             in   1 fitted, 0 held
 *  funcnum            in   model number
 *  chisq, prob        out  reduced chi-square, probability of exceeding it
 *  yfit[npts]         out  model value at every x
 *  length             in   declared length of the data arrays
 *  np                 in   10
 *  sigx[nsigx]        in   X errors (models 1 to 3); two zeros with nsigx = 2 when there are none
 *  nsigx              in   length of sigx
 */
SLOPELIB_API void lslinw(const float* x, const float* y, const float* sigy, const int16_t* npts,
                         const int16_t* ykind, const int16_t* nparm, const int16_t* nhold, float* a, float* siga,
                         const int16_t* ia, const int16_t* funcnum, float* chisq, float* prob, float* yfit,
                         const int16_t* length, const int16_t* np, const float* sigx, const int16_t* nsigx);

/* funcslbuf -- value of model funcnum at x into y; dyda[np] receives the derivatives by the parameters. */
SLOPELIB_API void funcslbuf(const float* x, const float* a, float* y, float* dyda, const int16_t* funcnum,
                            const int16_t* np);

#ifdef __cplusplus
}
#endif

#endif
