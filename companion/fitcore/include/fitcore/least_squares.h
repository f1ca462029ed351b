// Linear least squares by Householder QR.
#pragma once

#include <vector>

namespace fitcore {

struct LinearSolution {
    bool ok = false;                // false: a column is (numerically) dependent on the others
    std::vector<double> coef;       // p coefficients
    std::vector<double> covariance; // (A^T A)^-1, p x p, row-major
};

// Minimises |A c - b| for A of m rows and p columns (row-major), m >= p. The columns are scaled
// to unit length before the factorisation, so that the rank test and the covariance do not
// depend on the units of the columns; the normal equations are never formed.
LinearSolution solveLeastSquares(std::vector<double> a, std::vector<double> b, int rows, int columns);

} // namespace fitcore
