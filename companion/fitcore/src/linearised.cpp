// Fits of the eleven models through their linear forms.
#include <fitcore/fit.h>
#include <fitcore/least_squares.h>

#include <algorithm>
#include <cmath>

namespace fitcore {

int freeCount(int funcnum, const FreeMask& free) {
    int count = 0;
    for (int j = 0; j < parameterCount(funcnum); ++j) count += free[j] ? 1 : 0;
    return count;
}

bool enoughDistinctX(const Points& points, int count) {
    std::vector<double> x = points.x;
    std::sort(x.begin(), x.end());
    return std::unique(x.begin(), x.end()) - x.begin() >= count;
}

Params freeSigmas(const std::vector<double>& covariance, int funcnum, const FreeMask& free) {
    const int p = freeCount(funcnum, free);
    Params sigma{};
    for (int j = 0, k = 0; j < parameterCount(funcnum); ++j) {
        if (!free[j]) continue;
        const double variance = covariance[static_cast<size_t>(k) * p + k];
        sigma[j] = std::sqrt(variance);
        ++k;
    }
    return sigma;
}

Trial trialStep(int funcnum, const FreeMask& free, const Params& a, const std::vector<double>& correction,
                double length) {
    Trial trial{a};
    for (int j = 0, k = 0; j < parameterCount(funcnum); ++j) {
        if (!free[j]) continue;
        const double change = length * correction[k++];
        trial.a[j] += change;
        trial.largestChange = std::max(trial.largestChange, std::fabs(change) / (std::fabs(a[j]) + 1e-300));
    }
    return trial;
}

namespace {

// One point in linear form: transformed value t, its uncertainty, and the basis in which
// t = sum c_j basis_j.
struct LinearForm {
    double t = 0, sigma = 0;
    Params basis{};
};

LinearForm linearForm(int funcnum, double x, double y, double sigmaY) {
    LinearForm form;
    switch (funcnum) {
    case 2:
    case 3:
        form.t = std::log(y);
        form.sigma = sigmaY / y;
        form.basis = {1.0, funcnum == 2 ? std::log(x) : x, 0};
        break;
    case 9:
    case 10:
        form.t = 1.0 / y;
        form.sigma = sigmaY / (y * y);
        form.basis = {1.0, funcnum == 9 ? x : 1.0 / x, 0};
        break;
    default:
        form.t = y;
        form.sigma = sigmaY;
        form.basis = parameterGradient(funcnum, x, Params{});
        break;
    }
    return form;
}

bool logarithmicA(int funcnum) { return funcnum == 2 || funcnum == 3; }

bool isFinite(const LinearForm& form, int count) {
    if (!std::isfinite(form.t) || !std::isfinite(form.sigma) || !(form.sigma > 0)) return false;
    for (int j = 0; j < count; ++j)
        if (!std::isfinite(form.basis[j])) return false;
    return true;
}

} // namespace

FitOutcome fitLinearised(int funcnum, const Points& points, const Params& start, const FreeMask& free) {
    FitOutcome outcome;
    const int count = parameterCount(funcnum);
    const int n = points.size();
    const int p = freeCount(funcnum, free);
    if (count == 0 || n - p <= 0) return outcome;

    // The held coefficients in linear form: ln A for models 2 and 3.
    Params held = start;
    if (logarithmicA(funcnum) && !free[0]) {
        if (!(start[0] > 0)) return outcome;
        held[0] = std::log(start[0]);
    }

    std::vector<double> design(static_cast<size_t>(n) * p), rhs(n);
    for (int i = 0; i < n; ++i) {
        const LinearForm form = linearForm(funcnum, points.x[i], points.y[i], points.sigmaY[i]);
        if (!isFinite(form, count)) return outcome;
        const double w = 1.0 / std::fabs(form.sigma);
        double t = form.t;
        for (int j = 0, k = 0; j < count; ++j) {
            if (free[j]) design[static_cast<size_t>(i) * p + k++] = w * form.basis[j];
            else t -= held[j] * form.basis[j];
        }
        rhs[i] = w * t;
    }
    const LinearSolution solution = solveLeastSquares(std::move(design), std::move(rhs), n, p);
    if (!solution.ok) return outcome;

    outcome.a = start;
    for (int j = 0, k = 0; j < count; ++j)
        if (free[j]) outcome.a[j] = solution.coef[k++];
    outcome.sigma = freeSigmas(solution.covariance, funcnum, free);
    if (logarithmicA(funcnum) && free[0]) {
        outcome.a[0] = std::exp(outcome.a[0]);
        outcome.sigma[0] *= outcome.a[0];
    }

    outcome.chiSquare = 0;
    for (int i = 0; i < n; ++i) {
        const double r = (points.y[i] - modelValue(funcnum, points.x[i], outcome.a)) / points.sigmaY[i];
        outcome.chiSquare += r * r;
    }
    outcome.dof = n - p;
    outcome.ok = std::isfinite(outcome.chiSquare);
    return outcome;
}

} // namespace fitcore
