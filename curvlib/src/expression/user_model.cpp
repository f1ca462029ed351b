// The user-defined models of FUNCSN: 11 takes its derivatives from the typed derivative texts,
// 12 forms them by central differences. Both evaluate the texts of the function-text store.
#include <algorithm>
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

// Evaluates text slot `slot` (a slot beyond the store reads as a blank text) at x. On failure
// leaves the reason with suffix in the message slot and returns false.
bool evaluateSlot(int slot, const float* a, float x, int16_t nparm, double& value, std::string_view suffix) {
    static const std::string blankText(CURVLIB_TEXT_LEN, ' ');
    const char* text = slot < CURVLIB_TEXT_SLOTS ? storedText(slot).data() : blankText.data();
    std::string why;
    int16_t error = 0;
    evaluateText(text, a, x, nparm, value, why, error);
    if (error == 0) return true;
    why.resize(trimmedLength(why));
    setMessage(why + std::string(suffix));
    return false;
}

// Stores value rounded to 32 bits in roundedStepEnd: the step really is rounded through memory.
void DONOTHING(double value) {
    roundedStepEnd = static_cast<float>(value);
}

} // namespace

void USERFUNCSN(float x, const float* a, float& y, float* dyda, int16_t funcnum, int16_t& nparm,
                int16_t /*np*/) {
    // The parameters are perturbed for the numerical derivative in a copy of their own, so the
    // caller's values are never changed, not even by a failure half-way. (Static only to keep
    // its allocation: the library is not reentrant.)
    static std::vector<float> parameters;
    parameters.assign(a, a + std::max<int16_t>(nparm, 0));
    const int16_t count = nparm;
    const auto fail = [&nparm] { nparm = -1; };

    double value = 0;
    if (!evaluateSlot(0, parameters.data(), x, count, value, ": cannot calculate function")) return fail();
    y = static_cast<float>(value);

    for (int i = 1; i <= count; ++i) {
        if (funcnum == 11) {
            if (!evaluateSlot(i, parameters.data(), x, count, value, ": cannot calculate analytic deriv"))
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
        if (!evaluateSlot(0, parameters.data(), x, count, above, ": cannot calc 1st numerical deriv"))
            return fail();
        parameters[i - 1] = static_cast<float>(p - h);
        if (!evaluateSlot(0, parameters.data(), x, count, below, ": cannot calc 2nd numerical deriv"))
            return fail();
        dyda[i - 1] = static_cast<float>((above - below) / (2 * h));
        parameters[i - 1] = static_cast<float>(p);
    }
}

} // namespace curvlib
