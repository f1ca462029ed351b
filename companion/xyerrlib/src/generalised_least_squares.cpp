#include "generalised_least_squares.h"

#include <fitcore/least_squares.h>

#include <algorithm>
#include <cmath>

namespace xyerrlib {

using fitcore::FitOutcome;
using fitcore::FreeMask;
using fitcore::Params;
using fitcore::Points;

namespace {

constexpr int kMaxIterations = 1000;
constexpr int kMaxHalvings = 40;

// S at parameters a and true X values xi; NaN when the model cannot be evaluated.
double sumOfSquares(int funcnum, const Points& points, const Params& a, const std::vector<double>& xi) {
    double sum = 0;
    for (int i = 0; i < points.size(); ++i) {
        // An exact X (sigma 0) stays at its measured value, and adds nothing.
        const double u = points.sigmaX[i] > 0 ? (points.x[i] - xi[i]) / points.sigmaX[i] : 0.0;
        const double v = (points.y[i] - fitcore::modelValue(funcnum, xi[i], a)) / points.sigmaY[i];
        sum += u * u + v * v;
    }
    return std::isfinite(sum) ? sum : NAN;
}

// The problem linearised at (a, xi) with every X correction eliminated: a weighted linear
// least-squares problem in the parameter corrections alone, one row per point,
//   sqrt(W) (y - f - f' (x - xi) - g . da),   W = 1 / (sigmaY^2 + f'^2 sigmaX^2).
struct ReducedProblem {
    bool ok = false;
    std::vector<double> design, rhs;
    // Per point, for the X corrections: y - f(xi), f'(xi) and sqrt(W).
    std::vector<double> misfit, slope, rootWeight;
};

ReducedProblem reduce(int funcnum, const Points& points, const Params& a, const std::vector<double>& xi,
                      const FreeMask& free) {
    const int n = points.size(), count = fitcore::parameterCount(funcnum), p = fitcore::freeCount(funcnum, free);
    ReducedProblem r;
    r.design.resize(static_cast<size_t>(n) * p);
    r.rhs.resize(n);
    r.misfit.resize(n);
    r.slope.resize(n);
    r.rootWeight.resize(n);
    for (int i = 0; i < n; ++i) {
        const fitcore::SlopeTerms t = fitcore::slopeTerms(funcnum, xi[i], a);
        const double sy = points.sigmaY[i], sx = points.sigmaX[i];
        const double w = 1.0 / (sy * sy + t.slope * t.slope * sx * sx);
        const double root = std::sqrt(w);
        r.misfit[i] = points.y[i] - t.value;
        r.slope[i] = t.slope;
        r.rootWeight[i] = root;
        r.rhs[i] = root * (points.y[i] - t.value - t.slope * (points.x[i] - xi[i]));
        if (!std::isfinite(r.rhs[i]) || !std::isfinite(w)) return r;
        for (int j = 0, k = 0; j < count; ++j) {
            if (!free[j]) continue;
            const double d = root * t.dValue[j];
            if (!std::isfinite(d)) return r;
            r.design[static_cast<size_t>(i) * p + k++] = d;
        }
    }
    r.ok = true;
    return r;
}

} // namespace

FitOutcome fitGeneralised(int funcnum, const Points& points, const Params& start, const FreeMask& free) {
    FitOutcome outcome;
    const int n = points.size(), p = fitcore::freeCount(funcnum, free);
    if (!fitcore::hasSlope(funcnum) || n - p <= 0 || points.sigmaX.size() != points.x.size()) return outcome;
    if (!fitcore::enoughDistinctX(points, p)) return outcome;

    const FitOutcome plain = fitcore::fitLinearised(funcnum, points, start, free);
    Params a = plain.ok ? plain.a : start;
    std::vector<double> xi = points.x;
    double sum = sumOfSquares(funcnum, points, a, xi);
    if (!std::isfinite(sum)) return outcome;

    ReducedProblem reduced = reduce(funcnum, points, a, xi, free);
    for (int iteration = 0; iteration < kMaxIterations && reduced.ok; ++iteration) {
        std::vector<double> da(p, 0.0);
        if (p > 0) {
            const auto step = fitcore::solveLeastSquares(reduced.design, reduced.rhs, n, p);
            if (!step.ok) return outcome;
            da = step.coef;
        }
        // The X corrections that belong to these parameter corrections:
        //   dxi = W ((x - xi) sigmaY^2 + f' (y - f - g . da) sigmaX^2).
        std::vector<double> dxi(n);
        for (int i = 0; i < n; ++i) {
            double residual = reduced.misfit[i];
            for (int k = 0; k < p; ++k) residual -= reduced.design[static_cast<size_t>(i) * p + k] * da[k] / reduced.rootWeight[i];
            const double sx = points.sigmaX[i], sy = points.sigmaY[i], w = reduced.rootWeight[i] * reduced.rootWeight[i];
            dxi[i] = w * ((points.x[i] - xi[i]) * sy * sy + reduced.slope[i] * residual * sx * sx);
        }
        // Gauss-Newton step, halved until S does not grow.
        bool accepted = false;
        double trialSum = sum;
        fitcore::Trial trial;
        std::vector<double> trialXi(n);
        double length = 1.0;
        for (int halving = 0; halving < kMaxHalvings; ++halving, length *= 0.5) {
            trial = fitcore::trialStep(funcnum, free, a, da, length);
            for (int i = 0; i < n; ++i) trialXi[i] = xi[i] + length * dxi[i];
            trialSum = sumOfSquares(funcnum, points, trial.a, trialXi);
            if (std::isfinite(trialSum) && trialSum <= sum) {
                accepted = true;
                break;
            }
        }
        if (!accepted) break; // no step lowers S: the minimum to working precision
        const bool settled = sum - trialSum <= 1e-15 * sum || trial.largestChange < fitcore::kSettledChange;
        a = trial.a;
        xi.swap(trialXi);
        sum = trialSum;
        reduced = reduce(funcnum, points, a, xi, free);
        if (settled) break;
    }
    if (!reduced.ok) return outcome;

    // Covariance of the parameters: the reduced problem's at the minimum (the X values
    // eliminated, so it accounts for their uncertainty).
    if (p > 0) {
        const auto covariance = fitcore::solveLeastSquares(reduced.design, reduced.rhs, n, p);
        if (!covariance.ok) return outcome;
        outcome.sigma = fitcore::freeSigmas(covariance.covariance, funcnum, free);
    }
    outcome.a = a;
    outcome.chiSquare = sum;
    outcome.dof = n - p;
    outcome.ok = true;
    return outcome;
}

} // namespace xyerrlib
