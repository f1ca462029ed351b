#include <utilcore/utilcore.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

// A 50-character field as the graph program passes it: blank-padded, no NUL.
std::string field(const std::string& text) {
    std::string f = text.substr(0, UTILCORE_FIELD_LEN);
    f.resize(UTILCORE_FIELD_LEN, ' ');
    return f;
}

struct RealCase {
    const char* text;
    float value;
};

TEST(Trapreal, AcceptsDecimalAndExponentForms) {
    const RealCase cases[] = {
        {"5", 5.0f},          {"-5", -5.0f},        {"+5", 5.0f},           {"  3.25  ", 3.25f},
        {"\t0.5\t", 0.5f},    {".5", 0.5f},         {"-.5", -0.5f},         {"5.", 5.0f},
        {"1e3", 1000.0f},     {"1E+3", 1000.0f},    {"2.5e-3", 2.5e-3f},    {"-6.02E23", -6.02e23f},
        {"0", 0.0f},          {"00012", 12.0f},     {"0.1", 0.1f},          {"3.4e38", 3.4e38f},
        {"1e-50", 0.0f},      {"123456789", 123456789.0f},
    };
    for (const auto& c : cases) {
        const std::string f = field(c.text);
        float value = -999;
        int16_t flag = -1;
        trapreal(f.c_str(), &value, &flag);
        EXPECT_EQ(flag, 0) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(Trapreal, RefusesEverythingElseAndKeepsTheValue) {
    const char* cases[] = {"",    "   ",   "abc", "1 2", "1,5",  "1.2.3", "e5",   "1e",    "1e+",  "+",
                           "-",   ".",     "--1", "1-",  "inf",  "nan",   "0x10", "1d3",   "5 .",  "1e3.5",
                           "4e38", "-1e39", "1e99999999999999999999", "12a"};
    for (const char* text : cases) {
        const std::string f = field(text);
        float value = 42.0f;
        int16_t flag = 0;
        trapreal(f.c_str(), &value, &flag);
        EXPECT_EQ(flag, 1) << '"' << text << '"';
        EXPECT_EQ(value, 42.0f) << text;
    }
}

TEST(Trapreal, ReadsOnlyTheFieldAndStopsAtANul) {
    float value = 0;
    int16_t flag = 1;
    // The front end's form: text, NUL, then anything.
    char withNul[UTILCORE_FIELD_LEN];
    std::memset(withNul, 'x', sizeof withNul);
    std::memcpy(withNul, "  7.5\0", 6);
    trapreal(withNul, &value, &flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(value, 7.5f);

    // A field that is full, with more digits in memory after it: only the 50 count.
    const std::string longer = std::string(UTILCORE_FIELD_LEN - 2, ' ') + "12345";
    trapreal(longer.c_str(), &value, &flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(value, 12.0f);
}

TEST(Trapint, ReadsSixteenBitIntegersOnly) {
    struct Case {
        const char* text;
        int16_t flag, value;
    } const cases[] = {
        {"12", 0, 12},       {" -7 ", 0, -7},     {"+3", 0, 3},     {"32767", 0, 32767},
        {"-32768", 0, -32768}, {"32768", 1, 99},  {"-32769", 1, 99}, {"100000", 1, 99},
        {"1.5", 1, 99},      {"2.0", 1, 99},      {"1e2", 1, 99},   {"", 1, 99},
        {"x", 1, 99},        {"0", 0, 0},         {"1 0", 1, 99},
    };
    for (const auto& c : cases) {
        const std::string f = field(c.text);
        int16_t value = 99, flag = -1;
        trapint(f.c_str(), &value, &flag);
        EXPECT_EQ(flag, c.flag) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

std::string line(float x, float y, float yerr, float xerr, int16_t mode) {
    char buffer[UTILCORE_LINE_LEN + 1];
    buffer[UTILCORE_LINE_LEN] = '#'; // must stay: nothing is written past 75
    int16_t status = -1;
    data2str(buffer, &x, &y, &yerr, &xerr, &mode, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(buffer[UTILCORE_LINE_LEN], '#');
    return {buffer, UTILCORE_LINE_LEN};
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

TEST(Data2str, WritesTheColumnsOfEachLayout) {
    EXPECT_EQ(trimmed(line(1.5f, 2, 0.25f, 0.125f, 0)), "1.5 2");
    EXPECT_EQ(trimmed(line(1.5f, 2, 0.25f, 0.125f, 1)), "1.5 2 0.25");
    EXPECT_EQ(trimmed(line(1.5f, 2, 0.25f, 0.125f, 2)), "1.5 0.125 2 0.25");
    EXPECT_EQ(trimmed(line(1.5f, 2, 0.25f, 0.125f, 3)), "1.5 0.125 2 0.25");
    const std::string padded = line(1, 2, 0, 0, 0);
    EXPECT_EQ(padded.substr(0, 3), "1 2");
    EXPECT_EQ(padded.find_first_not_of(' ', 3), std::string::npos);
}

// Every float that a line can hold comes back unchanged through trapreal.
TEST(Data2str, NumbersSurviveAWriteAndARead) {
    std::vector<float> values = {0.1f, -0.1f, 1.0f / 3, 123456.789f, 16777217.0f, 1e-5f, -2.5e-30f,
                                 std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::min(), std::numeric_limits<float>::denorm_min(),
                                 0.0f};
    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> bits;
    while (values.size() < 20000) {
        float v;
        const uint32_t b = bits(random);
        std::memcpy(&v, &b, sizeof v);
        if (std::isfinite(v)) values.push_back(v);
    }
    for (size_t i = 0; i + 3 < values.size(); i += 4) {
        const std::string text = trimmed(line(values[i], values[i + 2], values[i + 3], values[i + 1], 3));
        ASSERT_LE(text.size(), size_t{UTILCORE_LINE_LEN});
        size_t start = 0;
        for (int k = 0; k < 4; ++k) {
            const size_t end = std::min(text.find(' ', start), text.size());
            const std::string f = field(text.substr(start, end - start));
            float back = 0;
            int16_t flag = 1;
            trapreal(f.c_str(), &back, &flag);
            ASSERT_EQ(flag, 0) << text;
            ASSERT_EQ(std::memcmp(&back, &values[i + k], sizeof back), 0) << text;
            start = end + 1;
        }
    }
}

TEST(Data2str, NonFiniteValuesAreWrittenSoThatTheyAreRefusedLater) {
    const std::string text = trimmed(line(std::numeric_limits<float>::quiet_NaN(), INFINITY, 0, 0, 0));
    EXPECT_EQ(text, "nan inf");
    // inf - inf is a NaN with its sign bit set: still "nan", never "-nan".
    volatile float infinity = INFINITY;
    const float negativeNan = infinity - infinity;
    ASSERT_TRUE(std::isnan(negativeNan));
    EXPECT_EQ(trimmed(line(negativeNan, -INFINITY, 0, 0, 0)), "nan -inf");
    EXPECT_EQ(trimmed(line(-std::numeric_limits<float>::quiet_NaN(), 1, 0, 0, 0)), "nan 1");
}

TEST(Sig, FollowsEachErrorMode) {
    const float v[] = {2.0f, -4.0f, 9.0f};
    struct Case {
        int16_t kind, sub;
        float value;
        float expected[3];
        int16_t flag;
    } const cases[] = {
        {1, 1, 0.05f, {0.1f, -0.2f, 0.45f}, 1},  // percentage keeps the sign of v
        {1, 2, 0.3f, {0.3f, 0.3f, 0.3f}, 0},     // constant
        {1, 2, 0.0f, {0.0f, 0.0f, 0.0f}, 1},     // a zero constant is flagged
        {-1, 0, 0.0f, {std::sqrt(2.0f), 2.0f, 3.0f}, 0},
        {0, 0, 0.0f, {1.0f, 1.0f, 1.0f}, 0},
        {1, 3, 0.0f, {7.0f, 7.0f, 7.0f}, 0},     // individual: kept
        {-2, 0, 0.0f, {7.0f, 7.0f, 7.0f}, 0},    // not set: kept
    };
    for (const auto& c : cases) {
        float sigma[4] = {7, 7, 7, 7};
        const int16_t n = 3, dimension = 3;
        int16_t flag = -1;
        sig(&n, &c.value, &c.kind, &c.sub, v, sigma, &dimension, &flag);
        for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(sigma[i], c.expected[i]) << c.kind << ' ' << c.sub;
        EXPECT_EQ(sigma[3], 7.0f);
        EXPECT_EQ(flag, c.flag) << c.kind << ' ' << c.sub;
    }
}

TEST(Sig, NeverWritesPastTheDimension) {
    const float v[] = {1, 1};
    float sigma[3] = {5, 5, 5};
    const int16_t n = 3000, dimension = 2, kind = 0, sub = 0;
    const float value = 0;
    int16_t flag = -1;
    sig(&n, &value, &kind, &sub, v, sigma, &dimension, &flag);
    EXPECT_EQ(sigma[1], 1.0f);
    EXPECT_EQ(sigma[2], 5.0f);
    EXPECT_EQ(flag, 0);
    const int16_t negative = -5;
    sig(&negative, &value, &kind, &sub, v, sigma, &dimension, &flag);
    EXPECT_EQ(flag, 0);
}

TEST(Trapzero, FlagsWhatEachModelCannotTake) {
    struct Case {
        int16_t funcnum;
        float x, y, sigma;
        int16_t flagX, flagY, flagSigma;
    } const cases[] = {
        {1, 0, 0, 1, 0, 0, 0},     {1, 1, 1, 0, 0, 0, 1},      {1, NAN, 1, 1, 1, 0, 0},
        {1, 1, INFINITY, 1, 0, 1, 0}, {1, 1, 1, NAN, 0, 0, 1}, {2, 0, 1, 1, 1, 0, 0},
        {2, 1, -1, 1, 0, 1, 0},    {2, -1, 0, 1, 1, 1, 0},     {3, -1, 0, 1, 0, 1, 0},
        {3, 1, 1, -1, 0, 0, 0},    {5, 3.14159274f, 1, 1, 0, 0, 0}, {5, NAN, 1, 1, 1, 0, 0},
        {7, 0, 1, 1, 1, 0, 0},     {7, -2, 1, 1, 1, 0, 0},     {8, 0, -1, 1, 1, 0, 0},
        {8, -1, 0, 1, 0, 0, 0},    {9, 0, 0, 1, 0, 1, 0},      {9, 0, -1, 1, 0, 0, 0},
        {10, 0, 0, 1, 1, 1, 0},    {11, 0, 5, 1, 1, 0, 0},     {4, 0, 0, 1, 0, 0, 0},
        {6, -1, -1, 1, 0, 0, 0},   {12, 0, 0, 1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const float x[] = {2, c.x}, y[] = {2, c.y}, sigma[] = {1, c.sigma};
        const int16_t n = 2, dimension = 2;
        int16_t fx = -1, fy = -1, fs = -1;
        trapzero(x, y, sigma, &c.funcnum, &n, &dimension, &fx, &fy, &fs);
        EXPECT_EQ(fx, c.flagX) << "model " << c.funcnum << " x " << c.x;
        EXPECT_EQ(fy, c.flagY) << "model " << c.funcnum << " y " << c.y;
        EXPECT_EQ(fs, c.flagSigma) << "model " << c.funcnum << " sigma " << c.sigma;
    }
}

} // namespace
