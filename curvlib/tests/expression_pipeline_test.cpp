#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "curvlib/curvlib.h"
#include "expression/tparse.h"
#include "expression_test_support.h"

namespace {

using expression_test::code;
using expression_test::padded;
using expression_test::tparse;

struct ValueCase {
    const char* text;
    float z;
    double value;
    double tolerance; // 0: exactly
};

TEST(ExpressionTparse, EvaluatesTypedTexts) {
    const double pi = 3.141592653589793;
    const ValueCase cases[] = {
        {"A1*EXP(-a2*Z)", 2, 1.5 * std::exp(-4.0), 1e-15},
        {"2e3", 0, 2000, 0},
        {"1.5E-3", 0, 0.0015, 1e-18},
        {"1e+2", 0, 100, 0},
        {"2e3^2", 0, 4000000, 0}, // a number with an exponent is one operand
        {"z/2e3", 1000, 0.5, 0},
        {"2^1e1", 0, 1024, 0},
        {"exp(-z/1e-3)", 0.002f, std::exp(-static_cast<double>(0.002f) / 0.001), 1e-15},
        {"-1.5e-3*z", 2, -0.003, 1e-18},
        {"log10(100)", 0, 2, 0},
        {"z**2", 3, 9, 0},
        {"-z^2", 3, -9, 0},
        {"-2^2", 0, -4, 0},
        {"2^3^2", 0, 64, 0},
        {"2^-1", 0, 0.5, 0},
        {"z-+1", 3, 2, 0},
        {"+z", 3, 3, 0},
        {"sin z*2", 0.5f, std::sin(static_cast<double>(0.5f)) * 2, 1e-15},
        {"sin(z)^2", 0.5f, std::pow(std::sin(static_cast<double>(0.5f)), 2), 1e-15},
        {"(z+1]*{z-1}", 3, 8, 0},
        {"pi*z", 2, 2 * pi, 1e-15},
        {"z*pi", 2, 2 * pi, 1e-15},
        {"e^z", 2, std::exp(2.0), 1e-14},
        {"sqrt(abs(-16))", 0, 4, 0},
        {"a1*z+a2", 2, 1.5 * 2 + 2, 0},
        {"A2 / a1", 0, 2 / 1.5, 1e-15},
    };
    for (const auto& c : cases) {
        const auto out = tparse(c.text, {1.5f, 2.0f}, c.z, 2);
        EXPECT_EQ(out.error, 0) << c.text << ": " << out.message;
        EXPECT_EQ(out.message, "") << c.text; // the message comes back blank
        if (c.tolerance == 0) EXPECT_EQ(out.value, c.value) << c.text;
        else EXPECT_NEAR(out.value, c.value, c.tolerance) << c.text;
    }
}

TEST(ExpressionTparse, RecognisesEveryA10) {
    std::vector<float> a(10, 1.0f);
    a[9] = 5.0f;
    const auto twice = tparse("a10*z+a10", a, 2, 10);
    EXPECT_EQ(twice.error, 0) << twice.message;
    EXPECT_EQ(twice.value, 15.0);
    const auto all = tparse("a1+a2+a3+a4+a5+a6+a7+a8+a9+a10", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, 10);
    EXPECT_EQ(all.value, 55.0);
}

struct FailureCase {
    const char* text;
    int16_t nparm;
    const char* message;
};

TEST(ExpressionTparse, ReportsFailures) {
    const char* noValue = "ErrorFlag True in FuncP, no function calculated";
    const FailureCase cases[] = {
        {"--z", 1, "ErrorFlag in FuncP set; probable pop error"},
        {"pie", 1, noValue},
        {"2z", 1, noValue},     // no implicit multiplication
        {"2 sin(z)", 1, noValue},
        {"a5*z", 3, noValue},   // a5 beyond nparm stays letters
        {"a11*z", 1, noValue},
        {"", 1, noValue},
        {"(z+1", 1, "Parser Error in RPN: Missing right bracket"},
        {"z+1)", 1, "Parser error in RPN"},
        {"(z+1)))", 1, "Parser error in RPN"},
        {"12.34.5*z", 1, "Number 12.34.5 cannot be read in Funcp"},
        {"ln(z-2)", 1, "can't take log of 0 or negative number in Funcp"},
        {"z/(z-2)", 1, "attempted divide by zero in Funcp"},
        {"z?1", 1, noValue}, // ? is classed as a function, and is not one
        {"z+#", 1, "Character #not found in RPNString"}, // # repeats z: the value is 2z
    };
    for (const auto& c : cases) {
        const auto out = tparse(c.text, {1, 1, 1}, 2, c.nparm);
        EXPECT_EQ(out.error, 1) << c.text;
        EXPECT_EQ(out.message, c.message) << c.text;
    }
}

TEST(ExpressionTparse, ValueIsNotWrittenWhenTheConversionFails) {
    EXPECT_EQ(tparse("(z+1", {}, 2, 1).value, -99.0);
    EXPECT_EQ(tparse("z+1)", {}, 2, 1).value, -99.0);
    EXPECT_EQ(tparse("ln(z-2)", {}, 2, 1).value, -99.0);
    EXPECT_EQ(tparse("pie", {}, 2, 1).value, 0.0);
}

TEST(ExpressionTparse, WritesTheEncodedTextBack) {
    EXPECT_EQ(tparse("A1*EXP(-a2*Z)", {1.5f, 2.0f}, 2, 2).encoded, code(1) + "*E(_" + code(2) + "*z)");
    EXPECT_EQ(tparse("(z+1", {}, 2, 1).encoded, "(z+1");
}

// A 200-character text ending in a number, in a buffer with guard bytes on both sides.
double evaluateFullText(const std::string& text, float z) {
    EXPECT_EQ(text.size(), 200u);
    std::string guarded = "@@@@" + text + "@@@@";
    std::string message = "####" + std::string(CURVLIB_MESSAGE_LEN, ' ') + "####";
    const float a[10] = {};
    const int16_t np = 10, nparm = 1;
    double value = -99;
    int16_t error = -1;
    tparsebuf(guarded.data() + 4, a, &z, &np, &nparm, &value, message.data() + 4, &error);
    EXPECT_EQ(guarded.substr(0, 4) + guarded.substr(204), "@@@@@@@@");
    EXPECT_EQ(message.substr(0, 4) + message.substr(84), "########");
    EXPECT_EQ(error, 0) << message;
    return value;
}

TEST(ExpressionTparse, FullTextEndingInANumberStaysInItsBuffer) {
    std::string sum;
    for (int i = 0; i < 99; ++i) sum += "z+";
    EXPECT_EQ(evaluateFullText(sum + "12", 2), 99 * 2 + 12);
    EXPECT_EQ(evaluateFullText(std::string(200, '1'), 0), 111111111111111.0);
    std::string ones;
    for (int i = 0; i < 100; ++i) ones += "1+";
    ones.back() = '1'; // 1+1+...+11: the encoding pushes the tail beyond 200 characters
    EXPECT_EQ(evaluateFullText(ones, 0), 67.0);
}

// Every text evaluated with the kept conversions and afresh gives the same value, error,
// message and encoded text.
TEST(ExpressionTparse, KeptConversionsGiveWhatAFreshConversionGives) {
    const char* texts[] = {
        "A1*EXP(-a2*Z)", "2e3^2", "-z^2", "z-+1", "--z", "pie", "(z+1", "z+1)", "12.34.5", "z#", "a5*z",
        "sqrt(z-3)", "a1*(1-exp(-a2*z))", "exp(-a1*z)/(a2+a3*z)", "(a1+a2*z+a3*z^2)/(1+a4*z+a5*z^2)",
        "a1*(z^2+z*a2)/(z^2+z*a3+a4)", "(a1/a2)*exp(-0.5*((z-a3)/a2)^2)", "a1/(1+exp(a2-a3*z))",
        "a1-a2*z-atan(a3/(z-a4))/pi", "log10(z)+ln(z)+asinh(z)+acosh(z)+atanh(z/10)",
    };
    const std::vector<float> a = {1.5f, 0.3f, 2.0f, 0.7f, 0.1f};
    for (const int16_t root : {int16_t{0}, int16_t{1}}) {
        maprootbuf(&root);
        for (const char* text : texts)
            for (float z : {-1.0f, 0.0f, 0.5f, 2.0f, 3.0f}) {
                curvlib::useConversionCache(true);
                const auto kept = tparse(text, a, z, 5);
                const auto keptAgain = tparse(text, a, z, 5);
                curvlib::useConversionCache(false);
                const auto fresh = tparse(text, a, z, 5);
                for (const auto& out : {keptAgain, fresh}) {
                    EXPECT_EQ(std::memcmp(&out.value, &kept.value, sizeof(double)), 0) << text << " at " << z;
                    EXPECT_EQ(out.error, kept.error) << text;
                    EXPECT_EQ(out.message, kept.message) << text;
                    EXPECT_EQ(out.encoded, kept.encoded) << text;
                }
            }
    }
    curvlib::useConversionCache(true);
    const int16_t off = 0;
    maprootbuf(&off);
}

TEST(ExpressionTparse, KeptConversionDependsOnTheParameterCount) {
    EXPECT_EQ(tparse("a1*z+a2", {2, 3}, 1, 2).value, 5.0);
    EXPECT_EQ(tparse("a1*z+a2", {2, 3}, 1, 1).error, 1);
    EXPECT_EQ(tparse("a1*z+a2", {2, 3}, 1, 2).value, 5.0);
}

} // namespace
