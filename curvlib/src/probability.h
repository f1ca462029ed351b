// Upper tail of the chi-square distribution, and the gamma function and factorials of the library.
#pragma once

#include <cstdint>

namespace curvlib {

// Probability that chi-square with nu degrees of freedom exceeds nu * r (r: reduced chi-square),
// for every nu: the regularised upper incomplete gamma function Q(nu/2, nu r/2) in double,
// rounded to a float, always within 0 .. 1. nu <= 0 gives 0.
float PCHISQ(float r, int16_t nu);

// Gamma function at a positive integer or half-integer.
double GAMMA(float x);

// n! (1 for n <= 1).
float FACTOR(int16_t n);

} // namespace curvlib
