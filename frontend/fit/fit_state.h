// The fit screen's working state: what the driver copies out of the store on activation, what the
// engines fill, and the choices of the Run and Options menus. Arrays are vectors whose element
// i - 1 holds point or parameter i, as the engines take them.
#ifndef FRONTEND_FIT_FIT_STATE_H
#define FRONTEND_FIT_FIT_STATE_H

#include "session/store.h"

namespace frontend {

inline constexpr std::int16_t JolietteAlgorithm = 1;
inline constexpr std::int16_t LybanonAlgorithm = 2;

struct FitState {
    std::int16_t capacity = 0;
    std::int16_t pointCount = 0;
    Floats x, y, ySigma;
    Floats xSigma{0, 0};
    std::int16_t xSigmaLength = 2;
    Floats reportedYSigma, yCalc, residuals;

    std::int16_t yKind = 0, ySub = 0;
    float yValue = 0;
    std::int16_t xKind = 0;
    float xValue = 0;

    std::int16_t functionNumber = 0, paramCount = 0, heldCount = 0;
    VaryFlagArray varyFlags{};
    Params initialParams{}, params{}, paramErrors{}, derivatives{};

    float chiSquare = 0, probability = 0, lambda = 0;
    std::int16_t iterations = 0;
    // The last non-linear run accepted no step: its values are the estimates it started from.
    bool stayedAtEstimates = false;
    // The method that fitted with X errors in the last run ("Joliette" or "Lybanon", for the quadratic
    // model), empty when the run used no such method.
    QString xErrorMethod;

    // Menu choices: whether runs use the X errors, the quadratic X-error method, full or summary report.
    bool useXErrors = true;
    std::int16_t quadraticAlgorithm = JolietteAlgorithm;
    bool fullReport = true;
    // 1 after an activation; one more after each non-linear run that stopped at the iteration limit.
    std::int16_t attempts = 1;
};

} // namespace frontend

#endif
