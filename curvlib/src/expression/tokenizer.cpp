#include "expression/tokenizer.h"

#include <algorithm>
#include <array>

#include "curvlib/curvlib.h"

namespace curvlib {
namespace {

// a1 .. a9 and a0, the short form of a10, in parameter order.
constexpr std::array<std::string_view, kMaxUserParameters> kParameterNames = {"a1", "a2", "a3", "a4", "a5",
                                                                              "a6", "a7", "a8", "a9", "a0"};

struct NameCode {
    std::string_view name;
    char code;
};

// Matched in this order: longer names before the shorter names they contain.
// clang-format off
constexpr std::array<NameCode, 19> kNameCodes = {{
    {"abs", 'A'},   {"exp", 'E'},   {"ln", 'L'},    {"log10", '@'}, {"asinh", 'N'}, {"acosh", 'V'},
    {"atanh", 'B'}, {"asin", 'D'},  {"acos", 'G'},  {"atan", 'J'},  {"sinh", 'K'},  {"cosh", 'M'},
    {"tanh", 'O'},  {"sin", 'S'},   {"cos", 'C'},   {"tan", 'T'},   {"pi", 'P'},    {"sqrt", 'R'},
    {"**", '^'},
}};
// clang-format on

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

void lowerCase(std::string& text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

// Every a10 becomes a0, so that its digits are not read as a1 followed by 0.
void shortenA10(std::string& text) {
    replaceAll(text, "a10", "a0");
}

void cutToTextLength(std::string& text) {
    if (text.size() > CURVLIB_TEXT_LEN) text.resize(CURVLIB_TEXT_LEN);
}

// Puts one blank after every run of digits and points; the 10 of log10 is part of the name.
void terminateNumbers(std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isNumberCharacter(text[i])) {
            ++i;
        } else if (i >= 3 && text.compare(i - 3, 5, "log10") == 0) {
            i += 2;
        } else {
            while (i < text.size() && isNumberCharacter(text[i]))
                ++i;
            text.insert(i, 1, ' ');
            ++i;
        }
    }
    cutToTextLength(text);
}

// Writes every number with an exponent, "<mantissa> e<sign><digits> ", as the group
// "(<mantissa> *10 ^<sign><digits> )", so that it stays one operand beside any operator: z/2e3 is
// z/2000 and 2^1e1 is 2^10. A blank follows only a number, so " e" starts an exponent. Without
// exponent digits the "e" is only rewritten as "*10 ^", and what follows stays as typed.
void encodeExponents(std::string& text) {
    for (auto at = text.find(" e"); at != std::string::npos; at = text.find(" e", at)) {
        std::size_t start = at;
        while (start > 0 && isNumberCharacter(text[start - 1]))
            --start;
        const std::size_t exponent = at + 2;
        std::size_t end = exponent;
        if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
        const std::size_t digits = end;
        while (end < text.size() && isNumberCharacter(text[end]))
            ++end;
        if (end == digits) {
            text.replace(at, 2, " *10 ^");
            at += 6;
            continue;
        }
        if (end < text.size() && text[end] == ' ') ++end; // the blank that ends the exponent's number
        const std::string group =
            "(" + text.substr(start, at - start) + " *10 ^" + text.substr(exponent, end - exponent) + ")";
        text.replace(start, end - start, group);
        at = start + group.size();
    }
}

} // namespace

std::size_t trimmedLength(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? 0 : last + 1;
}

void ENCODE(std::string& text, int16_t nparm) {
    std::erase(text, ' ');
    lowerCase(text);
    shortenA10(text);
    const int named = std::min<int>(nparm, kMaxUserParameters);
    for (int k = 1; k <= named; ++k)
        replaceAll(text, kParameterNames[k - 1], std::string(1, static_cast<char>(parameterCode(k))));
    terminateNumbers(text);
    encodeExponents(text);
    cutToTextLength(text);
    for (const auto& [name, code] : kNameCodes)
        replaceAll(text, name, std::string_view(&code, 1));
}

bool OPCONDITION(std::size_t position, std::string_view text) {
    if (position == 0 || position > text.size()) return false;
    return std::string_view("*/+-^({[").find(text[position - 1]) != std::string_view::npos;
}

void UNARY_MINUS(std::string& text) {
    if (!text.empty() && text[0] == '-') text[0] = '_';
    if (!text.empty() && text[0] == '+') text.erase(0, 1);
    // The last character is never examined; a removal moves the next character into place, so
    // the same position is looked at again.
    std::size_t i = 1;
    while (i + 1 < trimmedLength(text)) {
        if (text[i] == '-' && OPCONDITION(i, text)) {
            text[i] = '_';
        } else if (text[i] == '+' && OPCONDITION(i, text)) {
            text.erase(i, 1);
            continue;
        }
        ++i;
    }
}

std::string CHKPARM(std::string_view text, int16_t nparm, int16_t maximum) {
    if (maximum < nparm) return "Too many parameters in fitting function";
    std::string copy(text);
    lowerCase(copy);
    shortenA10(copy);
    const auto uses = [&copy](int k) { return copy.find(kParameterNames[k - 1]) != std::string::npos; };
    for (int k = 1; k <= std::min<int>(nparm, kMaxUserParameters); ++k)
        if (!uses(k)) return "Inconsistent fitting function--specified parameters are not in function";
    for (int k = std::max<int>(nparm + 1, 1); k <= std::min<int>(maximum, kMaxUserParameters); ++k)
        if (uses(k)) return "Inconsistent fitting function--there are incorrect parameters in function";
    return {};
}

} // namespace curvlib
