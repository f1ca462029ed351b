// Helpers of the expression tests: readable forms of encoded and postfix texts, and one call
// of tparsebuf with its outcome.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "curvlib/curvlib.h"

namespace expression_test {

// The one-character code of parameter a(k).
inline std::string code(int k) { return std::string(1, static_cast<char>(127 + k)); }

// A postfix text from its tokens separated by blanks: a1 .. a10 become their codes, numbers
// get the blank that ends them, every other token is taken as it stands.
inline std::string postfix(std::string_view tokens) {
    std::istringstream in{std::string(tokens)};
    std::string out, token;
    while (in >> token) {
        if (token.size() >= 2 && token[0] == 'a' && token[1] >= '0' && token[1] <= '9')
            out += code(std::stoi(token.substr(1)));
        else if ((token[0] >= '0' && token[0] <= '9') || token[0] == '.')
            out += token + ' ';
        else
            out += token;
    }
    return out;
}

inline std::string trimmed(std::string_view s) {
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

inline std::string padded(std::string_view s, std::size_t len) {
    std::string out(s.substr(0, len));
    out.resize(len, ' ');
    return out;
}

struct Outcome {
    double value = -99.0; // stays so when tparsebuf does not write it
    int16_t error = -1;
    std::string message; // without its padding
    std::string encoded; // the text as tparsebuf wrote it back, without its padding
};

inline Outcome tparse(std::string_view text, std::vector<float> a, float z, int16_t nparm) {
    a.resize(10, 0.0f);
    std::string buffer = padded(text, CURVLIB_TEXT_LEN);
    std::string message(CURVLIB_MESSAGE_LEN, 'x');
    Outcome out;
    const int16_t np = 10;
    tparsebuf(buffer.data(), a.data(), &z, &np, &nparm, &out.value, message.data(), &out.error);
    out.message = trimmed(message);
    out.encoded = trimmed(buffer);
    return out;
}

} // namespace expression_test
