#include "text_store.h"

#include <algorithm>
#include <array>

#include "curvlib/curvlib.h"

namespace curvlib {
namespace {

using Text = std::array<char, CURVLIB_TEXT_LEN>;
using Message = std::array<char, CURVLIB_MESSAGE_LEN>;

template <std::size_t N> std::array<char, N> blank() {
    std::array<char, N> a;
    a.fill(' ');
    return a;
}

std::array<Text, CURVLIB_TEXT_SLOTS> texts = [] {
    std::array<Text, CURVLIB_TEXT_SLOTS> t;
    t.fill(blank<CURVLIB_TEXT_LEN>());
    return t;
}();
Message messageSlot = blank<CURVLIB_MESSAGE_LEN>();

} // namespace

void copyPadded(char* dst, int len, std::string_view src) {
    const auto n = std::min<std::size_t>(src.size(), static_cast<std::size_t>(len));
    std::copy_n(src.data(), n, dst);
    std::fill(dst + n, dst + len, ' ');
}

void HOLDSTRING(char* text, int textLen, char* message, int messageLen, int16_t mode, int16_t index) {
    const bool slotOk = index >= 0 && index < CURVLIB_TEXT_SLOTS;
    switch (mode) {
    case 0:
        if (slotOk) copyPadded(texts[index].data(), CURVLIB_TEXT_LEN, {text, static_cast<std::size_t>(textLen)});
        break;
    case 1:
        if (slotOk) copyPadded(text, textLen, {texts[index].data(), texts[index].size()});
        break;
    case 2:
        copyPadded(messageSlot.data(), CURVLIB_MESSAGE_LEN, {message, static_cast<std::size_t>(messageLen)});
        break;
    case 3:
        copyPadded(message, messageLen, {messageSlot.data(), messageSlot.size()});
        break;
    default:
        break;
    }
}

std::string_view storedText(int index) { return {texts.at(index).data(), CURVLIB_TEXT_LEN}; }

void setMessage(std::string_view message) { copyPadded(messageSlot.data(), CURVLIB_MESSAGE_LEN, message); }

std::string_view storedMessage() { return {messageSlot.data(), messageSlot.size()}; }

} // namespace curvlib

extern "C" CURVLIB_API void holdstringbuf(char* text, char* message, const int16_t* mode, const int16_t* index) {
    curvlib::HOLDSTRING(text, CURVLIB_TEXT_LEN, message, CURVLIB_MESSAGE_LEN, *mode, *index);
}
