/*
 * curvlib32 -- the non-linear fit engine.
 *
 * Every argument is passed by address. Widths are part of the interface:
 *   int16_t  counts, flags, codes and indexes;
 *   float    measured values, uncertainties, parameters (32-bit IEEE);
 *   double   only where stated.
 * Arrays are passed as their first element and indexed from 1 in the documentation below
 * (element 1 is the pointer's element [0]). Texts are fixed-length, blank-padded character
 * buffers with no terminating NUL required: function texts are 200 characters, messages 80.
 *
 * The library keeps state for the life of the process: the function-text store (11 texts and
 * one message slot), the square-root mapping switch, the working values of the iteration and
 * the number of steps the last fit accepted.
 * It is not reentrant: one call at a time per process.
 */
#ifndef CURVLIB_CURVLIB_H
#define CURVLIB_CURVLIB_H

#include <stdint.h>

#if defined(__GNUC__)
#define CURVLIB_API __attribute__((visibility("default")))
#else
#define CURVLIB_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
    CURVLIB_TEXT_LEN = 200,    /* function and derivative texts */
    CURVLIB_MESSAGE_LEN = 80,  /* the message slot */
    CURVLIB_TEXT_SLOTS = 11,   /* slot 0: the function, slots 1..10: derivatives by a1..a10 */
    CURVLIB_MAX_FIT_PARMS = 20 /* nparm must not exceed this */
};

/*
 * lsnonw -- fit y(x) to a model by Levenberg-Marquardt with held parameters.
 *
 *  x[npts]       in      independent variable
 *  y[npts]       in      measured values
 *  sigy[npts]    in      uncertainty of each y; weight 1/sigy^2 (must be > 0)
 *  npts          in      number of points
 *  wtflag        in      nonzero: the uncertainties are measurement errors, prob is computed;
 *                        0: prob is left as the caller had it
 *  nparm         in/out  number of model parameters (<= 20). Set to -1 when a user-defined
 *                        model cannot be evaluated while the fitted curve is tabulated: reload
 *                        it before using it again
 *  nhold         in      number of held parameters; must equal the count of zeros in ia[1..nparm]
 *  a[np]         in/out  start values in, fitted values out (held ones unchanged)
 *  siga[np]      out     parameter uncertainties, scaled to a reduced chi-square of 1; 0 if held
 *  ia[np]        in      nonzero: fitted; 0: held at its value in a
 *  funcnum       in      model number (see funcsnbuf)
 *  chisq         out     reduced chi-square on success; exactly -1.0 on failure, and then the
 *                        reason is in the message slot (holdstringbuf mode 3) where one is known
 *  prob          out     probability of exceeding chi-square (only when wtflag is nonzero)
 *  flamda        out     lambda when the iteration stopped
 *  niter         out     number of the iteration that converged; 101 when 100 did not
 *  yfit[npts]    out     model value at every x with the fitted parameters
 *  spare         in      ignored (callers pass the declared length of their arrays)
 *  np            in      dimension of a, siga, ia and leading dimension of the matrices (10)
 *
 * Iteration: a step that does not lower chi-square is tried again with ten times the lambda, up
 * to 20 times in one iteration, whether parameters are held or not; an iteration whose 20 tries
 * all fail leaves chi-square unchanged, and the fit then ends (see lsnonwsteps).
 * Convergence: the relative change of chi-square between two iterations is <= 1e-4 (0/0 counts).
 * Lambda is a 32-bit float: a long run of accepted steps (about 43) takes it to 0, and the next
 * iteration then only rebuilds the covariance, so the fit reports itself converged with
 * flamda = 0.
 *
 * Failures (chisq = -1.0):
 *  - a user-defined model could not be evaluated (its message is in the slot). During the
 *    iteration: a then holds the last accepted parameters, siga, yfit, flamda and prob are
 *    not written. While the fitted curve is tabulated: nparm is -1, flamda and the yfit of
 *    the points before are written, siga and prob are not;
 *  - a negative covariance diagonal: message "Tarvex SQRT error in FITN; ..." in the slot;
 *    yfit is written, siga and prob are not;
 *  - no degrees of freedom (npts <= nparm - nhold), or nparm outside 1..20 or above np (np at
 *    most 100), or a point at x = 0 for models 9 and 10 (which have no value there): checked
 *    before anything else, the message says which; nothing else is written.
 * A singular curvature matrix is not detected: non-finite values then reach the results.
 */
