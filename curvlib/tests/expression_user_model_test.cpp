// The user-defined models 11 (typed derivatives) and 12 (central differences) through funcsnbuf.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "curvlib/curvlib.h"
#include "expression_test_support.h"
#include "store_access.h"

namespace {

using expression_test::padded;
using expression_test::trimmed;

using store_access::storedMessage;
using store_access::storeText;

constexpr float kUnwritten = -99.0f;

struct Evaluation {
    float y = kUnwritten;
    std::array<float, 10> dyda;
    int16_t nparm;
    Evaluation() { dyda.fill(kUnwritten); }
};

Evaluation evaluate(int16_t funcnum, float x, std::array<float, 10>& a, int16_t nparm) {
    Evaluation out;
    out.nparm = nparm;
    const int16_t np = 10;
    funcsnbuf(&x, a.data(), &out.y, out.dyda.data(), &funcnum, &out.nparm, &np);
    return out;
}

class ExpressionUserModel : public ::testing::Test {
protected:
    void SetUp() override {
        for (int16_t i = 0; i < CURVLIB_TEXT_SLOTS; ++i) storeText(i, "");
        storeText(0, "a1*exp(a2*z)");
        storeText(1, "exp(a2*z)");
        storeText(2, "a1*z*exp(a2*z)");
    }
};

TEST_F(ExpressionUserModel, TypedAndNumericalDerivativesAgreeWithTheExponentialModel) {
    std::array<float, 10> a{5.0073f, -0.30031f};
    for (float x : {0.0f, 1.0f, 2.5f, 7.0f}) {
        const auto builtIn = evaluate(3, x, a, 2);
        const auto typed = evaluate(11, x, a, 2);
        const auto numerical = evaluate(12, x, a, 2);
        EXPECT_EQ(typed.nparm, 2);
        EXPECT_EQ(numerical.nparm, 2);
        EXPECT_FLOAT_EQ(typed.y, builtIn.y) << x;
        EXPECT_FLOAT_EQ(numerical.y, builtIn.y) << x;
        for (int i = 0; i < 2; ++i) {
            EXPECT_FLOAT_EQ(typed.dyda[i], builtIn.dyda[i]) << x << " a" << i + 1;
            EXPECT_NEAR(numerical.dyda[i], builtIn.dyda[i], 1e-5 * std::fabs(builtIn.dyda[i]) + 1e-7)
                << x << " a" << i + 1;
        }
        EXPECT_EQ(typed.dyda[2], kUnwritten);
    }
}

TEST_F(ExpressionUserModel, NumericalStepAtAZeroParameterIs0001) {
    storeText(0, "a1^3+a2*z");
    std::array<float, 10> a{0.0f, 2.0f};
    const auto out = evaluate(12, 3, a, 2);
    ASSERT_EQ(out.nparm, 2);
    // (h^3 - (-h)^3) / 2h = h^2 with h = 0.001 as a 32-bit float.
    const double h = static_cast<double>(0.001f);
    EXPECT_FLOAT_EQ(out.dyda[0], static_cast<float>(h * h));
    EXPECT_FLOAT_EQ(out.dyda[1], 3.0f);
}

struct FailureCase {
    int16_t funcnum;
    const char* function;
    const char* derivative2; // text of slot 2 (model 11)
    std::array<float, 2> a;
    int written; // how many dyda values are written before the failure; -1: not even y
    std::string message;
};

TEST_F(ExpressionUserModel, FailureLeavesTheReasonAndStopsWhereItFailed) {
    const std::string logFailure = "can't take log of 0 or negative number in Funcp";
    const std::string sqrtFailure = "can't take square root of neg number in Funcp";
    const std::string bracketFailure = "Parser Error in RPN: Missing right bracket";
    const std::string powerFailure = "can't take neg. number to a real exponent in Funcp";
    const FailureCase cases[] = {
        {11, "ln(z-a1)", "z", {5, 1}, -1, logFailure + ": cannot calculate function"},
        {12, "ln(z-a1)", "", {5, 1}, -1, logFailure + ": cannot calculate function"},
        {11, "a1*z", "ln(a2-z)", {1, 1}, 1, logFailure + ": cannot calculate analytic deriv"},
        {11, "a1*z+a2", "(z", {1, 1}, 1, bracketFailure + ": cannot calculate analytic deriv"},
        {12, "z+sqrt(a2-1)", "", {1, 1}, 1, sqrtFailure + ": cannot calc 2nd numerical deriv"},
        {12, "z+sqrt(1-a2)", "", {1, 1}, 1, sqrtFailure + ": cannot calc 1st numerical deriv"},
        {12, "a2+sqrt(1-a1)", "", {1, 1}, 0, sqrtFailure + ": cannot calc 1st numerical deriv"},
        // The smallest float has no step: p + h rounds back to p.
        {12, "a1+a2", "", {1, 1e-45f}, 1, "Delta = 0 in numerical deriv"},
        // Cut to the 80 characters of the message slot.
        {12, "z+(-1)^(a1+1)", "", {0, 1}, 0,
         (powerFailure + ": cannot calc 1st numerical deriv").substr(0, 80)},
    };
    for (const auto& c : cases) {
        storeText(0, c.function);
        storeText(2, c.derivative2);
        std::array<float, 10> a{c.a[0], c.a[1]};
        const auto before = a;
        const auto out = evaluate(c.funcnum, 1, a, 2);
        EXPECT_EQ(out.nparm, -1) << c.function;
        EXPECT_EQ(storedMessage(), padded(c.message, CURVLIB_MESSAGE_LEN)) << c.function;
        EXPECT_EQ(out.y == kUnwritten, c.written < 0) << c.function;
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(out.dyda[i] != kUnwritten, i < c.written) << c.function << " dyda " << i + 1;
        EXPECT_EQ(a, before) << c.function; // the caller's parameters are not changed
    }
}

TEST_F(ExpressionUserModel, StoredTextIsNotChangedByTheEvaluation) {
    std::array<float, 10> a{1, 2};
    evaluate(12, 1, a, 2);
    char text[CURVLIB_TEXT_LEN], message[CURVLIB_MESSAGE_LEN];
    const int16_t mode = 1, index = 0;
    holdstringbuf(text, message, &mode, &index);
    EXPECT_EQ(trimmed({text, CURVLIB_TEXT_LEN}), "a1*exp(a2*z)");
}

} // namespace
