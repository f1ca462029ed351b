#include "session/number_format.h"

#include <charconv>
#include <cmath>
#include <string>

namespace frontend {
namespace {

// A non-negative decimal number: 0.digits × 10^point, digits without leading zeros ("" for zero).
struct Decimal {
    std::string digits;
    int point = 0;

    static Decimal Of(float magnitude) {
        if (magnitude == 0.0f) return {};
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
        const std::string_view shortest(text, static_cast<std::size_t>(end - text)); // "d.ddde±xx"
        const std::size_t e = shortest.find('e');
        Decimal d;
        for (char c : shortest.substr(0, e))
            if (c != '.') d.digits += c;
        int exponent = 0;
        const std::string_view exponentText = shortest.substr(e + 1);
        std::from_chars(exponentText.data() + (exponentText.front() == '+'),
                        exponentText.data() + exponentText.size(), exponent);
        d.point = exponent + 1;
        return d;
    }

    bool isZero() const { return digits.empty(); }

    // Rounds half away from zero to `decimals` digits after the point.
    void roundTo(int decimals) {
        const int keep = point + decimals;
        if (keep >= static_cast<int>(digits.size())) return;
        if (keep < 0) {
            digits.clear();
            return;
        }
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up) {
            int i = keep - 1;
            for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) digits[static_cast<std::size_t>(i)] = '0';
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
        while (!digits.empty() && digits.back() == '0') digits.pop_back();
        if (digits.empty()) point = 0;
    }

    // The digit at `index` from the first one; zeros before and after the stored digits.
    char digitAt(int index) const {
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(index)] : '0';
    }
};

struct Section {
    std::string prefix;  // literal text before the number
    int integerZeros = 0; // required integer digits
    int integerPlaces = 0;
    bool hasPoint = false;
    int requiredDecimals = 0;
    int optionalDecimals = 0;
    bool hasExponent = false;
    bool exponentAlwaysSigned = false;
    int exponentDigits = 0;
    bool percent = false;
    std::string suffix; // literal text after the number, "%" included where it stands
};

Section Parse(std::string_view text) {
    Section s;
    std::size_t i = 0;
    const auto isPlaceholder = [](char c) { return c == '0' || c == '#'; };
    while (i < text.size() && !isPlaceholder(text[i]) && text[i] != '.') {
        if (text[i] == '%') s.percent = true;
        s.prefix += text[i++];
    }
    for (; i < text.size() && isPlaceholder(text[i]); ++i) {
        ++s.integerPlaces;
        if (text[i] == '0') ++s.integerZeros;
    }
    if (i < text.size() && text[i] == '.') {
        s.hasPoint = true;
        for (++i; i < text.size() && isPlaceholder(text[i]); ++i)
            (text[i] == '0' ? s.requiredDecimals : s.optionalDecimals)++;
    }
    if (i + 1 < text.size() && (text[i] == 'E' || text[i] == 'e') && (text[i + 1] == '+' || text[i + 1] == '-')) {
        s.hasExponent = true;
        s.exponentAlwaysSigned = text[i + 1] == '+';
        for (i += 2; i < text.size() && isPlaceholder(text[i]); ++i) ++s.exponentDigits;
    }
    for (; i < text.size(); ++i) {
        if (text[i] == '%') s.percent = true;
        s.suffix += text[i];
    }
    return s;
}

std::string Fill(const Section& s, Decimal d) {
    int exponent = 0;
    const int integerDigits = std::max(s.integerPlaces, 1);
    if (s.hasExponent && !d.isZero()) {
        exponent = d.point - integerDigits;
        d.point = integerDigits;
    }
    d.roundTo(s.requiredDecimals + s.optionalDecimals);
    if (s.hasExponent && d.point > integerDigits) { // 9.999 rounded up to 10.00
        exponent += d.point - integerDigits;
        d.point = integerDigits;
    }

    std::string number;
    for (int place = std::max(d.point, s.integerZeros); place > 0; --place)
        number += place > d.point ? '0' : d.digitAt(d.point - place);
    if (s.hasPoint) {
        std::string decimals;
        for (int k = 0; k < s.requiredDecimals + s.optionalDecimals; ++k) decimals += d.digitAt(d.point + k);
        while (static_cast<int>(decimals.size()) > s.requiredDecimals && decimals.back() == '0') decimals.pop_back();
        number += '.' + decimals;
    }
    if (s.hasExponent) {
        std::string digits = std::to_string(std::abs(exponent));
        if (static_cast<int>(digits.size()) < s.exponentDigits)
            digits.insert(0, static_cast<std::size_t>(s.exponentDigits) - digits.size(), '0');
        number += 'E';
        if (exponent < 0) number += '-';
        else if (s.exponentAlwaysSigned) number += '+';
        number += digits;
    }
    return s.prefix + number + s.suffix;
}

bool InOpenRange(float v, float low, float high) { return low < v && v < high; }

} // namespace

QString FormatPattern(float value, std::string_view pattern) {
    const std::size_t split = pattern.find(';');
    const bool negative = std::signbit(value) && value != 0.0f;
    std::string_view sectionText = pattern.substr(0, split);
    std::string sign;
    if (negative) {
        if (split != std::string_view::npos) sectionText = pattern.substr(split + 1);
        else sign = "-";
    }
    if (std::isnan(value)) return QStringLiteral("NaN");
    if (std::isinf(value)) return negative ? QStringLiteral("-Inf") : QStringLiteral("Inf");

    const Section section = Parse(sectionText);
    Decimal d = Decimal::Of(std::fabs(value));
    if (section.percent && !d.isZero()) d.point += 2;
    return QString::fromStdString(sign + Fill(section, d));
}

// The range limits are the 32-bit floats nearest to 0.01 and 0.001.
constexpr float Hundredth = 0.01f;
constexpr float Thousandth = 0.001f;

QString FormatE2(float v) { return FormatPattern(v, " 0.00E+00;-0.00E+00"); }

QString FormatE3(float v) { return FormatPattern(v, " 0.000E+00;-0.000E+00"); }

QString FormatFixOrE2(float v) {
    return InOpenRange(v, Hundredth, 100.0f) ? FormatPattern(v, " #0.00#;-#0.00#") : FormatE2(v);
}

QString FormatFix2OrE2(float v) {
    return InOpenRange(v, Hundredth, 100.0f) ? FormatPattern(v, " #0.00; -#0.00") : FormatE2(v);
}

QString FormatFix4OrE(float v) {
    return InOpenRange(v, Thousandth, 1000.0f) || v == 0.0f ? FormatPattern(v, " #0.####; -#0.####")
                                                           : FormatPattern(v, " 0.00#E+00;-0.00#E+00");
}

QString FormatCell(float v) {
    const float magnitude = std::fabs(v);
    return (Hundredth <= magnitude && magnitude < 100.0f) || v == 0.0f
               ? FormatPattern(v, " #0.00###;-#0.00###")
               : FormatPattern(v, " 0.00###E+00;-0.00###E+00");
}

QString FormatParam(float v) {
    if (InOpenRange(v, Hundredth, 1.0f)) return FormatPattern(v, " #0.000#;-#0.000#");
    if (1.0f <= v && v < 100.0f) return FormatPattern(v, " #0.00#;-#0.00#");
    return FormatPattern(v, " 0.00#E+00;-0.00#E+00");
}

} // namespace frontend
