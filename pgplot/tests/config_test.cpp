#include <gtest/gtest.h>

#include "config.h"
#include "test_support.h"

namespace pgplot {
namespace {

using testing::CaseName;
using testing::crlfLines;
using testing::frontEndConfig;
using testing::ScratchFolder;
using testing::stopOf;

// Reads one section of text (CR LF lines) as a configuration file.
struct Reader {
    ScratchFolder folder;
    Config cfg;
    SectionEnd read(const std::string& text) { return GETCONFIG(cfg, folder.write("pgtemp.cfg", text)); }
};

TEST(Config, StartValues) {
    const Config cfg;
    EXPECT_EQ(cfg.LINESTYLE, 1);
    EXPECT_EQ(cfg.IPOINTSTYLE, 16);
    EXPECT_EQ(cfg.NOTELINES, 0);
    EXPECT_EQ(cfg.NTERMS, 0);
    EXPECT_EQ(cfg.NSECTION, 1);
    EXPECT_FALSE(cfg.NOTEON || cfg.XEBARON || cfg.YEBARON || cfg.LASTSECTION);
}

TEST(Config, ReadsEveryKeyOfTheFrontEndsFile) {
    Reader reader;
    const auto end = reader.read(frontEndConfig({
        "-%%  configuration file for PGPlot",
        "-fn/tmp/pgtemp.dat",
        "-xm0\t10.5",
        "-mt1\t2",
        "-ym-1.5\t2E+03",
        "-eb3\t 2\t1",
        "-ey%5",
        "-ex#0.25",
        "-at3",
        "-ptDecay of a_1 {test}",
        "-xlTime (s)",
        "-ylCounts",
        "-ps6",
        "-ft3",
        "-ls4",
        "-p11\t3",
        "-a12.5",
        "-a2-0.75",
        "-nt1",
        "-np0.25\t0.75",
        "-n1first note",
        "-n2second",
        "-g117",
        "-g20",
        "-g3-1",
        "-g40",
        "-po1",
        "-pz1",
        "-pn/tmp/out.ps",
        "-lp3",
        "-!!",
    }));
    const Config& c = reader.cfg;
    EXPECT_EQ(end, SectionEnd::EndLine);
    EXPECT_TRUE(c.LASTSECTION);
    EXPECT_EQ(c.DATAFILE, "/tmp/pgtemp.dat");
    EXPECT_FLOAT_EQ(c.XGRMININIT, 0.0f);
    EXPECT_FLOAT_EQ(c.XGRMAXINIT, 10.5f);
    EXPECT_FLOAT_EQ(c.YGRMININIT, -1.5f);
    EXPECT_FLOAT_EQ(c.YGRMAXINIT, 2000.0f);
    EXPECT_EQ(c.MINORTICKX, 1);
    EXPECT_EQ(c.MINORTICKY, 2);
    EXPECT_TRUE(c.XEBARON && c.YEBARON);
    EXPECT_EQ(c.IEBARSKIP, 2);
    EXPECT_TRUE(c.XEBARAUTO);
    EXPECT_FALSE(c.YEBARAUTO);
    EXPECT_EQ(c.IYERRSOURCE, 1);
    EXPECT_FLOAT_EQ(c.YERRVAL, 5.0f);
    EXPECT_EQ(c.IXERRSOURCE, 2);
    EXPECT_FLOAT_EQ(c.XERRVAL, 0.25f);
    EXPECT_FALSE(c.XERRCOL || c.YERRCOL);
    EXPECT_EQ(c.ILINLOG, 3);
    EXPECT_EQ(c.PLOTTITLE, "Decay of a_1 {test}");
    EXPECT_EQ(c.XAXISLABLE, "Time (s)");
    EXPECT_EQ(c.YAXISLABLE, "Counts");
    EXPECT_EQ(c.IPOINTSTYLE, 6);
    EXPECT_EQ(c.IFONT, 3);
    EXPECT_EQ(c.LINESTYLE, 4);
    EXPECT_EQ(c.IPROG, 1);
    EXPECT_EQ(c.JFITFUNC, 3);
    EXPECT_EQ(c.NTERMS, 2);
    EXPECT_FLOAT_EQ(c.AA[0], 2.5f);
    EXPECT_FLOAT_EQ(c.AA[1], -0.75f);
    EXPECT_TRUE(c.NOTEON);
    EXPECT_FLOAT_EQ(c.XNOTEPOS, 0.25f);
    EXPECT_FLOAT_EQ(c.YNOTEPOS, 0.75f);
    EXPECT_EQ(c.NOTELINES, 2);
    EXPECT_EQ(c.NOTELINE[0], "first note");
    EXPECT_EQ(c.NOTELINE[1], "second");
    EXPECT_EQ(c.LEGEND, (std::array<int, 4>{17, 0, -1, 0}));
    EXPECT_EQ(c.KORIENT, 1);
    EXPECT_EQ(c.KSIZE, 1);
    EXPECT_EQ(c.PSFILE, "/tmp/out.ps");
    EXPECT_EQ(c.ILPT, 3);
}

// One line on its own, and what it leaves in the settings.
struct LineCase {
    const char* name;
    std::string line;
    std::function<void(const Config&)> check;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.line;
}

class ConfigLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ConfigLine, Reads) {
    Reader reader;
    reader.cfg.ILPT = 1;
    reader.cfg.PSFILE = "/tmp/pgtemp.ps";
    reader.cfg.XEBARAUTO = true;
    reader.cfg.YEBARAUTO = false;
    reader.read(crlfLines({GetParam().line, "-!!"}));
    GetParam().check(reader.cfg);
}

const std::string kLongPath = "/" + std::string(199, 'p');

INSTANTIATE_TEST_SUITE_P(
    Values, ConfigLine,
    ::testing::Values(LineCase{"KeyInCapitals", "-FN/data/a.dat",
                               [](const Config& c) { EXPECT_EQ(c.DATAFILE, "/data/a.dat"); }},
                      LineCase{"KeyWithOneCapital", "  \t-fN/data/a.dat",
                               [](const Config& c) { EXPECT_EQ(c.DATAFILE, "/data/a.dat"); }},
                      LineCase{
                          "PathWithBlanksWhole", "-fn/my data/a \xc3\xa9t\xc3\xa9.dat  ",
                          [](const Config& c) { EXPECT_EQ(c.DATAFILE, "/my data/a \xc3\xa9t\xc3\xa9.dat"); }},
                      LineCase{"BlankBeforePathIsPartOfIt", "-fn /a.dat",
                               [](const Config& c) { EXPECT_EQ(c.DATAFILE, " /a.dat"); }},
                      LineCase{"LongPathWhole", "-fn" + kLongPath,
                               [](const Config& c) { EXPECT_EQ(c.DATAFILE, kLongPath); }},
                      LineCase{"SemiLog", "-at2", [](const Config& c) { EXPECT_EQ(c.ILINLOG, 2); }},
                      LineCase{"BarsOffIgnoresTheRest", "-eb0\tnot read",
                               [](const Config& c) { EXPECT_FALSE(c.XEBARON || c.YEBARON); }},
                      LineCase{"YBarsNeitherAuto", "-eb1\t-1\t3",
                               [](const Config& c) {
                                   EXPECT_TRUE(c.YEBARON);
                                   EXPECT_FALSE(c.XEBARON || c.XEBARAUTO || c.YEBARAUTO);
                                   EXPECT_EQ(c.IEBARSKIP, -1);
                               }},
                      LineCase{"XBarsYAuto", "-eb2,4,2",
                               [](const Config& c) {
                                   EXPECT_TRUE(c.XEBARON && c.YEBARAUTO);
                                   EXPECT_FALSE(c.YEBARON || c.XEBARAUTO);
                               }},
                      LineCase{"OtherAutoCodeKeepsFlags", "-eb3\t1\t9",
                               [](const Config& c) {
                                   EXPECT_TRUE(c.XEBARAUTO);
                                   EXPECT_FALSE(c.YEBARAUTO);
                               }},
                      LineCase{"YPercent", "-ey%5",
                               [](const Config& c) {
                                   EXPECT_EQ(c.IYERRSOURCE, 1);
                                   EXPECT_FLOAT_EQ(c.YERRVAL, 5.0f);
                               }},
                      LineCase{"YSquareRootReadsNoNumber", "-ey@ junk",
                               [](const Config& c) {
                                   EXPECT_EQ(c.IYERRSOURCE, 4);
                                   EXPECT_FALSE(c.YERRCOL);
                               }},
                      LineCase{"YColumn", "-ey$",
                               [](const Config& c) {
                                   EXPECT_EQ(c.IYERRSOURCE, 0);
                                   EXPECT_TRUE(c.YERRCOL);
                               }},
                      LineCase{"XColumn", "-ex$",
                               [](const Config& c) {
                                   EXPECT_EQ(c.IXERRSOURCE, 0);
                                   EXPECT_TRUE(c.XERRCOL);
                               }},
                      LineCase{"XPercent", "-ex%2.5",
                               [](const Config& c) {
                                   EXPECT_EQ(c.IXERRSOURCE, 1);
                                   EXPECT_FLOAT_EQ(c.XERRVAL, 2.5f);
                               }},
                      LineCase{"A0IsTheTenthParameter", "-a0 7.5",
                               [](const Config& c) {
                                   EXPECT_FLOAT_EQ(c.AA[9], 7.5f);
                                   EXPECT_EQ(c.NTERMS, 1);
                               }},
                      LineCase{"A10IsKeyA1WithValue0", "-a10",
                               [](const Config& c) {
                                   EXPECT_FLOAT_EQ(c.AA[0], 0.0f);
                                   EXPECT_FLOAT_EQ(c.AA[9], 0.0f);
                               }},
                      LineCase{"PortSevenChangesNothing", "-lp7",
                               [](const Config& c) { EXPECT_EQ(c.ILPT, 1); }},
                      LineCase{"PortZero", "-lp0", [](const Config& c) { EXPECT_EQ(c.ILPT, 0); }},
                      LineCase{"UserFunctionText", "-p11\t-1\ta1*exp(-a2*z) + a3   ",
                               [](const Config& c) {
                                   EXPECT_EQ(c.JFITFUNC, -1);
                                   EXPECT_EQ(c.FUNCSTR, "a1*exp(-a2*z) + a3");
                               }},
                      LineCase{"UserFunctionTextOf200Characters", "-p10\t-1\t" + std::string(200, 'z'),
                               [](const Config& c) {
                                   EXPECT_EQ(c.IPROG, 0);
                                   EXPECT_EQ(c.FUNCSTR, std::string(200, 'z'));
                               }},
                      LineCase{"PathWithBlanks", "-pn/tmp/my graph.ps   ",
                               [](const Config& c) { EXPECT_EQ(c.PSFILE, "/tmp/my graph.ps"); }},
                      LineCase{"LongOutputPathWhole", "-pn" + kLongPath + kLongPath,
                               [](const Config& c) { EXPECT_EQ(c.PSFILE, kLongPath + kLongPath); }},
                      LineCase{"BlankPathKeepsTheDefault", "-pn   ",
                               [](const Config& c) { EXPECT_EQ(c.PSFILE, "/tmp/pgtemp.ps"); }},
                      LineCase{"AnnotationOtherValueNoChange", "-nt5",
                               [](const Config& c) { EXPECT_FALSE(c.NOTEON); }},
                      LineCase{"TitleCutTo80", "-pt" + std::string(100, 't'),
                               [](const Config& c) { EXPECT_EQ(c.PLOTTITLE, std::string(80, 't')); }},
                      LineCase{"NoteLineCutTo50AsItStands", "-n3  indented " + std::string(60, 'n'),
                               [](const Config& c) {
                                   EXPECT_EQ(c.NOTELINES, 3);
                                   EXPECT_EQ(c.NOTELINE[2],
                                             ("  indented " + std::string(60, 'n')).substr(0, 50));
                               }},
                      LineCase{"CommentsAndUnknownKeysIgnored", "-%%  -fn/not/this",
                               [](const Config& c) { EXPECT_EQ(c.DATAFILE, ""); }}),
    CaseName{});

// A line that ends the program, with its message and kind.
struct FailureCase {
    const char* name;
    std::string line;
    ProgramStop::Kind kind;
    std::string message;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.line;
}

class ConfigFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ConfigFailure, Stops) {
    Reader reader;
    const auto stop = stopOf([&] { reader.read(crlfLines({"-%% first", GetParam().line, "-!!"})); });
    EXPECT_EQ(stop.kind, GetParam().kind);
    EXPECT_EQ(stop.message, GetParam().message);
}

