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

/*
 * Number fields. The text of a field is its 50 characters, or the characters before a NUL
 * within them; nothing past the 50th character is read. Accepted (blanks are spaces or tabs):
 *   real     [blanks] [+|-] digits [. [digits]] [(e|E) [+|-] digits] [blanks]
 *            or       [blanks] [+|-] . digits [(e|E) [+|-] digits] [blanks]
 *   integer  [blanks] [+|-] digits [blanks]
 * Anything else is refused: an empty or all-blank field, inner blanks, a decimal comma,
 * "inf" or "nan", hexadecimal, a Fortran "d" exponent. The decimal point is always '.', whatever
 * the locale. A real is rounded to the nearest float; one beyond the float range (about
 * 3.4e38) is refused, one below the smallest float becomes 0. An integer outside -32768 .. 32767
 * is refused, not wrapped. On refusal flag = 1 and value is left untouched.
 */

/* trapint -- read a 16-bit integer from text[50]; flag = 0 and value set, or flag = 1. */
UTILCORE_API void trapint(const char* text, int16_t* value, int16_t* flag);

/* trapreal -- read a real number from text[50] into a float; flag = 0 and value set, or flag = 1. */
UTILCORE_API void trapreal(const char* text, float* value, int16_t* flag);

/*
 * sig -- fill sigma[1..n] from v[1..n] by the error mode kind/sub and its value:
 *   kind 1, sub 1: percentage, sigma = value * v (value is the fraction, 0.05 for 5 %; the sign
 *                  of v is kept, so a negative v gives a negative sigma);
 *   kind 1, sub 2: constant, sigma = value;
 *   kind -1:       sigma = sqrt(|v|);
 *   kind 0:        sigma = 1;
 *   kind 1, sub 3 (individual errors), kind -2 (mode not set) and any other code: sigma keeps
 *                  the values it holds.
 * flag = 1 when any resulting sigma[1..n] is <= 0 or not a finite number, else 0.
 * At most dimension elements are touched; n <= 0 touches none (flag 0).
 */
UTILCORE_API void sig(const int16_t* n, const float* value, const int16_t* kind, const int16_t* sub,
                      const float* v, float* sigma, const int16_t* dimension, int16_t* flag);

/*
 * data2str -- write one data-file line into buffer[75]: the numbers separated by one blank,
 * left-justified, the rest of the 75 characters blanks (no NUL is written):
 *   mode 0: x y;  mode 1: x y yerr;  mode 2 and 3: x xerr y yerr;  any other mode as 0.
 * Each number is the shortest text that trapreal reads back as the same float, in plain or
 * exponent form ("0.1", "-273.15", "1e-05", "6.02e+23"); a line takes at most 63 characters.
 * A non-finite value is written "inf", "-inf" or "nan", which trapreal refuses. status = 0.
 */
UTILCORE_API void data2str(char* buffer, const float* x, const float* y, const float* yerr, const float* xerr,
                           const int16_t* mode, int16_t* status);

/*
 * trapzero -- look for values that a fit of the linear edition's model funcnum cannot take,
 * in points 1..n (at most dimension). All three flags are always written, 1 or 0.
 *   flagSigma = 1 when some sigma[i] = 0 or is not finite.
 *   flagX / flagY = 1 when some x / y is not finite (every model), and by the model:
 *     2  Y = AX^B            x <= 0 (flagX), y <= 0 (flagY): both are logarithms in the fit
 *     3  Y = A exp(BX)       y <= 0 (flagY)
 *     7  Y = A + B ln(X)     x <= 0 (flagX)
 *     8  Y = A + B/X         x = 0 (flagX)
 *     9  1/Y = A + BX        y = 0 (flagY)
 *    10  1/Y = A + B/X       x = 0 (flagX), y = 0 (flagY)
 *    11  Y = A + B/X^2 + C/X^4  x = 0 (flagX)
 *   Models 1, 4, 6 and any other number check only for non-finite values; so does model 5,
 *   Y = A K(sin x/2): its pole, at odd multiples of pi, falls between floats.
 */
UTILCORE_API void trapzero(const float* x, const float* y, const float* sigma, const int16_t* funcnum,
                           const int16_t* n, const int16_t* dimension, int16_t* flagX, int16_t* flagY,
                           int16_t* flagSigma);

#ifdef __cplusplus
}
#endif

#endif
