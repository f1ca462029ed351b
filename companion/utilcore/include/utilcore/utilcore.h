/*
 * utilcore32 -- number reading and writing, error arrays, zero checks.
 *
 * Every argument is passed by address; int16_t counts and flags, float values. Arrays are
 * passed as their first element and indexed from 1 in the text below. Texts are fixed-length,
 * blank-padded buffers; a terminating NUL inside the field ends it early but is not required.
 * Every flag is always written: 1 as stated, otherwise 0.
 */
#ifndef UTILCORE_UTILCORE_H
#define UTILCORE_UTILCORE_H

#include <stdint.h>

#if defined(__GNUC__)
#define UTILCORE_API __attribute__((visibility("default")))
#else
#define UTILCORE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
    UTILCORE_FIELD_LEN = 50, /* trapint / trapreal text field */
    UTILCORE_LINE_LEN = 75   /* data2str output buffer */
};

/* trapint -- read a 16-bit integer from text[50]; flag = 1 (value untouched) when it is not one. */
UTILCORE_API void trapint(const char* text, int16_t* value, int16_t* flag);

/* trapreal -- read a real number from text[50] into a float; flag = 1 (value untouched) when it is not one. */
UTILCORE_API void trapreal(const char* text, float* value, int16_t* flag);

/*
 * sig -- fill sigma[1..n] from v[1..n] by the error mode kind/sub and its value:
 *   kind 1, sub 1: percentage, sigma = value * v (value is the fraction, 0.05 for 5 %; the sign
 *                  of v is kept, so a negative v gives a negative sigma);
 *   kind 1, sub 2: constant, sigma = value;   kind 1, sub 3: individual, sigma left as given;
 *   kind -1: sigma = sqrt(|v|);   kind 0: sigma = 1.
 * flag = 1 when any resulting sigma is <= 0 (or not a finite number).
 */
UTILCORE_API void sig(const int16_t* n, const float* value, const int16_t* kind, const int16_t* sub,
                      const float* v, float* sigma, const int16_t* dimension, int16_t* flag);

/*
 * data2str -- write one data-file line into buffer[75], blank-padded:
 *   mode 0: x y;  mode 1: x y yerr;  mode 2 and 3: x xerr y yerr.
 * Every number is written so that trapreal reads back the same float. status is set to 0.
 */
UTILCORE_API void data2str(char* buffer, const float* x, const float* y, const float* yerr, const float* xerr,
                           const int16_t* mode, int16_t* status);

/*
 * trapzero -- look for values a fit of function funcnum cannot take.
 *   flagSigma = 1 when some sigma[i] = 0. Function 2: flagX for x <= 0, flagY for y <= 0.
 *   Function 3: flagY for y <= 0.  Functions 9, 10: flagY for y = 0.  Functions 8, 10, 11: flagX
 *   for x = 0.
 */
UTILCORE_API void trapzero(const float* x, const float* y, const float* sigma, const int16_t* funcnum,
                           const int16_t* n, const int16_t* dimension, int16_t* flagX, int16_t* flagY,
                           int16_t* flagSigma);

#ifdef __cplusplus
}
#endif

#endif