CURVLIB_API void lsnonw(const float* x, const float* y, const float* sigy, const int16_t* npts,
                        const int16_t* wtflag, int16_t* nparm, const int16_t* nhold, float* a, float* siga,
                        const int16_t* ia, const int16_t* funcnum, float* chisq, float* prob, float* flamda,
                        int16_t* niter, float* yfit, const int16_t* spare, const int16_t* np);

/*
 * lsnonwsteps -- how far the last call of lsnonw moved from the estimates.
 *
 *  steps  out  the number of iterations whose step lowered chi-square. 0 when no step away from
 *              the estimates did: the parameters lsnonw returned are then the estimates it was
 *              given, and their uncertainties are those at the estimates. That is right for a
 *              re-run from an earlier fit's own values; from typed estimates it means the fit
 *              found nothing better. 0 also before any fit and after a call refused before
 *              iterating.
 *
 * Read it after lsnonw has returned; the next call of lsnonw replaces it.
 */
CURVLIB_API void lsnonwsteps(int16_t* steps);

/*
 * funcsnbuf -- evaluate model funcnum at x: value into y, derivatives by a1..a(nparm) into dyda.
 *
 *  x         in      the independent variable
 *  a[np]     in      parameters; only those of the model are read (a user-defined model:
 *                    a1..a(nparm))
 *  y         out     the model value
 *  dyda[np]  out     derivatives by the parameters: a built-in model writes as many as it has,
 *                    whatever nparm says; a user-defined one writes a1..a(nparm)
 *  funcnum   in      model number, below
 *  nparm     in/out  number of parameters of a user-defined model; -1 when it fails
 *  np        in      plays no part
 *
 *   1 Linear          a1 + a2 x
 *   2 Power           a1 x^a2
 *   3 Exponential     a1 exp(a2 x)
 *   4 Exponential #1  a1 (exp(a2 x) - 1)
 *   5 Exponential #2  a1 - (a1 - a2) exp(a3 x)
 *   6 Exponential #3  a1 exp(a2 x) + a3
 *   7 Inverse X and Y 1 / (a1 + a2/x)
 *   8 Special (ESR)   a1 sqrt((a2 x - a3)^2 + a4^2)
 *   9 Real Z          a1 + a2 / (1 + a2^2 B^2),  w = 6.28318 x, B = w a3 - 1/(w a4)
 *  10 Imag Z          w a1 - B / (G^2 + B^2),    G = 1/a2
 *  11 user-defined function with typed derivatives (texts in the store)
 *  12 user-defined function with central-difference derivatives
 *
 * Models 9 and 10 at x = 0 write nothing. A number outside 1..12 writes nothing. The built-in
 * models have no domain guard: non-finite values are returned as they come. A user-defined
 * model that fails sets nparm to -1 and leaves the reason in the message slot; it never changes a.
 */
CURVLIB_API void funcsnbuf(const float* x, const float* a, float* y, float* dyda, const int16_t* funcnum,
                           int16_t* nparm, const int16_t* np);

/*
 * holdstringbuf -- the function-text store.
 *   mode 0: store text[200] in slot index (0..10)      mode 1: copy slot index into text[200]
 *   mode 2: store message[80] in the message slot       mode 3: copy the message slot into message[80]
 *   any other mode, or an index outside 0..10: nothing.
 */
CURVLIB_API void holdstringbuf(char* text, char* message, const int16_t* mode, const int16_t* index);