constexpr auto kFatal = ProgramStop::Kind::FatalError;
constexpr auto kStop = ProgramStop::Kind::StopMessage;
const std::string kEbLine = "Error reading configuration file\n-eb line:  error bar";

INSTANTIATE_TEST_SUITE_P(
    Messages, ConfigFailure,
    ::testing::Values(
        FailureCase{"BlankLine", "", kFatal,
                    "error reading configuration file:  line doesn't begin with - sign"},
        FailureCase{"NoDash", "fn/a.dat", kFatal,
                    "error reading configuration file:  line doesn't begin with - sign"},
        FailureCase{"XLimitsOneNumber", "-xm1", kFatal,
                    "error reading configuration file: max and min x-axis values"},
        FailureCase{"XLimitsNotANumber", "-xm1\tten", kFatal,
                    "error reading configuration file: max and min x-axis values"},
        FailureCase{"YLimits", "-ym1", kFatal,
                    "error reading configuration file:  max and min y-axis values"},
        FailureCase{"MinorTicksMissing", "-mt1", kFatal, "Error reading configuration file, minor ticks"},
        FailureCase{"MinorTicksOutOfRange", "-mt1\t3", kFatal,
                    "Incorrect values in configuration file, minor tics"},
        FailureCase{"AxisTypeAfterBlank", "-at 2", kFatal, "error reading configuration file, program stops"},
        FailureCase{"AxisTypeFour", "-at4", kFatal, "error reading configuration file, program stops"},
        FailureCase{"BarsCodeNotANumber", "-ebx", kStop, "error reading configuration file"},
        FailureCase{"BarsCodeFour", "-eb4", kFatal, kEbLine},
        FailureCase{"BarsWithoutStep", "-eb3", kFatal, kEbLine},
        FailureCase{"BarsWithoutAutoCode", "-eb1\t2", kFatal, kEbLine},
        FailureCase{"YSourceAfterBlank", "-ey %5", kStop, "error reading configuration file: -ey"},
        FailureCase{"YPercentWithoutNumber", "-ey%", kFatal, "error reading configuration file: y error bar"},
        FailureCase{"XSquareRoot", "-ex@", kStop, "error reading configuration file"},
        FailureCase{"XConstantWithoutNumber", "-ex#", kFatal,
                    "error reading configuration file: x error bar"},
        FailureCase{"PointStyle", "-psx", kStop, "error reading configuration file"},
        FailureCase{"FontFive", "-ft5", kStop, "error reading configuration file: font"},
        FailureCase{"EditionCode", "-p12\t3", kFatal,
                    "error reading configuration file:  calling program code (IProg)"},
        FailureCase{"FunctionNumber", "-p11\tx", kFatal,
                    "error reading configuration file:  fitting function"},
        FailureCase{"FunctionTextOver200Characters", "-p11\t-1\t" + std::string(201, 'z'), kFatal,
                    "error reading configuration file:  fitting function longer than 200 characters"},
        FailureCase{"ParameterMissing", "-a3", kFatal,
                    "error reading configuration file: fitting function parameters"},
        FailureCase{"LineStyleSix", "-ls6", kFatal,
                    "Error reading configuration file: Bad fitting function line style"},
        FailureCase{"Annotation", "-ntx", kFatal,
                    "error reading configuration file:  annotation information"},
        FailureCase{"AnnotationPosition", "-np0.5\ty", kFatal,
                    "error reading configuration file:  annotation position"},
        FailureCase{"Legend", "-g2", kFatal, "error reading configuration file:  legend information"},
        FailureCase{"Orientation", "-po2", kFatal,
                    "error reading configuration file:  Postscript orientation"},
        FailureCase{"Size", "-pzx", kFatal, "error reading configuration file:  Postscript graph size"},
        FailureCase{"SectionNumber", "-!s", kFatal,
                    "error reading configuration file:  secondary configuration section"}),
    CaseName{});

