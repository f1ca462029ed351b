#include <fitcore/least_squares.h>

#include <algorithm>
#include <cmath>

namespace fitcore {
namespace {

// Euclidean length of rows from..m-1 of one column, without overflow or underflow.
template <class At> double columnNorm(At&& at, int from, int m, int j) {
    double largest = 0;
    for (int i = from; i < m; ++i) largest = std::max(largest, std::fabs(at(i, j)));
    if (!(largest > 0) || !std::isfinite(largest)) return largest;
    double sum = 0;
    for (int i = from; i < m; ++i) {
        const double v = at(i, j) / largest;
        sum += v * v;
    }
    return largest * std::sqrt(sum);
}

} // namespace

LinearSolution solveLeastSquares(std::vector<double> a, std::vector<double> b, int rows, int columns) {
    LinearSolution solution;
    const int m = rows, p = columns;
    if (p < 0 || m < p || a.size() != static_cast<size_t>(m) * p || b.size() != static_cast<size_t>(m))
        return solution;
    const auto at = [&](int i, int j) -> double& { return a[static_cast<size_t>(i) * p + j]; };

    std::vector<double> scale(p, 1.0);
    for (int j = 0; j < p; ++j) {
        const double norm = columnNorm(at, 0, m, j);
        if (!(norm > 0) || !std::isfinite(norm)) return solution;
        scale[j] = norm;
        for (int i = 0; i < m; ++i) at(i, j) /= norm;
    }

    // Householder reflections; R overwrites the upper triangle, Q^T b overwrites b.
    for (int k = 0; k < p; ++k) {
        const double norm = columnNorm(at, k, m, k);
        // Columns of unit length: a remaining norm this small means dependence.
        if (!(norm > 1e-12)) return solution;
        const double alpha = at(k, k) > 0 ? -norm : norm;
        at(k, k) -= alpha;
        double vv = 0;
        for (int i = k; i < m; ++i) vv += at(i, k) * at(i, k);
        for (int j = k + 1; j < p; ++j) {
            double dot = 0;
            for (int i = k; i < m; ++i) dot += at(i, k) * at(i, j);
            const double f = 2.0 * dot / vv;
            for (int i = k; i < m; ++i) at(i, j) -= f * at(i, k);
        }
        double dot = 0;
        for (int i = k; i < m; ++i) dot += at(i, k) * b[i];
        const double f = 2.0 * dot / vv;
        for (int i = k; i < m; ++i) b[i] -= f * at(i, k);
        at(k, k) = alpha;
    }

    // R^-1 (upper triangular), then the solution and the covariance R^-1 R^-T, unscaled.
    std::vector<double> rinv(static_cast<size_t>(p) * p, 0.0);
    const auto ri = [&](int i, int j) -> double& { return rinv[static_cast<size_t>(i) * p + j]; };
    for (int j = 0; j < p; ++j) {
        ri(j, j) = 1.0 / at(j, j);
        for (int i = j - 1; i >= 0; --i) {
            double sum = 0;
            for (int k = i + 1; k <= j; ++k) sum += at(i, k) * ri(k, j);
            ri(i, j) = -sum / at(i, i);
        }
    }
    solution.coef.assign(p, 0.0);
    for (int i = 0; i < p; ++i) {
        double sum = 0;
        for (int k = i; k < p; ++k) sum += ri(i, k) * b[k];
        solution.coef[i] = sum / scale[i];
    }
    solution.covariance.assign(static_cast<size_t>(p) * p, 0.0);
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < p; ++j) {
            double sum = 0;
            for (int k = std::max(i, j); k < p; ++k) sum += ri(i, k) * ri(j, k);
            solution.covariance[static_cast<size_t>(i) * p + j] = sum / (scale[i] * scale[j]);
        }
    solution.ok = std::all_of(solution.coef.begin(), solution.coef.end(), [](double c) { return std::isfinite(c); });
    return solution;
}

} // namespace fitcore