/*
 * tparsebuf -- evaluate the user function text[200] in z and a1..a(nparm) at x.
 *
 *  text[200]    in/out  the typed text, blank-padded; it comes back encoded (names replaced by
 *                       one-character codes), so pass a copy if the typed text is needed again
 *  a[10]        in      parameters; only those the text names are read (at most a1..a10)
 *  x            in      the value of z
 *  np           in      plays no part
 *  nparm        in      number of parameters: a1..a(nparm) are recognised, a higher one stays
 *                       letters and makes the evaluation fail
 *  value        out     the value (64-bit) on success
 *  message[80]  out     blanks on success, else why the evaluation failed
 *  error        out     0 on success, 1 on failure
 *
 * The language: z; a1..a9 and a10 (also written a0); numbers 12, 1.5, .5, 5. with an optional
 * exponent 1.5e3, 2E-4, 1e+2; + - * / ^ (** is ^); brackets ( ) [ ] { }, interchangeable; abs
 * exp ln log10 sqrt sin cos tan asin acos atan sinh cosh tanh asinh acosh atanh; pi and e.
 * Letter case and blanks do not matter. There is no implicit multiplication (2z fails). A
 * function binds tighter than any operator (sin z*2 is sin(z)*2); ^ binds tighter than unary
 * minus (-z^2 is -(z^2)) and, like every two-operand operator, is left-associative (2^3^2 is 64).
 * A number with an exponent is one operand wherever it stands: z/2e3 is z/2000, 2^1e1 is 1024
 * and 2e3^2 is 2000^2.
 *
 * Failures and their messages:
 *  - an opening bracket never closed: "Parser Error in RPN: Missing right bracket";
 *  - a closing bracket with nothing to close, as in z+1) or (z+1))): "Parser error in RPN";
 *  - a run of digits and points that is not a number, as in 12.34.5: "Number 12.34.5 cannot be
 *    read in Funcp" (at most 30 of its characters quoted); a number longer than 15 characters
 *    is read from its first 15;
 *  - the domain failures of the evaluator: division by 0, log of x <= 0, square root of x < 0
 *    (unless maprootbuf(1)), a negative number to a non-integer power, 0 to a negative
 *    non-integer power (0 to a negative integer power is infinity, not a failure), an infinite
 *    tangent, acosh of x <= 1, atanh of |x| >= 1 ("can't take ArcTanh of value >= 1 or
 *    <= -1");
 *  - an operator short of operands: "ErrorFlag in FuncP set; probable pop error";
 *  - no value or more than one left at the end: "ErrorFlag True in FuncP, no function
 *    calculated", value = 0;
 *  - a character outside the language: "Character <c>not found in RPNString" (or "Ascii
 *    character 127 + <c - 127>not found in RPNString" for codes of 127 and above, parameter
 *    codes beyond nparm included); the evaluation goes on with the value of the token before it
 *    and sets value, unless the end check fails.
 * value is written only on success and in the last two cases.
 *
 * Every a10 of a text is a10, not only the first. Nothing is read or written outside the 200
 * characters of text and the 80 of message: the encoding may push characters beyond the 200,
 * which are then lost, and a text that ends in a number within its last character is read as
 * if a blank followed.
 *
 * The encoding of a text is kept between calls, keyed by the exact 200 characters and nparm:
 * a fit that evaluates the same texts at every point converts them once. The results are
 * exactly those of converting afresh.
 */
CURVLIB_API void tparsebuf(char* text, const float* a, const float* x, const int16_t* np, const int16_t* nparm,
                           double* value, char* message, int16_t* error);

/*
 * chkparm -- check that text[200] uses exactly the parameters a1..a(nparm) of at most maximum.
 * Letter case does not matter; every a10 counts as a10 (a0), never as a1. Names are found as
 * they stand, so a11 counts as a1. The text is not changed. On failure error = 1 and
 * message[80] holds the first of these that applies:
 *   maximum < nparm:                   "Too many parameters in fitting function"
 *   one of a1..a(nparm) is missing:    "Inconsistent fitting function--specified parameters are not in function"
 *   one of a(nparm+1)..a(maximum) is used:
 *                                      "Inconsistent fitting function--there are incorrect parameters in function"
 * On success error = 0 and message is untouched.
 */
CURVLIB_API void chkparm(const char* text, const int16_t* nparm, const int16_t* maximum, char* message,
                         int16_t* error);

/*
 * maprootbuf -- the square-root switch of the user functions, kept for the life of the process
 * and off when the library is loaded. flag exactly 1: the square root of a negative number
 * gives 0; any other value: it is an error.
 */
CURVLIB_API void maprootbuf(const int16_t* flag);

#ifdef __cplusplus
}
#endif

#endif
