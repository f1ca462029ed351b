#include "number_text.h"

#include <utilcore/utilcore.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace utilcore {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::size_t countDigits(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) ++end;
    return end - from;
}

// True when text is exactly one number of the grammar of parseReal (blanks already removed).
bool isRealNumber(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t whole = countDigits(text, at);
    at += whole;
    std::size_t fraction = 0;
    if (at < text.size() && text[at] == '.') {
        fraction = countDigits(text, ++at);
        at += fraction;
    }
    if (whole + fraction == 0) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        const std::size_t exponent = countDigits(text, at);
        if (exponent == 0) return false;
        at += exponent;
    }
    return at == text.size();
}

// For a number of that grammar with a non-zero digit: the power of ten of its leading digit
// plus one (1 for "5", 0 for "0.5", -2 for "1e-3"), saturated far outside the float range.
long decimalMagnitude(std::string_view text) {
    std::size_t at = (text.front() == '+' || text.front() == '-') ? 1 : 0;
    long magnitude = 0;
    bool leading = true;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        if (text[at] != '0') leading = false;
        if (!leading) ++magnitude;
    }
    if (at < text.size() && text[at] == '.') {
        for (++at; at < text.size() && isDigit(text[at]); ++at) {
            if (!leading) continue;
            if (text[at] != '0') leading = false;
            else --magnitude;
        }
    }
    long exponent = 0;
    if (at < text.size()) { // e|E [+|-] digits
        ++at;
        const bool negative = text[at] == '-';
        if (text[at] == '+' || text[at] == '-') ++at;
        for (; at < text.size(); ++at) exponent = std::min(exponent * 10 + (text[at] - '0'), 100000L);
        if (negative) exponent = -exponent;
    }
    return magnitude + exponent;
}

} // namespace

std::string_view fieldText(const char* field, std::size_t length) {
    if (field == nullptr) return {};
    const void* nul = std::memchr(field, '\0', length);
    return {field, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : length};
}

std::optional<float> parseReal(std::string_view text) {
    text = trimBlanks(text);
    if (!isRealNumber(text)) return std::nullopt;
    // from_chars takes no leading '+' and ignores the locale, unlike strtod.
    if (text.front() == '+') text.remove_prefix(1);
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc{} && end == text.data() + text.size()) return value;
    if (error != std::errc::result_out_of_range) return std::nullopt;
    // Out of range: too large is refused; too small underflows to zero, as float arithmetic does.
    if (decimalMagnitude(text) > 0) return std::nullopt;
    return text.front() == '-' ? -0.0f : 0.0f;
}

std::optional<int16_t> parseInt16(std::string_view text) {
    text = trimBlanks(text);
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t digits = countDigits(text, at);
    if (digits == 0 || at + digits != text.size()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    int16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string formatReal(float value) {
    // A NaN made by arithmetic usually has its sign bit set; that sign means nothing.
    if (std::isnan(value)) return "nan";
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    if (error != std::errc{}) return "nan";
    return {digits, end};
}

} // namespace utilcore

extern "C" {

void trapint(const char* text, int16_t* value, int16_t* flag) {
    const auto parsed = utilcore::parseInt16(utilcore::fieldText(text, UTILCORE_FIELD_LEN));
    if (parsed && value) *value = *parsed;
    if (flag) *flag = parsed ? 0 : 1;
}

void trapreal(const char* text, float* value, int16_t* flag) {
    const auto parsed = utilcore::parseReal(utilcore::fieldText(text, UTILCORE_FIELD_LEN));
    if (parsed && value) *value = *parsed;
    if (flag) *flag = parsed ? 0 : 1;
}

void data2str(char* buffer, const float* x, const float* y, const float* yerr, const float* xerr,
              const int16_t* mode, int16_t* status) {
    if (buffer == nullptr) return;
    const auto number = [](const float* v) { return utilcore::formatReal(v ? *v : 0.0f); };
    const int16_t layout = mode ? *mode : 0;
    std::string line;
    if (layout == 2 || layout == 3)
        line = number(x) + ' ' + number(xerr) + ' ' + number(y) + ' ' + number(yerr);
    else if (layout == 1)
        line = number(x) + ' ' + number(y) + ' ' + number(yerr);
    else
        line = number(x) + ' ' + number(y);
    // Four shortest floats take at most 4 * 15 + 3 characters, so the line always fits.
    const std::size_t used = std::min<std::size_t>(line.size(), UTILCORE_LINE_LEN);
    std::memcpy(buffer, line.data(), used);
    std::memset(buffer + used, ' ', UTILCORE_LINE_LEN - used);
    if (status) *status = 0;
}

} // extern "C"
