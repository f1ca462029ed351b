// Points, held parameters and the outcome of a fit, shared by the engines.
#pragma once

#include <fitcore/models.h>

#include <array>
#include <vector>

namespace fitcore {

struct Points {
    std::vector<double> x, y;
    std::vector<double> sigmaY; // > 0
    std::vector<double> sigmaX; // >= 0; empty when the fit has no X errors
    int size() const { return static_cast<int>(x.size()); }
};

// free[j]: parameter j is fitted; otherwise it is held at its start value.
using FreeMask = std::array<bool, kMaxModelParams>;

int freeCount(int funcnum, const FreeMask& free);

// Whether the measured x take at least count different values: the least a fit of count free
// parameters of models 1 to 4 needs. (With errors in X, points on one vertical line would
// otherwise be "fitted" by an ever steeper line.)
bool enoughDistinctX(const Points& points, int count);

struct FitOutcome {
    bool ok = false;
    Params a{};         // fitted values; held ones as given
    Params sigma{};     // square roots of the covariance diagonal, not scaled by chi-square; 0 if held
    double chiSquare = 0;
    int dof = 0;        // points minus fitted parameters, > 0 when ok
};

// Weighted fit of any of the eleven models without X errors. Models 2 and 3 are fitted as
// ln Y (sigma = sigmaY / Y), models 9 and 10 as 1/Y (sigma = sigmaY / Y^2), all as linear
// least squares; the uncertainty of A for models 2 and 3 is A times that of ln A. The
// chi-square is that of the data: sum ((y - f(x)) / sigmaY)^2 with the fitted parameters.
// Fails for a point outside the model's domain, dependent columns (all x equal) or dof <= 0.
FitOutcome fitLinearised(int funcnum, const Points& points, const Params& start, const FreeMask& free);

// Models 1 to 4 with X errors: minimises the effective-variance chi-square
//   S = sum (y - f(x))^2 / (sigmaY^2 + f'(x)^2 sigmaX^2)
// over the free parameters by Levenberg-Marquardt on the weighted residuals, whose Jacobian
// includes the dependence of the weights on the parameters (for a straight line the minimum
// is York's line, and the covariance York's). Starts from fitLinearised when that succeeds,
// else from start. Fails unless enoughDistinctX.
FitOutcome fitEffectiveVariance(int funcnum, const Points& points, const Params& start, const FreeMask& free);

// The covariance diagonal of a linear solution over the free parameters, spread back to all
// parameter slots (0 for held ones).
Params freeSigmas(const std::vector<double>& covariance, int funcnum, const FreeMask& free);

// The parameters after a step of the iterative fits: a with length times correction[k] added
// to its k-th free parameter, and the largest change relative to the size of its parameter.
struct Trial {
    Params a{};
    double largestChange = 0;
};
Trial trialStep(int funcnum, const FreeMask& free, const Params& a, const std::vector<double>& correction,
                double length = 1.0);

// A relative change below which an iterative fit has settled: far below what a float result
// shows, and below it the sum of squares only moves by rounding.
inline constexpr double kSettledChange = 1e-10;

} // namespace fitcore