TEST(Config, MissingFileStopsWithMessage) {
    Config cfg;
    const auto stop = stopOf([&] { GETCONFIG(cfg, "/nonexistent/pgtemp.cfg"); });
    EXPECT_EQ(stop.kind, kStop);
    EXPECT_EQ(stop.message, "configuration file not found");
}

TEST(Config, SectionsAreReadOneCallEach) {
    Reader reader;
    const std::string file =
        reader.folder.write("pgtemp.cfg", frontEndConfig({
                                              "-fn/tmp/pgtemp.dat",
                                              "-ptTitle",
                                              "-ey%5",
                                              "-p11\t3",
                                              "-a11",
                                              "-a22",
                                              "-!s1", // not above the sections started: ignored
                                              "-a33",
                                              "-%%  start of section for second data set",
                                              "-!s2",
                                              "-fn/tmp/pgtemp2.dat",
                                              "-ey$",
                                              "-p11\t1",
                                              "-a14",
                                              "-!!",
                                          }));
    Config& c = reader.cfg;
    EXPECT_EQ(GETCONFIG(c, file), SectionEnd::NextSection);
    EXPECT_FALSE(c.LASTSECTION);
    EXPECT_EQ(c.NSECTION, 2);
    EXPECT_EQ(c.NTERMS, 3);
    EXPECT_EQ(c.DATAFILE, "/tmp/pgtemp.dat");
    EXPECT_EQ(c.IYERRSOURCE, 1);

    EXPECT_EQ(GETCONFIG(c, file), SectionEnd::EndLine);
    EXPECT_TRUE(c.LASTSECTION);
    EXPECT_EQ(c.DATAFILE, "/tmp/pgtemp2.dat");
    EXPECT_EQ(c.NTERMS, 1); // this section's "-a" lines only
    EXPECT_FLOAT_EQ(c.AA[0], 4.0f);
    EXPECT_FLOAT_EQ(c.AA[2], 3.0f); // carried from the first section
    EXPECT_EQ(c.PLOTTITLE, "Title");
    EXPECT_EQ(c.IYERRSOURCE, 0); // the column replaces the percent rule
    EXPECT_TRUE(c.YERRCOL);
}

