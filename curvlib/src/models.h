// Model evaluation by function number: the built-in models 1 to 10 and the dispatch to the
// user-defined function (11 and 12).
#pragma once

#include <cstdint>

namespace curvlib {

// Value of model funcnum at x into y and its derivatives by a(1..nparm) into dyda. A user-defined
// model that cannot be evaluated sets nparm to -1. Models 9 and 10 at x = 0 and unknown numbers
// write nothing.
void FUNCSN(float x, const float* a, float& y, float* dyda, int16_t funcnum, int16_t& nparm, int16_t np);

// The user-defined branch of FUNCSN (funcnum 11: typed derivatives, 12: central differences).
void USERFUNCSN(float x, const float* a, float& y, float* dyda, int16_t funcnum, int16_t& nparm, int16_t np);

} // namespace curvlib
