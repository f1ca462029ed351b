// The function-text store as the tests reach it: through holdstringbuf, as a caller does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "curvlib/curvlib.h"

namespace store_access {

// Puts text (blank-padded to 200) into slot index.
inline void storeText(int16_t index, std::string_view text) {
    std::string buffer(text.substr(0, CURVLIB_TEXT_LEN));
    buffer.resize(CURVLIB_TEXT_LEN, ' ');
    char message[CURVLIB_MESSAGE_LEN];
    const int16_t mode = 0;
    holdstringbuf(buffer.data(), message, &mode, &index);
}

// Replaces the message slot (blank-padded to 80).
inline void storeMessage(std::string_view text) {
    std::string message(text.substr(0, CURVLIB_MESSAGE_LEN));
    message.resize(CURVLIB_MESSAGE_LEN, ' ');
    char unused[CURVLIB_TEXT_LEN];
    const int16_t mode = 2, index = 0;
    holdstringbuf(unused, message.data(), &mode, &index);
}

// The whole 80-character message slot, padding included.
inline std::string storedMessage() {
    char text[CURVLIB_TEXT_LEN], message[CURVLIB_MESSAGE_LEN];
    const int16_t mode = 3, index = 0;
    holdstringbuf(text, message, &mode, &index);
    return {message, CURVLIB_MESSAGE_LEN};
}

} // namespace store_access
