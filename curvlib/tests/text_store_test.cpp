#include <gtest/gtest.h>

#include <string>

#include "curvlib/curvlib.h"

namespace {

void hold(std::string& text, std::string& message, int16_t mode, int16_t index) {
    text.resize(CURVLIB_TEXT_LEN, ' ');
    message.resize(CURVLIB_MESSAGE_LEN, ' ');
    holdstringbuf(text.data(), message.data(), &mode, &index);
}

TEST(TextStore, LongTextKeepsItsFirst200Characters) {
    std::string longText(250, 'q');
    for (int i = 0; i < 250; ++i) longText[i] = static_cast<char>('a' + i % 26);
    std::string message;
    int16_t mode = 0, index = 3;
    message.resize(CURVLIB_MESSAGE_LEN);
    holdstringbuf(longText.data(), message.data(), &mode, &index);

    std::string back, unused;
    hold(back, unused, 1, 3);
    EXPECT_EQ(back, longText.substr(0, 200));
}

TEST(TextStore, ShortTextsAndMessagesAreBlankPadded) {
    std::string text = "a1*z", message = "too bad";
    text.resize(CURVLIB_TEXT_LEN, '\0'); // whatever follows is taken as given
    hold(text, message, 0, 0);
    std::string back, msg;
    hold(back, msg, 1, 0);
    EXPECT_EQ(back.substr(0, 4), "a1*z");

    std::string ignored = "x";
    hold(ignored, message, 2, 0);
    std::string fetched;
    hold(ignored, fetched, 3, 0);
    EXPECT_EQ(fetched, "too bad" + std::string(73, ' '));
}

TEST(TextStore, OtherModesAndBadIndexesChangeNothing) {
    std::string text = "original", msg;
    hold(text, msg, 0, 5);
    for (auto [mode, index] : {std::pair<int16_t, int16_t>{4, 5}, {-1, 5}, {0, 11}, {0, -1}, {1, 99}}) {
        std::string other(CURVLIB_TEXT_LEN, 'X'), m(CURVLIB_MESSAGE_LEN, 'Y');
        hold(other, m, mode, index);
        if (mode == 1) {
            EXPECT_EQ(other, std::string(CURVLIB_TEXT_LEN, 'X'));
        }
        EXPECT_EQ(m, std::string(CURVLIB_MESSAGE_LEN, 'Y'));
    }
    std::string back;
    hold(back, msg, 1, 5);
    EXPECT_EQ(back.substr(0, 9), "original ");
}

} // namespace
