#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "curvlib/curvlib.h"
#include "expression/evaluator.h"
#include "expression_test_support.h"

namespace {

using expression_test::code;
using expression_test::postfix;

struct Evaluation {
    double value = -99.0; // stays so when FUNCP does not write it
    int16_t error = 0;
    std::string message;
};

Evaluation funcp(const std::string& text, float z = 0, std::vector<float> a = {}, int16_t nparm = 0) {
    a.resize(10, 0.0f);
    Evaluation out;
    curvlib::FUNCP(a.data(), 10, z, text, nparm, out.message, out.error, out.value);
    return out;
}

void setSquareRootSwitch(int16_t flag) { maprootbuf(&flag); }

class ExpressionFuncp : public ::testing::Test {
protected:
    void TearDown() override { setSquareRootSwitch(0); }
};

struct ValueCase {
    const char* tokens;
    float z;
    double value;
    double tolerance; // 0: exactly
};

TEST_F(ExpressionFuncp, EvaluatesPostfixTexts) {
    const double inf = std::numeric_limits<double>::infinity();
    const ValueCase cases[] = {
        {"z @", 2, 0.30103, 1e-5},
        {"e", 0, 2.718281828459045, 0},
        {"P S", 0, 1.2246467991473532e-16, 1e-30}, // pi is a 64-bit value: sin is not 0
        {"P", 0, 3.141592653589793, 0},
        {"2 _ 2 ^", 0, 4, 0},                     // integer powers of negative bases
        {"2 _ 3 ^", 0, -8, 0},
        {"0 1 _ ^", 0, inf, 0},
        {"0 0 ^", 0, 1, 0},
        {"2 10 _ ^", 0, 1.0 / 1024, 0},
        {"2 0.5 ^", 0, std::sqrt(2.0), 0},
        {"1 10 3 _ ^ *", 0, 0.001, 1e-18},
        {"2 3 ^ 2 ^", 0, 64, 0},
        {"1.0000001 V", 0, 0.000447, 1e-6},
        {"0.999 B", 0, 3.8002, 1e-4},
        {"2 N", 0, std::asinh(2.0), 1e-15},
        {"3 _ A", 0, 3, 0},
        {"16 R", 0, 4, 0},
        {"z E L", 1.5, 1.5, 1e-15},
        {"z S z C / z T -", 0.7f, 0, 1e-15},
        {"0.5 D 0.5 G + 2 *", 0, 3.141592653589793, 1e-15},
        {"1 J 4 *", 0, 3.141592653589793, 1e-15},
        {"1 K 1 M +", 0, std::exp(1.0), 1e-15},
        {"0.5 O", 0, std::tanh(0.5), 0},
        {"1234567890123456789", 0, 123456789012345, 0}, // the first 15 characters only
        {"5.", 0, 5, 0},
        {".5", 0, 0.5, 0},
        {"1 10 15 ^ ^", 0, 1, 0}, // a huge integer exponent does not loop for ever
        {"z a1 * a2 +", 2, 7, 0},
    };
    for (const auto& c : cases) {
        const auto out = funcp(postfix(c.tokens), c.z, {3, 1}, 2);
        EXPECT_EQ(out.error, 0) << c.tokens << ": " << out.message;
        if (c.tolerance == 0) EXPECT_EQ(out.value, c.value) << c.tokens;
        else EXPECT_NEAR(out.value, c.value, c.tolerance) << c.tokens;
    }
}

TEST_F(ExpressionFuncp, WidensParametersAndZOnce) {
    const auto out = funcp(postfix("z a1 +"), 0.1f, {0.2f}, 1);
    EXPECT_EQ(out.value, static_cast<double>(0.1f) + static_cast<double>(0.2f));
}

TEST_F(ExpressionFuncp, OutsideTheDomainOfArcsinAndArccosIsNotAFailure) {
    const auto out = funcp(postfix("2 G"));
    EXPECT_EQ(out.error, 0);
    EXPECT_TRUE(std::isnan(out.value));
}

struct FailureCase {
    std::string text;
    const char* message;
    double value; // -99: not written
};

TEST_F(ExpressionFuncp, NamesEachFailure) {
    const char* noValue = "ErrorFlag True in FuncP, no function calculated";
    const FailureCase cases[] = {
        {postfix("2 _ 2.5 ^"), "can't take neg. number to a real exponent in Funcp", -99},
        {postfix("0 0.5 _ ^"), "can't take 0 to a negative power in Funcp", -99},
        {postfix("z 0 /"), "attempted divide by zero in Funcp", -99},
        {postfix("0 L"), "can't take log of 0 or negative number in Funcp", -99},
        {postfix("1 _ @"), "can't take log of 0 or negative number in Funcp", -99},
        {postfix("4 _ R"), "can't take square root of neg number in Funcp", -99},
        {postfix("1 V"), "can't take ArcCosh of value <= 1", -99},
        {postfix("1 B"), "can't take ArcTanh of value >= 1 or <= -1", -99},
        {postfix("1 _ B"), "can't take ArcTanh of value >= 1 or <= -1", -99},
        {postfix("z +"), "ErrorFlag in FuncP set; probable pop error", -99},
        {postfix("S"), "ErrorFlag in FuncP set; probable pop error", -99},
        {postfix("z _ _ +"), "ErrorFlag in FuncP set; probable pop error", -99},
        {postfix("/"), "ErrorFlag in FuncP set; probable pop error", -99}, // not a division by 0
        {postfix("z z"), noValue, 0.0},
        {"", noValue, 0.0},
        {postfix("12.34.5"), "Number 12.34.5 cannot be read in Funcp", -99},
        {postfix("."), "Number . cannot be read in Funcp", -99},
        {"1a ", "Number 1a cannot be read in Funcp", -99},
        {postfix("z y +"), "Character ynot found in RPNString", 4.0}, // y repeats z
        {postfix("z y"), noValue, 0.0}, // the end check replaces the message
        {"\xC8", "Ascii character 127 + Inot found in RPNString", 0.0},
        // A parameter code beyond nparm is a stray character like any other.
        {postfix("a3"), "Ascii character 127 + \x03not found in RPNString", 0.0},
    };
    for (const auto& c : cases) {
        const auto out = funcp(c.text, 2, {1, 1, 1}, 2);
        EXPECT_EQ(out.error, 1) << c.text;
        EXPECT_EQ(out.message, c.message) << c.text;
        EXPECT_EQ(out.value, c.value) << c.text;
    }
}

TEST_F(ExpressionFuncp, SquareRootSwitchMapsNegativeRootsToZero) {
    const std::string root = postfix("4 _ R");
    setSquareRootSwitch(1);
    EXPECT_EQ(funcp(root).error, 0);
    EXPECT_EQ(funcp(root).value, 0.0);
    EXPECT_EQ(funcp(postfix("9 R")).value, 3.0);
    for (const int16_t off : {int16_t{2}, int16_t{-1}, int16_t{0}}) {
        setSquareRootSwitch(1);
        setSquareRootSwitch(off);
        EXPECT_EQ(funcp(root).error, 1) << off;
    }
}

TEST_F(ExpressionFuncp, MaprootReadsAndStoresTheSwitch) {
    int16_t value = 1;
    curvlib::MAPROOT(value, 0);
    value = -5;
    curvlib::MAPROOT(value, 1);
    EXPECT_EQ(value, 1);
    int16_t other = 0;
    curvlib::MAPROOT(other, 2); // neither stores nor reads
    EXPECT_EQ(other, 0);
    curvlib::MAPROOT(value, 1);
    EXPECT_EQ(value, 1);
}

TEST(ExpressionValueStack, PopsInReverseOrderAndFlagsAnEmptyStack) {
    curvlib::ValueStack stack;
    bool flag = false;
    curvlib::PUSH(2.5, stack);
    curvlib::PUSH(-1.0, stack);
    EXPECT_EQ(curvlib::POP(stack, flag), -1.0);
    EXPECT_EQ(curvlib::POP(stack, flag), 2.5);
    EXPECT_FALSE(flag);
    curvlib::POP(stack, flag);
    EXPECT_TRUE(flag);
    EXPECT_EQ(stack.count, 0);
}

TEST(ExpressionInverseHyperbolic, MatchTheirDefinitions) {
    for (double v : {-3.0, -0.5, 0.0, 0.5, 3.0}) EXPECT_NEAR(curvlib::ARCSINH(v), std::asinh(v), 1e-14) << v;
    for (double v : {1.5, 2.0, 10.0}) EXPECT_NEAR(curvlib::ARCCOSH(v), std::acosh(v), 1e-14) << v;
    for (double v : {-0.9, 0.0, 0.3, 0.9}) EXPECT_NEAR(curvlib::ARCTANH(v), std::atanh(v), 1e-14) << v;
}

} // namespace
