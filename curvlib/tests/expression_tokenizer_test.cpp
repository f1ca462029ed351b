#include <gtest/gtest.h>

#include <string>

#include "curvlib/curvlib.h"
#include "expression/tokenizer.h"
#include "expression_test_support.h"

namespace {

using curvlib::ENCODE;
using curvlib::UNARY_MINUS;
using expression_test::code;
using expression_test::padded;

struct EncodeCase {
    const char* typed;
    int16_t nparm;
    std::string encoded; // after ENCODE and UNARY_MINUS, blanks after numbers included
};

std::string encode(std::string text, int16_t nparm) {
    text = padded(text, CURVLIB_TEXT_LEN);
    ENCODE(text, nparm);
    UNARY_MINUS(text);
    return text;
}

TEST(ExpressionEncode, RewritesTypedTexts) {
    const EncodeCase cases[] = {
        {"A1*EXP(-a2*Z)", 2, code(1) + "*E(_" + code(2) + "*z)"},
        {" Z * 2 ", 1, "z*2 "},
        {"2e3", 1, "(2 *10 ^3 )"}, // a number with an exponent is one bracketed operand
        {"1.5E-3", 1, "(1.5 *10 ^_3 )"},
        {"1e+2", 1, "(1 *10 ^2 )"},
        {"2e3^2", 1, "(2 *10 ^3 )^2 "},
        {"z/2E3*a1", 1, "z/(2 *10 ^3 )*" + code(1)},
        {"2^1e1", 1, "2 ^(1 *10 ^1 )"},
        {"exp(-z/1e-3)", 1, "E(_z/(1 *10 ^_3 ))"},
        {"2ez", 1, "2 *10 ^z"}, // no exponent digits: nothing to group
        {".5+5.", 1, ".5 +5. "},
        {"12.34.5", 1, "12.34.5 "},
        {"log10(100)", 1, "@(100 )"},
        {"log105", 1, "@5 "},
        {"abs,exp,ln,log10,asinh,acosh,atanh,asin,acos,atan,sinh,cosh,tanh,sin,cos,tan,pi,sqrt", 1,
         "A,E,L,@,N,V,B,D,G,J,K,M,O,S,C,T,P,R"},
        {"z**2", 1, "z^2 "},
        {"-z^2", 1, "_z^2 "},
        {"2*-z", 1, "2 *_z"},
        {"z-+1", 1, "z-1 "},
        {"+z", 1, "z"},
        {"z*++1", 1, "z*1 "}, // a removed plus brings the next one under examination
        {"--z", 1, "_-z"},    // the marker _ is no operator: only the first minus is unary
        {"z*-", 1, "z*-"},    // the last character is never examined
        {"pie", 1, "Pe"},
        {"a5*z", 3, "a5 *z"},                           // names beyond nparm stay letters
        {"a10*z+a10", 10, code(10) + "*z+" + code(10)}, // every a10, not only the first
        {"a0+a1", 10, code(10) + "+" + code(1)},
        {"a11*z", 1, code(1) + "1 *z"},
    };
    for (const auto& c : cases) EXPECT_EQ(encode(c.typed, c.nparm), c.encoded) << c.typed;
}

TEST(ExpressionEncode, WhatIsPushedBeyond200CharactersIsLost) {
    std::string ones;
    for (int i = 0; i < 100; ++i) ones += "1+";
    std::string expected;
    for (int i = 0; i < 66; ++i) expected += "1 +";
    expected += "1 ";
    EXPECT_EQ(encode(ones, 1), expected);
}

TEST(ExpressionOpcondition, LooksAtThePreviousCharacter) {
    for (char before : std::string("*/+-^({["))
        EXPECT_TRUE(curvlib::OPCONDITION(1, std::string{before, '-'})) << before;
    for (char before : std::string("z)]}_1 "))
        EXPECT_FALSE(curvlib::OPCONDITION(1, std::string{before, '-'})) << before;
    EXPECT_FALSE(curvlib::OPCONDITION(0, "-z"));
}

struct ChkparmCase {
    const char* text;
    int16_t nparm, maximum;
    const char* message; // "" when the check passes
};

TEST(ExpressionChkparm, ReportsTheFirstInconsistency) {
    const char* missing = "Inconsistent fitting function--specified parameters are not in function";
    const char* extra = "Inconsistent fitting function--there are incorrect parameters in function";
    const ChkparmCase cases[] = {
        {"a1*z+a3", 2, 10, missing},
        {"a1*z+a2+a3", 2, 10, extra},
        {"A1*Z+A2", 2, 10, ""},
        {"a10*z", 10, 10, missing}, // a10 is not a1 followed by 0
        {"a1+a2+a3+a4+a5+a6+a7+a8+a9+a10", 10, 10, ""},
        {"a1+a2+a3+a4+a5+a6+a7+a8+a9+a0", 10, 10, ""},
        {"a11*z", 1, 10, ""},
        {"a1*z", 11, 10, "Too many parameters in fitting function"},
        {"a1*z+a10*a10", 1, 10, extra},
        {"a1*z+a10", 1, 9, ""}, // only a2 .. a9 are looked for
    };
    for (const auto& c : cases) {
        const std::string text = padded(c.text, CURVLIB_TEXT_LEN);
        std::string message = padded("untouched", CURVLIB_MESSAGE_LEN);
        int16_t error = -1;
        chkparm(text.data(), &c.nparm, &c.maximum, message.data(), &error);
        const bool passes = std::string(c.message).empty();
        EXPECT_EQ(error, passes ? 0 : 1) << c.text;
        EXPECT_EQ(message, padded(passes ? "untouched" : c.message, CURVLIB_MESSAGE_LEN)) << c.text;
        EXPECT_EQ(text, padded(c.text, CURVLIB_TEXT_LEN)); // the caller's text is not changed
    }
}

} // namespace
