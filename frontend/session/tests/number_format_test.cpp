#include "session/number_format.h"

#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

struct FormatCase {
    const char* helper;
    QString (*format)(float);
    float value;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.helper << "(" << c.value << ")"; }

class NumberFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormats, GiveTheTextOfTheirPattern) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(c.format(c.value).toStdString(), c.expected) << c.helper << "(" << c.value << ")";
}

const FormatCase Cases[] = {
    {"FormatE2", FormatE2, 0.005f, " 5.00E-03"},
    {"FormatE2", FormatE2, -0.005f, "-5.00E-03"},
    {"FormatE2", FormatE2, 0.0f, " 0.00E+00"},
    {"FormatE2", FormatE2, 123456.0f, " 1.23E+05"},
    {"FormatE2", FormatE2, 9.999f, " 1.00E+01"}, // rounding carries into the exponent
    {"FormatE2", FormatE2, 1.5e20f, " 1.50E+20"},
    {"FormatE2", FormatE2, 1e-30f, " 1.00E-30"},
    {"FormatE2", FormatE2, 0.125f, " 1.25E-01"},
    {"FormatE2", FormatE2, 1.005f, " 1.01E+00"}, // half away from zero on the float's decimal form
    {"FormatE3", FormatE3, 5.007f, " 5.007E+00"},
    {"FormatE3", FormatE3, -0.3003f, "-3.003E-01"},
    {"FormatFixOrE2", FormatFixOrE2, 0.05f, " 0.05"},
    {"FormatFixOrE2", FormatFixOrE2, 1.2345f, " 1.235"},
    {"FormatFixOrE2", FormatFixOrE2, 0.01f, " 1.00E-02"}, // the limits themselves take the exponent
    {"FormatFixOrE2", FormatFixOrE2, 0.0100001f, " 0.01"},
    {"FormatFixOrE2", FormatFixOrE2, 99.99f, " 99.99"},
    {"FormatFixOrE2", FormatFixOrE2, 100.0f, " 1.00E+02"},
    {"FormatFixOrE2", FormatFixOrE2, -5.0f, "-5.00E+00"}, // negatives always in exponent form
    {"FormatFix2OrE2", FormatFix2OrE2, 5.007f, " 5.01"},
    {"FormatFix2OrE2", FormatFix2OrE2, 50.0f, " 50.00"},
    {"FormatFix2OrE2", FormatFix2OrE2, 0.01f, " 1.00E-02"},
    {"FormatFix2OrE2", FormatFix2OrE2, -0.5f, "-5.00E-01"},
    {"FormatFix4OrE", FormatFix4OrE, 0.0f, " 0."}, // every decimal optional and zero: the point stays
    {"FormatFix4OrE", FormatFix4OrE, 5.0f, " 5."},
    {"FormatFix4OrE", FormatFix4OrE, 0.5f, " 0.5"},
    {"FormatFix4OrE", FormatFix4OrE, 12.34567f, " 12.3457"},
    {"FormatFix4OrE", FormatFix4OrE, 0.001f, " 1.00E-03"},
    {"FormatFix4OrE", FormatFix4OrE, 0.0015f, " 0.0015"},
    {"FormatFix4OrE", FormatFix4OrE, 0.0005f, " 5.00E-04"},
    {"FormatFix4OrE", FormatFix4OrE, 1000.0f, " 1.00E+03"},
    {"FormatFix4OrE", FormatFix4OrE, 1234.5f, " 1.235E+03"},
    {"FormatFix4OrE", FormatFix4OrE, -1.0f, "-1.00E+00"},
    {"FormatCell", FormatCell, 0.0f, " 0.00"},
    {"FormatCell", FormatCell, 0.01f, " 0.01"}, // this one includes its lower limit
    {"FormatCell", FormatCell, -0.01f, "-0.01"}, // and tests the magnitude
    {"FormatCell", FormatCell, 0.00999f, " 9.99E-03"},
    {"FormatCell", FormatCell, 1.23456789f, " 1.23457"},
    {"FormatCell", FormatCell, -3.5f, "-3.50"},
    {"FormatCell", FormatCell, 99.5f, " 99.50"},
    {"FormatCell", FormatCell, 100.0f, " 1.00E+02"},
    {"FormatCell", FormatCell, -100.0f, "-1.00E+02"},
    {"FormatCell", FormatCell, 1234567.0f, " 1.23457E+06"},
    {"FormatParam", FormatParam, 1.0f, " 1.00"},
    {"FormatParam", FormatParam, 0.5f, " 0.500"},
    {"FormatParam", FormatParam, 0.0123f, " 0.0123"},
    {"FormatParam", FormatParam, 0.12345f, " 0.1235"},
    {"FormatParam", FormatParam, 0.01f, " 1.00E-02"},
    {"FormatParam", FormatParam, 5.007f, " 5.007"},
    {"FormatParam", FormatParam, 99.999f, " 99.999"},
    {"FormatParam", FormatParam, 100.0f, " 1.00E+02"},
    {"FormatParam", FormatParam, 0.0f, " 0.00E+00"},
    {"FormatParam", FormatParam, -0.3003f, "-3.003E-01"},
    {"FormatParam", FormatParam, -0.5f, "-5.00E-01"},
};
INSTANTIATE_TEST_SUITE_P(Table, NumberFormats, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<FormatCase>& row) {
                             return std::string(row.param.helper) + "_" + std::to_string(row.index);
                         });

TEST(FormatPattern, PercentExponentSignsAndSingleSections) {
    EXPECT_EQ(FormatPattern(0.05f, "0.00%"), "5.00%");
    EXPECT_EQ(FormatPattern(0.125f, "0.00%"), "12.50%");
    EXPECT_EQ(FormatPattern(0.05f, "0.00E+00"), "5.00E-02");
    EXPECT_EQ(FormatPattern(1e5f, "0.00E-00"), "1.00E05");
    EXPECT_EQ(FormatPattern(0.00012f, "0.0E-00"), "1.2E-04");
    EXPECT_EQ(FormatPattern(-2.0f, "0.00"), "-2.00"); // one section: the sign is put in front
    EXPECT_EQ(FormatPattern(-2.0f, "0.00;(0.00)"), "(2.00)");
    EXPECT_EQ(FormatPattern(7.0f, "000"), "007");
    EXPECT_EQ(FormatPattern(1e20f, "#0.00"), "100000000000000000000.00");
}

} // namespace
} // namespace frontend
