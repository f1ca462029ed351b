// The effective-variance fit of models 1 to 4 with errors in X and Y.
#include <fitcore/fit.h>
#include <fitcore/least_squares.h>

#include <algorithm>
#include <cmath>

namespace fitcore {
namespace {

constexpr int kMaxIterations = 500;

struct Linearisation {
    bool ok = false;
    double sum = 0;                 // S
    std::vector<double> residual;   // r_i = (y - f) / s,  s^2 = sigmaY^2 + f'^2 sigmaX^2
    std::vector<double> jacobian;   // dr_i/da_j over the free parameters, row-major
};

Linearisation linearise(int funcnum, const Points& points, const Params& a, const FreeMask& free) {
    const int n = points.size(), count = parameterCount(funcnum), p = freeCount(funcnum, free);
    Linearisation lin;
    lin.residual.resize(n);
    lin.jacobian.resize(static_cast<size_t>(n) * p);
    for (int i = 0; i < n; ++i) {
        const SlopeTerms t = slopeTerms(funcnum, points.x[i], a);
        const double sy = points.sigmaY[i], sx = points.sigmaX[i];
        const double s2 = sy * sy + t.slope * t.slope * sx * sx;
        const double s = std::sqrt(s2);
        const double e = points.y[i] - t.value;
        const double r = e / s;
        if (!std::isfinite(r) || !(s > 0)) return lin;
        lin.residual[i] = r;
        lin.sum += r * r;
        // d/da [e / s] = -f_a / s - e f' sigmaX^2 f'_a / s^3
        const double weightTerm = e * t.slope * sx * sx / (s2 * s);
        for (int j = 0, k = 0; j < count; ++j) {
            if (!free[j]) continue;
            const double d = -t.dValue[j] / s - weightTerm * t.dSlope[j];
            if (!std::isfinite(d)) return lin;
            lin.jacobian[static_cast<size_t>(i) * p + k++] = d;
        }
    }
    lin.ok = std::isfinite(lin.sum);
    return lin;
}

// The Levenberg-Marquardt step: min |J d + r|^2 + lambda |D d|^2, D the column lengths of J.
LinearSolution dampedStep(const Linearisation& lin, int n, int p, double lambda) {
    std::vector<double> a(static_cast<size_t>(n + p) * p, 0.0), b(n + p, 0.0);
    std::copy(lin.jacobian.begin(), lin.jacobian.end(), a.begin());
    for (int i = 0; i < n; ++i) b[i] = -lin.residual[i];
    for (int j = 0; j < p; ++j) {
        double column = 0;
        for (int i = 0; i < n; ++i) {
            const double d = lin.jacobian[static_cast<size_t>(i) * p + j];
            column += d * d;
        }
        a[static_cast<size_t>(n + j) * p + j] = std::sqrt(lambda * column);
    }
    return solveLeastSquares(std::move(a), std::move(b), n + p, p);
}

} // namespace

FitOutcome fitEffectiveVariance(int funcnum, const Points& points, const Params& start, const FreeMask& free) {
    FitOutcome outcome;
    const int n = points.size(), p = freeCount(funcnum, free);
    if (!hasSlope(funcnum) || n - p <= 0 || points.sigmaX.size() != points.y.size()) return outcome;
    if (!enoughDistinctX(points, p)) return outcome;

    const FitOutcome plain = fitLinearised(funcnum, points, start, free);
    Params a = plain.ok ? plain.a : start;
    Linearisation lin = linearise(funcnum, points, a, free);
    if (!lin.ok) return outcome;

    double lambda = 1e-3;
    for (int iteration = 0; iteration < kMaxIterations && p > 0; ++iteration) {
        const LinearSolution step = dampedStep(lin, n, p, lambda);
        if (!step.ok) break;
        const Trial trial = trialStep(funcnum, free, a, step.coef);
        Linearisation next = linearise(funcnum, points, trial.a, free);
        const bool settled = trial.largestChange < kSettledChange;
        if (next.ok && next.sum <= lin.sum) {
            a = trial.a;
            lin = std::move(next);
            lambda = std::max(lambda * 0.1, 1e-15);
        } else {
            lambda *= 10.0;
            if (lambda > 1e15) break; // no step lowers S: a is the minimum to working precision
        }
        if (settled) break;
    }

    // Covariance from the undamped Jacobian at the minimum.
    LinearSolution covariance;
    if (p > 0) {
        covariance = solveLeastSquares(lin.jacobian, lin.residual, n, p);
        if (!covariance.ok) return outcome;
    }
    outcome.a = a;
    outcome.sigma = p > 0 ? freeSigmas(covariance.covariance, funcnum, free) : Params{};
    outcome.chiSquare = lin.sum;
    outcome.dof = n - p;
    outcome.ok = true;
    return outcome;
}

} // namespace fitcore
