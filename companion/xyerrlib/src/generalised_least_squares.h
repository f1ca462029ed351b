// Lybanon's generalised least squares: the true X values are unknowns of the fit.
#pragma once

#include <fitcore/fit.h>

namespace xyerrlib {

// Minimises S = sum ((x - X)/sigmaX)^2 + ((y - f(X))/sigmaY)^2 over the free parameters and
// every true X, for models 1 to 4.
fitcore::FitOutcome fitGeneralised(int funcnum, const fitcore::Points& points, const fitcore::Params& start,
                                   const fitcore::FreeMask& free);

} // namespace xyerrlib
