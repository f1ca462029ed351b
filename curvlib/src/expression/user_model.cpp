// The user-defined models of FUNCSN: 11 takes its derivatives from the typed derivative texts,
// 12 forms them by central differences. Both evaluate the texts of the function-text store.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "curvlib/curvlib.h"
#include "expression/tokenizer.h"
#include "expression/tparse.h"
#include "models.h"
#include "text_store.h"

namespace curvlib {
namespace {

// The step of the numerical derivative, rounded to 32 bits in memory by DONOTHING.
volatile float roundedStepEnd = 0;

using Message = std::array<char, CURVLIB_MESSAGE_LEN>;

// Evaluates text slot `slot` (a slot beyond the store reads as a blank text) at x. On failure
// leaves the message of TPARSE with suffix in the message slot and returns false.
bool evaluateSlot(int slot, const float* a, float x, int16_t np, int16_t nparm, double& value,
                  std::string_view suffix) {
    std::array<char, CURVLIB_TEXT_LEN> text;
    copyPadded(text.data(), CURVLIB_TEXT_LEN, slot < CURVLIB_TEXT_SLOTS ? storedText(slot) : std::string_view{});
    Message message;
    int16_t error = 0;
    TPARSE(text.data(), a, x, np, nparm, value, message.data(), error);
    if (error == 0) return true;
    const std::string_view why(message.data(), trimmedLength({message.data(), message.size()}));
    setMessage(std::string(why) + std::string(suffix));
    return false;
}

// Stores value rounded to 32 bits in roundedStepEnd: the step really is rounded through memory.
void DONOTHING(double value) { roundedStepEnd = static_cast<float>(value); }

} // namespace

void USERFUNCSN(float x, const float* a, float& y, float* dyda, int16_t funcnum, int16_t& nparm, int16_t np) {
    // The parameters are perturbed for the numerical derivative in a copy of their own, so the
    // caller's values are never changed, not even by a failure half-way.
    std::vector<float> parameters(a, a + std::max<int16_t>(nparm, 0));
    const int16_t count = nparm;
    const auto fail = [&nparm] { nparm = -1; };

    double value = 0;
    if (!evaluateSlot(0, parameters.data(), x, np, count, value, ": cannot calculate function")) return fail();
    y = static_cast<float>(value);

    for (int i = 1; i <= count; ++i) {
        if (funcnum == 11) {
            if (!evaluateSlot(i, parameters.data(), x, np, count, value, ": cannot calculate analytic deriv"))
                return fail();
            dyda[i - 1] = static_cast<float>(value);
            continue;
        }
        const double p = parameters[i - 1];
        double h = p == 0 ? 0.001 : 0.001 * p;
        DONOTHING(p + h);
        h = static_cast<double>(roundedStepEnd) - p;
        if (h == 0) {
            setMessage("Delta = 0 in numerical deriv");
            return fail();
        }
        double above = 0, below = 0;
        parameters[i - 1] = static_cast<float>(p + h);
        if (!evaluateSlot(0, parameters.data(), x, np, count, above, ": cannot calc 1st numerical deriv"))
            return fail();
        parameters[i - 1] = static_cast<float>(p - h);
        if (!evaluateSlot(0, parameters.data(), x, np, count, below, ": cannot calc 2nd numerical deriv"))
            return fail();
        dyda[i - 1] = static_cast<float>((above - below) / (2 * h));
        parameters[i - 1] = static_cast<float>(p);
    }
}

} // namespace curvlib
