#include <gtest/gtest.h>

#include "datafile.h"
#include "test_support.h"

namespace pgplot {
namespace {

using testing::CaseName;
using testing::MessageLog;
using testing::ScratchFolder;
using testing::stopOf;

const std::string kWarningA =
    "There are apparently only two columns in the data file, but the configuration file reports that "
    "columns for X errors, Y errors, or both should be present.   If the graph does not appear as "
    "expected, please check these files.";
const std::string kWarningB =
    "There are apparently three columns in the data file, but the configuration file reports that "
    "columns for both X errors and Y errors should be present.  If the graph does not appear as "
    "expected, please check these files.";
const std::string kWarningC =
    "There are apparently three columns in the data file, but the configuration file reports that "
    "only two columns (X and Y) should be present.  If the graph does not appear as expected, please "
    "check these files.";
const std::string kWarningD =
    "There are apparently four columns in the data file, but the configuration file reports that "
    "only three columns (X, Y, and either an X or Y error column) should be present.  If the graph "
    "does not appear as expected, please check these files.";

struct Read {
    SectionData data;
    std::vector<std::string> warnings;
};

Read readFile(const std::string& text, const Config& cfg) {
    ScratchFolder folder;
    MessageLog log;
    const auto file = folder.write("pgtemp.dat", text);
    Read result;
    result.data = allocateSection(COUNTPOINTS(file), cfg.XEBARON);
    READ_DATA_FILE(file, cfg, result.data);
    for (const auto& m : log.boxes()) {
        EXPECT_EQ(m.caption, "Warning");
        result.warnings.push_back(m.text);
    }
    return result;
}

TEST(DataFile, HeaderLineIsSkippedAndNotCounted) {
    const auto r = readFile("Ann Smith    Pendulum\r\n1 2\r\n3,4\r\n5\t6\r\n", Config{});
    EXPECT_EQ(r.data.XDAT, (std::vector<float>{1, 3, 5}));
    EXPECT_EQ(r.data.YDAT, (std::vector<float>{2, 4, 6}));
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(r.data.EXDAT.size(), 2u); // X error bars off
}

TEST(DataFile, LineWithOneNumberIsAHeader) {
    EXPECT_EQ(readFile("42\n1 2\n", Config{}).data.XDAT, std::vector<float>{1});
}

// The column rules: what a line gives by its count of numbers and the declared columns.
struct ColumnCase {
    const char* name;
    std::string lines;
    bool xColumn, yColumn, xBars;
    std::vector<float> y, ey, ex;
    std::vector<std::string> warnings;
};

void PrintTo(const ColumnCase& c, std::ostream* os) {
    *os << c.name;
}

class Columns : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(Columns, AssignNumbersAndWarnOncePerFile) {
    const auto& c = GetParam();
    Config cfg;
    cfg.XERRCOL = c.xColumn;
    cfg.YERRCOL = c.yColumn;
    cfg.XEBARON = c.xBars;
    const auto r = readFile(c.lines, cfg);
    EXPECT_EQ(r.data.YDAT, c.y);
    EXPECT_EQ(r.data.EYDAT, c.ey);
    EXPECT_EQ(r.data.EXDAT, c.ex);
    EXPECT_EQ(r.warnings, c.warnings);
}

// Each case: its name and file, then the declared X and Y error columns, X bars, and what is
// read (Y, Y errors, X errors) with the warnings shown.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rules, Columns,
    ::testing::Values(
        ColumnCase{"TwoColumns", "1 2\n3 4\n",
                   false, false, false, {2, 4}, {0, 0}, {0, 0}, {}},
        ColumnCase{"TwoColumnsButErrorColumnDeclared", "1 2\n3 4\n",
                   false, true, false, {2, 4}, {0, 0}, {0, 0}, {kWarningA}},
        ColumnCase{"ThreeWithYColumn", "1 2 0.5\n3 4 0.25\n",
                   false, true, false, {2, 4}, {0.5f, 0.25f}, {0, 0}, {}},
        ColumnCase{"ThreeWithXColumn", "1 0.5 2\n3 0.25 4\n",
                   true, false, true, {2, 4}, {0, 0}, {0.5f, 0.25f}, {}},
        ColumnCase{"ThreeWithXColumnBarsOff", "1 0.5 2\n3 0.25 4\n",
                   true, false, false, {2, 4}, {0, 0}, {0, 0}, {}},
        ColumnCase{"ThreeWithBothColumns", "1 2 9\n3 4 9\n",
                   true, true, true, {2, 4}, {0, 0}, {0, 0}, {kWarningB}},
        ColumnCase{"ThreeWithNoColumn", "1 2 9\n3 4 9\n",
                   false, false, false, {2, 4}, {0, 0}, {0, 0}, {kWarningC}},
        ColumnCase{"FourWithXBars", "1 0.1 2 0.2\n3 0.3 4 0.4\n",
                   true, true, true, {2, 4}, {0.2f, 0.4f}, {0.1f, 0.3f}, {}},
        ColumnCase{"FourWithoutXBars", "1 0.1 2 0.2\n3 0.3 4 0.4\n",
                   false, true, false, {2, 4}, {0.2f, 0.4f}, {0, 0}, {kWarningD}},
        ColumnCase{"MixedLinesWarnEachKindOnce", "1 2\n1 2 3\n1 2\n1 2 3 4\n1 2 3\n",
                   false, false, false, {2, 2, 2, 3, 2}, {0, 0, 0, 4, 0}, {0, 0}, {kWarningC, kWarningD}}),
    CaseName{});
// clang-format on

TEST(DataFile, ErrorsComputedByTheConfiguredRule) {
    Config cfg;
    cfg.YEBARON = true;
    cfg.XEBARON = true;
    cfg.IYERRSOURCE = 1;
    cfg.YERRVAL = 10;
    cfg.IXERRSOURCE = 2;
    cfg.XERRVAL = 0.5f;
    auto r = readFile("1 20\n2 -30\n", cfg);
    EXPECT_EQ(r.data.EYDAT, (std::vector<float>{2, -3})); // a negative Y gives a negative error
    EXPECT_EQ(r.data.EXDAT, (std::vector<float>{0.5f, 0.5f}));

    cfg.IYERRSOURCE = 4;
    cfg.IXERRSOURCE = 1;
    cfg.XERRVAL = 50;
    r = readFile("4 -4\n-2 9\n", cfg);
    EXPECT_EQ(r.data.EYDAT, (std::vector<float>{2, 3}));
    EXPECT_EQ(r.data.EXDAT, (std::vector<float>{2, -1}));

    cfg.IYERRSOURCE = 2;
    cfg.YERRVAL = 0.7f;
    cfg.YEBARON = false; // no rule without bars
    r = readFile("1 2 0.3\n", cfg);
    EXPECT_EQ(r.data.EYDAT, std::vector<float>{0});
}

TEST(DataFile, CountStopsAt16000Points) {
    std::string text = "header line\r\n";
    for (int i = 0; i < 16005; ++i) {
        text += std::to_string(i) + " " + std::to_string(2 * i) + "\r\n";
    }
    const auto r = readFile(text, Config{});
    ASSERT_EQ(r.data.count(), 16000);
    EXPECT_EQ(r.data.XDAT.back(), 15999.0f);
    EXPECT_EQ(r.data.YDAT.back(), 31998.0f);
}

TEST(DataFile, EmptyOrHeaderOnlyFileHasNoPoints) {
    EXPECT_EQ(readFile("", Config{}).data.count(), 0);
    EXPECT_EQ(readFile("names only\r\n", Config{}).data.count(), 0);
}

TEST(DataFile, FatalErrors) {
    struct Case {
        std::string text;
        std::string message;
    };
    for (const Case& c :
         {Case{"header\n7\n1 2\n", "error reading data file in PGPLot"},
          Case{"1 2\n3\n", "error reading data file"}, Case{"1 2\n3 4\n\n", "error reading data file"}}) {
        SCOPED_TRACE(c.text);
        const auto stop = stopOf([&] { readFile(c.text, Config{}); });
        EXPECT_EQ(stop.kind, ProgramStop::Kind::FatalError);
        EXPECT_EQ(stop.message, c.message);
    }
    for (const std::string missing : {"", "/nonexistent/pgtemp.dat"}) {
        EXPECT_EQ(stopOf([&] { COUNTPOINTS(missing); }).message, "data file not found") << missing;
    }
}

} // namespace
} // namespace pgplot
