// Upper tail of the chi-square distribution and the factorial-type helpers it uses.
#pragma once

#include <cstdint>

namespace curvlib {

// Probability that chi-square with nu degrees of freedom exceeds nu * r (r: reduced chi-square).
// nu <= 0 gives 0.
float PCHISQ(float r, int16_t nu);

// Gamma function at a positive integer or half-integer.
double GAMMA(float x);

// n! (1 for n <= 1).
float FACTOR(int16_t n);

} // namespace curvlib
