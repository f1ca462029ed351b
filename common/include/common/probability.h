// Probability that chi-square exceeds a value: the one routine every fit engine reports with.
#pragma once

namespace common {

// Q(a, x) = Gamma(a, x) / Gamma(a), the regularised upper incomplete gamma function, by its
// series for x < a + 1 and its continued fraction (modified Lentz) otherwise. a > 0, x >= 0;
// NaN for other arguments.
double upperIncompleteGamma(double a, double x);

// Probability that chi-square with dof degrees of freedom exceeds chiSquare: Q(dof/2, chiSquare/2).
// 0 when dof <= 0 or chiSquare is not finite.
double chiSquareProbability(double chiSquare, int dof);

} // namespace common
