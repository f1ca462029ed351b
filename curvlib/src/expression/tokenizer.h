// The tokenizer of user-defined functions: it normalises a typed text and gives every
// multi-character name a one-character code, so that the postfix conversion and the evaluator
// work on single characters. Also the check that a text uses exactly the parameters it should.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace curvlib {

// Code of parameter a(k), k = 1..10, in an encoded text: the character 127 + k.
constexpr int kMaxUserParameters = 10;
constexpr unsigned char parameterCode(int k) {
    return static_cast<unsigned char>(127 + k);
}

// Digits and the point: the characters of a number.
constexpr bool isNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

// Length of text without its trailing blanks.
std::size_t trimmedLength(std::string_view text);

// Rewrites text (at most 200 characters; anything pushed beyond is lost) in place:
//  - blanks removed, A..Z lower-cased;
//  - every a10 is read as a0 (not only the first), and a1 .. a9, a0 of the first nparm
//    parameters become their codes (names of parameters beyond nparm stay letters);
//  - every run of digits and points becomes a number followed by one blank (the 10 of log10
//    belongs to the name); a number with an exponent, 2e3 or 1.5e-3, becomes one bracketed
//    operand "(2 *10 ^3 )", "(1.5 *10 ^-3 )";
//  - abs exp ln log10 asinh acosh atanh asin acos atan sinh cosh tanh sin cos tan pi sqrt
//    become A E L @ N V B D G J K M O S C T P R, in that order; ** becomes ^.
// Nothing fails here: what is not recognised stays for the evaluator to report.
void ENCODE(std::string& text, int16_t nparm);

// Marks unary minus signs as '_' and removes unary plus signs: the first character, and every
// later one except the last that follows one of * / + - ^ ( { [ (see OPCONDITION).
void UNARY_MINUS(std::string& text);

// Whether the character before position (0-based) of text is one of * / + - ^ ( { [.
bool OPCONDITION(std::size_t position, std::string_view text);

// The parameter check of chkparm: nparm <= maximum, each of a1..a(nparm) occurs in text and
// none of a(nparm+1)..a(maximum) does. Returns the message of the first check that fails, or
// an empty string when all pass. Letter case does not matter; every a10 counts as a10.
std::string CHKPARM(std::string_view text, int16_t nparm, int16_t maximum);

} // namespace curvlib
