#include <gtest/gtest.h>

#include <string>

#include "expression/postfix.h"
#include "expression_test_support.h"

namespace {

using expression_test::code;
using expression_test::postfix;

struct Conversion {
    std::string postfix, message;
    int16_t error = 0, completion = -1;
};

Conversion rpn(const std::string& encoded) {
    Conversion out;
    curvlib::RPN(encoded, out.postfix, out.message, out.error, out.completion);
    return out;
}

struct RpnCase {
    std::string encoded;
    const char* tokens; // the postfix text expected, tokens separated by blanks
};

TEST(ExpressionRpn, ConvertsToPostfix) {
    const RpnCase cases[] = {
        {"z+z*z", "z z z * +"},
        {"2 ^3 ^2 ", "2 3 ^ 2 ^"},             // left-associative
        {"(" + code(1) + "+" + code(2) + ")*z", "a1 a2 + z *"},
        {"1 *10 ^_3 ", "1 10 3 _ ^ *"},        // 1e-3: the minus belongs to the exponent
        {"2 ^_1 ", "2 1 _ ^"},
        {"S(_z)", "z _ S"},
        {"2 *_z", "2 z _ *"},
        {"_z^2 ", "z 2 ^ _"},                  // unary minus binds looser than ^
        {"Sz*2 ", "z S 2 *"},                  // a function binds tighter than any operator
        {"S(z)^2 ", "z S 2 ^"},
        {"S(C(z))", "z C S"},
        {"(z+1 ]", "z 1 +"},                   // bracket kinds are interchangeable
        {"P*z", "P z *"},
        {"z*P", "z P *"},
        {"z-z-z", "z z - z -"},
        {"", ""},
    };
    for (const auto& c : cases) {
        const auto out = rpn(c.encoded);
        EXPECT_EQ(out.postfix, postfix(c.tokens)) << c.encoded;
        EXPECT_EQ(out.error, 0) << c.encoded;
        EXPECT_EQ(out.completion, 1) << c.encoded;
    }
}

TEST(ExpressionRpn, ReportsUnbalancedBrackets) {
    const std::pair<const char*, const char*> cases[] = {
        {"(z+1 ", "Parser Error in RPN: Missing right bracket"},
        {"((z)", "Parser Error in RPN: Missing right bracket"},
        {"z+1 )", "Parser error in RPN"},
        {"(z+1 )))", "Parser error in RPN"},
        {")", "Parser error in RPN"},
    };
    for (const auto& [encoded, message] : cases) {
        const auto out = rpn(encoded);
        EXPECT_EQ(out.error, 1) << encoded;
        EXPECT_EQ(out.message, message) << encoded;
        EXPECT_EQ(out.completion, 0) << encoded;
    }
}

TEST(ExpressionRpn, ErrorFlagIsNeverCleared) {
    Conversion out;
    out.error = 1;
    curvlib::RPN("z+1 ", out.postfix, out.message, out.error, out.completion);
    EXPECT_EQ(out.error, 1);
    EXPECT_EQ(out.completion, 1);
}

TEST(ExpressionRpn, NumberAtTheEndOf200CharactersKeepsItsEndingBlank) {
    std::string encoded;
    for (int i = 0; i < 99; ++i) encoded += "z+";
    encoded += "12";
    ASSERT_EQ(encoded.size(), 200u);
    const auto out = rpn(encoded);
    EXPECT_EQ(out.postfix.substr(out.postfix.size() - 5), "+12 +");
    EXPECT_EQ(out.postfix.size(), 201u);
}

} // namespace
