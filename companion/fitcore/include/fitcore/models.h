// The eleven models of the linear edition, in 64-bit arithmetic.
#pragma once

#include <array>

namespace fitcore {

inline constexpr int kMaxModelParams = 3;
using Params = std::array<double, kMaxModelParams>;

//  1 Y = A + BX            5 Y = A K(sin x/2)       9 1/Y = A + BX
//  2 Y = A X^B             6 Y = A + BX^2 + CX^4   10 1/Y = A + B/X
//  3 Y = A exp(BX)         7 Y = A + B ln(X)       11 Y = A + B/X^2 + C/X^4
//  4 Y = A + BX + CX^2     8 Y = A + B/X
// The number of parameters of model funcnum; 0 for a number outside 1..11.
int parameterCount(int funcnum);

// Y at x; NaN for an unknown model. Outside a model's domain the IEEE result (NaN or infinity).
double modelValue(int funcnum, double x, const Params& a);

// dY/da_j at x for the model's parameters; the other entries are 0.
Params parameterGradient(int funcnum, double x, const Params& a);

// K(k), the complete elliptic integral of the first kind, from the complementary modulus
// k' = sqrt(1 - k^2), by the arithmetic-geometric mean: K = pi / (2 AGM(1, k')).
double ellipticK(double complementaryModulus);

// Models 1 to 4 are the ones fitted with errors in X: their value and slope dY/dX, and the
// derivatives of both by the parameters.
bool hasSlope(int funcnum);
struct SlopeTerms {
    double value = 0, slope = 0;
    Params dValue{}, dSlope{};
};
SlopeTerms slopeTerms(int funcnum, double x, const Params& a);

} // namespace fitcore
