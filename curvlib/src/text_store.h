// The function-text store: eleven 200-character texts and one 80-character message slot,
// kept for the life of the process.
#pragma once

#include <cstdint>
#include <string_view>

namespace curvlib {

// text/textLen and message/messageLen are blank-padded buffers of the caller.
void HOLDSTRING(char* text, int textLen, char* message, int messageLen, int16_t mode, int16_t index);

// Direct access for the library's own routines.
std::string_view storedText(int index); // 200 characters, blank-padded
void setMessage(std::string_view message); // blank-padded or cut to 80 characters
std::string_view storedMessage();          // 80 characters

// Copies src into the fixed field dst[len]: cut when longer, blank-padded when shorter.
void copyPadded(char* dst, int len, std::string_view src);

} // namespace curvlib