TEST(Config, ThirdSectionIsReadByTheThirdCall) {
    Reader reader;
    const std::string file =
        reader.folder.write("three.cfg", crlfLines({"-fn/a", "-!s2", "-fn/b", "-!s3", "-fn/c", "-!!"}));
    Config& c = reader.cfg;
    EXPECT_EQ(GETCONFIG(c, file), SectionEnd::NextSection);
    EXPECT_EQ(GETCONFIG(c, file), SectionEnd::NextSection);
    EXPECT_EQ(c.DATAFILE, "/b");
    EXPECT_EQ(c.NSECTION, 3);
    EXPECT_EQ(GETCONFIG(c, file), SectionEnd::EndLine);
    EXPECT_EQ(c.DATAFILE, "/c");
}

TEST(Config, FileWithoutEndLineEndsAfterItsLastSection) {
    Reader reader;
    const std::string file = reader.folder.write("open.cfg", crlfLines({"-fn/a", "-!s2", "-fn/b"}));
    Config& c = reader.cfg;
    EXPECT_EQ(GETCONFIG(c, file), SectionEnd::NextSection);
    EXPECT_EQ(GETCONFIG(c, file), SectionEnd::EndOfFile);
    EXPECT_FALSE(c.LASTSECTION);

    const std::string shorter = reader.folder.write("short.cfg", crlfLines({"-fn/a", "-!s2"}));
    Config d;
    EXPECT_EQ(GETCONFIG(d, shorter), SectionEnd::NextSection);
    EXPECT_EQ(GETCONFIG(d, shorter), SectionEnd::NothingRead);
}

