/*
 * plotaid32 -- graph data file writer, axis autoscale and file helpers of the graph screen.
 *
 * Every argument is passed by address; int16_t counts, flags and status, float values. Arrays
 * are passed as their first element. The temporary directory is the one the front end and the
 * graph program use: $TMPDIR when it is set and not empty, else /tmp.
 */
#ifndef PLOTAID_PLOTAID_H
#define PLOTAID_PLOTAID_H

#include <stdint.h>

#if defined(__GNUC__)
#define PLOTAID_API __attribute__((visibility("default")))
#else
#define PLOTAID_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum { PLOTAID_PATH_LEN = 80 /* myexist path field */ };

/*
 * deltemp -- remove the temporary files of the last graph: "pgtemp.dat", "pgtemp.cfg" and
 * "pgtemp.ps" in the temporary directory ("pgtemp2.dat", the second data set, stays).
 * status = 0 when none of them is left (a file that was not there counts as removed), -1 when
 * one of them exists and could not be removed.
 */
PLOTAID_API void deltemp(int16_t* status);

/* deltemp2 -- remove "pgtemp2.dat" from the temporary directory; status as for deltemp. */
PLOTAID_API void deltemp2(int16_t* status);

/*
 * myexist -- whether a file or folder exists. path is an 80-character field, blank-padded; the
 * path ends at a NUL within it, and trailing blanks are not part of it. status = -1 when it
 * exists, 0 when it does not (an empty path does not).
 */
PLOTAID_API void myexist(const char* path, int16_t* status);

/*
 * pgdat -- write "pgtemp.dat" in the temporary directory for points 1..n: one line per point,
 * "x y" or, when yerrFlag is nonzero, "x y yerr", written as data2str writes them, each line
 * ended by CR LF, no title line. The file is written whole: a new file of a unique name beside
 * it, renamed over it, so a failure leaves no half-written file and nothing is written through
 * a link; a "pgtemp.dat" that is not a regular file (a link, a folder) is left as it is. There is
 * no status to report a failure: the graph program then finds no data file, or the old one.
 * n <= 0 writes an empty file.
 */
PLOTAID_API void pgdat(const float* x, const float* y, const float* yerr, const int16_t* n, const int16_t* yerrFlag);

/*
 * autoscale -- axis limits for values 1..n (n at most length) into minimum and maximum.
 *  values, errors   in   the values, and their errors when useErrors is nonzero (the absolute
 *                        value of an error is used; a non-finite error counts as 0)
 *  n, length        in   number of values, and the declared length of the arrays
 *  minimum, maximum out  the axis limits, as floats just outside the data
 *  logFlag          in   1: the axis is logarithmic
 *  useErrors        in   nonzero: the error bars count (errors is then read)
 * Non-finite values are left out. Linear axis: the limits contain every value, and value -
 * error and value + error with useErrors, rounded outward to a multiple of a "nice" step
 * (1, 2 or 5 times a power of ten, the one nearest a fifth of the range); equal values get a range
 * of 10 % about them (-1 .. 1 for zeros); no usable value gives 0 .. 1. Logarithmic axis: only
 * values > 0 count, and an error bar that would reach 0 or below widens only the upper limit;
 * the limits are 1, 2 or 5 times a power of ten below and above the values, always positive,
 * and a little apart when the values are equal; no positive value gives 1 .. 10.
 */
PLOTAID_API void autoscale(const float* values, const float* errors, const int16_t* n, const int16_t* length,
                           float* minimum, float* maximum, const int16_t* logFlag, const int16_t* useErrors);

#ifdef __cplusplus
}
#endif

#endif
