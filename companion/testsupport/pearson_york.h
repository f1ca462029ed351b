// Pearson's data with York's weights, the classic test of a straight line with errors in both
// coordinates, and its published answer (York 1966; York, Evensen, Martinez, Delgado 2004).
#pragma once

#include <cmath>
#include <vector>

namespace companion_test {

struct PearsonYork {
    std::vector<float> x{0.0f, 0.9f, 1.8f, 2.6f, 3.3f, 4.4f, 5.2f, 6.1f, 6.5f, 7.4f};
    std::vector<float> y{5.9f, 5.4f, 4.4f, 4.6f, 3.5f, 3.7f, 2.8f, 2.8f, 2.4f, 1.5f};
    std::vector<float> sigmaX, sigmaY;
    PearsonYork() {
        const double weightX[] = {1000, 1000, 500, 800, 200, 80, 60, 20, 1.8, 1};
        const double weightY[] = {1, 1.8, 4, 8, 20, 20, 70, 70, 100, 500};
        for (int i = 0; i < 10; ++i) {
            sigmaX.push_back(static_cast<float>(1.0 / std::sqrt(weightX[i])));
            sigmaY.push_back(static_cast<float>(1.0 / std::sqrt(weightY[i])));
        }
    }
    static constexpr double slope = -0.480533, intercept = 5.479910;
    static constexpr double sum = 11.866, reducedChiSquare = 1.4833, probability = 0.157;
    // York 2004's standard errors, and the same scaled by sqrt(reduced chi-square).
    static constexpr double slopeError = 0.057985, interceptError = 0.294971;
    static constexpr double scaledSlopeError = 0.07062, scaledInterceptError = 0.35925;
};

} // namespace companion_test