TEST(Config, BlankLinesAfterTheEndAreNeverRead) {
    Reader reader;
    EXPECT_EQ(reader.read("-fn/a\r\n-!!\r\n\r\n   \r\nnot a line\r\n"), SectionEnd::EndLine);
}

TEST(ConfigTokens, DelimitTakesOneTokenAndItsDelimiter) {
    std::string line = " \t,12.5,\t3 rest";
    std::string token;
    DELIMIT(line, token);
    EXPECT_EQ(token, "12.5");
    EXPECT_EQ(line, "\t3 rest");
    DELIMIT(line, token);
    EXPECT_EQ(token, "3");
    EXPECT_EQ(line, "rest");
    DELIMIT(line, token);
    EXPECT_EQ(token, "rest");
    DELIMIT(line, token);
    EXPECT_EQ(token, "");

    std::string longToken(70, '7');
    DELIMIT(longToken, token);
    EXPECT_EQ(token.size(), 50u);
}

TEST(ConfigTokens, ProcstrCountsNumbersAndStopsAtTheFirstBadOne) {
    float values[4] = {};
    int32_t count = 0;
    int16_t status = 0;
    std::string line = "1 2 3 4 5 6";
    PROCSTR(line, values, count, 6, status);
    EXPECT_EQ(count, 6);
    EXPECT_EQ(status, 0);
    EXPECT_FLOAT_EQ(values[3], 4.0f);

    line = "1, 2, x, 4";
    PROCSTR(line, values, count, 4, status);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(status, 1);

    line = "  ";
    PROCSTR(line, values, count, 2, status);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(status, 0);
}

TEST(ConfigTokens, ProcintstrReportsEmptyAndBadTokens) {
    int16_t value = 0;
    int32_t code = 0;
    int16_t status = 0;
    std::string line = "-12 x";
    PROCINTSTR(line, value, code, status);
    EXPECT_EQ(value, -12);
    EXPECT_EQ(status, 0);
    PROCINTSTR(line, value, code, status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(code, 0);
    PROCINTSTR(line, value, code, status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(code, -1);
}

TEST(ConfigTokens, LcaseLowersTheFirstTwoCharacters) {
    EXPECT_EQ(LCASE("FNx"), "fn");
    EXPECT_EQ(LCASE("!S"), "!s");
    EXPECT_EQ(LCASE("a"), "a ");
}

} // namespace
} // namespace pgplot
