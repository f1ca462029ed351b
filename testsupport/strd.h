// Reader for the NIST StRD reference files used by the engine tests.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct StrdParameter {
    double start1 = 0, start2 = 0; // nonlinear sets only
    double certified = 0;
    double certifiedSd = 0;
};

struct StrdSet {
    std::vector<StrdParameter> parameters; // b1.. (nonlinear) or B0.. (linear), in order
    double residualSumOfSquares = 0;       // nonlinear sets; the ANOVA residual row for linear sets
    double residualSd = 0;
    std::vector<double> x, y; // first predictor column and the response
};

// Reads <REFERENCE_DATA_DIR>/nist-strd/<name>.dat; throws std::runtime_error when it cannot.
StrdSet loadStrd(const std::string& name);

// Number of correct significant digits of got against want: -log10(|got - want| / |want|).
double significantDigits(double got, double want);

} // namespace testsupport
