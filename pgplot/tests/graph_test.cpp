#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "graph.h"
#include "recorder.h"
#include "test_support.h"

namespace pgplot {
namespace {

using testing::Call;
using testing::CaseName;
using testing::MessageLog;
using testing::Recorder;
using testing::stopOf;

SectionData section(std::vector<float> x, std::vector<float> y, std::vector<float> ey = {},
                    std::vector<float> ex = {}) {
    SectionData data;
    data.XDAT = std::move(x);
    data.YDAT = std::move(y);
    data.EYDAT = ey.empty() ? std::vector<float>(data.XDAT.size(), 0.0f) : std::move(ey);
    data.EXDAT = ex.empty() ? std::vector<float>(2, 0.0f) : std::move(ex);
    return data;
}

std::vector<float> range(float from, float to) {
    std::vector<float> values;
    for (float v = from; v <= to; v += 1.0f) {
        values.push_back(v);
    }
    return values;
}

// Drawing into the recorder with the settings cfg.
struct Drawing {
    Config cfg;
    Recorder pg;
    MessageLog log;
    int mode = kScreen;
    Graph& graph() {
        if (!graph_) {
            graph_ = std::make_unique<Graph>(pg, cfg, mode);
        }
        return *graph_;
    }
    std::vector<Call> errorBars() const { return pg.named("err1"); }

  private:
    std::unique_ptr<Graph> graph_;
};

struct BoxCase {
    const char* name;
    int axes, minorX, minorY;
    float xmin, xmax, ymin, ymax; // requested limits
    std::vector<float> x, y;      // data
    std::string xopt, yopt;
};

void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.name;
}

class BoxOptions : public ::testing::TestWithParam<BoxCase> {};

TEST_P(BoxOptions, FollowTickCodesAndRatios) {
    const auto& c = GetParam();
    Drawing d;
    d.cfg.ILINLOG = c.axes;
    d.cfg.MINORTICKX = c.minorX;
    d.cfg.MINORTICKY = c.minorY;
    d.cfg.XGRMININIT = c.xmin;
    d.cfg.XGRMAXINIT = c.xmax;
    d.cfg.YGRMININIT = c.ymin;
    d.cfg.YGRMAXINIT = c.ymax;
    d.graph().GRAPHAXES(c.x, c.y);
    const auto box = d.pg.named("box");
    ASSERT_EQ(box.size(), 1u);
    EXPECT_EQ(box[0].texts, (std::vector<std::string>{c.xopt, c.yopt}));
    EXPECT_EQ(box[0].numbers, (std::vector<float>{0.0f, 0.0f, 0.0f, 0.0f}));
}

INSTANTIATE_TEST_SUITE_P(
    Axes, BoxOptions,
    ::testing::Values(
        BoxCase{"LinearAuto", 1, 0, 0, 0, 10, 0, 10, {1}, {1}, "BCNST", "BCNSTV"},
        BoxCase{"LinearOnSameAsAuto", 1, 1, 1, 0, 10, 0, 10, {1}, {1}, "BCNST", "BCNSTV"},
        BoxCase{"LinearOff", 1, 2, 2, 0, 10, 0, 10, {1}, {1}, "BCNT", "BCNTV"},
        BoxCase{"SemiLogAutoWideRatio", 2, 0, 0, 0, 10, 0.1f, 1000, {1}, {1}, "BCNST", "BCNTVL"},
        BoxCase{"SemiLogAutoNarrowRatio", 2, 0, 0, 0, 10, 1, 1000, {1}, {1}, "BCNST", "BCNSTVL"},
        BoxCase{"SemiLogOn", 2, 2, 1, 0, 10, 0.1f, 1000, {1}, {1}, "BCNT", "BCNSTVL"},
        BoxCase{"SemiLogOff", 2, 0, 2, 0, 10, 1, 10, {1}, {1}, "BCNST", "BCNTVL"},
        BoxCase{"LogLogFromData", 3, 0, 0, 0, 0, 0, 0, {1, 10000}, {2, 40}, "BCNTL", "BCNSTVL"},
        BoxCase{"LogLogCodes", 3, 1, 2, 1, 10, 1, 10, {1}, {1}, "BCNSTL", "BCNTVL"}),
    CaseName{});

TEST(GraphAxes, SemiLogLimitsComeFromTheDataWhenNotPositive) {
    Drawing d;
    d.cfg.ILINLOG = 2;
    d.cfg.XGRMININIT = 0;
    d.cfg.XGRMAXINIT = 5;
    d.graph().GRAPHAXES({1, 2, 3}, {0.2f, 5, 40});
    const auto window = d.pg.named("window").at(0).numbers;
    EXPECT_FLOAT_EQ(window[0], 0.0f);
    EXPECT_FLOAT_EQ(window[1], 5.0f);
    EXPECT_FLOAT_EQ(window[2], -1.0f); // 0.5 x 0.2 = 0.1
    EXPECT_FLOAT_EQ(window[3], std::log10(80.0f));
}

TEST(GraphAxes, LabelsTitleFontAndAnnotation) {
    Drawing d;
    d.cfg.ILINLOG = 1;
    d.cfg.XGRMAXINIT = d.cfg.YGRMAXINIT = 1;
    d.cfg.IFONT = 3;
    d.cfg.XAXISLABLE = "Time (s)   ";
    d.cfg.YAXISLABLE = "Counts";
    d.cfg.PLOTTITLE = "Decay";
    d.graph().GRAPHAXES({0.5f}, {0.5f});
    EXPECT_EQ(d.pg.named("scf").at(0).numbers, std::vector<float>{3});
    EXPECT_EQ(d.pg.named("lab").at(0).texts, (std::vector<std::string>{"Time (s)", "", "Decay"}));
    const auto ylabel = d.pg.named("mtxt").at(0);
    EXPECT_EQ(ylabel.texts, (std::vector<std::string>{"L", "Counts"}));
    EXPECT_EQ(ylabel.numbers, (std::vector<float>{4.0f, 0.5f, 0.5f}));
    EXPECT_TRUE(d.pg.named("text").empty()); // annotation off
}

TEST(ErrorBars, StepChoosesPointsAndMinusOneTheMiddle) {
    struct Case {
        int step, points;
        std::vector<float> drawnAt; // X of the points with bars
    };
    for (const Case& c :
         {Case{3, 10, {1, 4, 7, 10}}, Case{-1, 10, {5}}, Case{-1, 11, {6}}, Case{0, 1, {1}}}) {
        Drawing d;
        d.cfg.ILINLOG = 1;
        d.cfg.IEBARSKIP = c.step;
        const auto data = section(range(1, float(c.points)), range(1, float(c.points)),
                                  std::vector<float>(std::size_t(c.points), 0.5f));
        d.graph().MYEBAR(data.count(), data.XDAT.data(), data.YDAT.data(), data.EYDAT.data(), 'y');
        std::vector<float> drawnAt;
        for (const auto& call : d.errorBars()) {
            EXPECT_EQ(call.numbers[0], 6.0f); // both halves from the centre
            EXPECT_EQ(call.numbers[3], 0.5f);
            EXPECT_EQ(call.numbers[4], 1.5f); // terminals 1.5 x the default
            drawnAt.push_back(call.numbers[1]);
        }
        EXPECT_EQ(drawnAt, c.drawnAt) << "step " << c.step << ", " << c.points << " points";
    }
}

TEST(ErrorBars, AutoThresholdSuppressesSmallBars) {
    // World character height 0.2: T = 0.05, threshold 1.09 T = 0.0545.
    const std::vector<float> errors = {0.05f, 0.06f, 0.0f, -0.1f};
    for (const bool automatic : {true, false}) {
        Drawing d;
        d.cfg.ILINLOG = 1;
        d.cfg.IEBARSKIP = 1;
        d.cfg.YEBARAUTO = automatic;
        const auto data = section({1, 2, 3, 4}, {1, 1, 1, 1}, errors);
        d.graph().MYEBAR(4, data.XDAT.data(), data.YDAT.data(), data.EYDAT.data(), 'y');
        std::vector<float> lengths;
        for (const auto& call : d.errorBars()) {
            lengths.push_back(call.numbers[3]);
        }
        const std::vector<float> expected =
            automatic ? std::vector<float>{0.06f} : std::vector<float>{0.05f, 0.06f, 0.0f};
        EXPECT_EQ(lengths, expected);
    }
}

TEST(ErrorBars, HollowSquareHalvesStartOutsideTheMarker) {
    Drawing d;
    d.cfg.ILINLOG = 1;
    d.cfg.IEBARSKIP = 1;
    d.cfg.IPOINTSTYLE = 6;
    const auto data = section({2}, {3}, {0.5f}, {0.4f});
    d.graph().MYEBAR(1, data.XDAT.data(), data.YDAT.data(), data.EYDAT.data(), 'y');
    d.graph().MYEBAR(1, data.XDAT.data(), data.YDAT.data(), data.EXDAT.data(), 'x');
    const auto bars = d.errorBars();
    ASSERT_EQ(bars.size(), 4u);
    const float ty = 0.25f * 0.2f, tx = 0.25f * 0.1f;
    EXPECT_EQ(bars[0].numbers, (std::vector<float>{2, 2, 3 + ty, 0.5f - ty, 1.5f}));
    EXPECT_EQ(bars[1].numbers, (std::vector<float>{4, 2, 3 - ty, 0.5f - ty, 1.5f}));
    EXPECT_EQ(bars[2].numbers, (std::vector<float>{1, 2 + tx, 3, 0.4f - tx, 1.5f}));
    EXPECT_EQ(bars[3].numbers, (std::vector<float>{3, 2 - tx, 3, 0.4f - tx, 1.5f}));
}

TEST(ErrorBars, LogAxisOmitsNegativeLowEndsWithOneWarning) {
    Drawing d;
    d.cfg.ILINLOG = 2;
    d.cfg.IEBARSKIP = 1;
    const auto data = section({1, 2, 3}, {1, 10, 4}, {2, 5, 4});
    d.graph().MYEBAR(3, data.XDAT.data(), data.YDAT.data(), data.EYDAT.data(), 'y');
    const auto bars = d.errorBars();
    ASSERT_EQ(bars.size(), 4u); // upper halves of all three, lower half of the second only
    EXPECT_EQ(bars[0].numbers[0], 2.0f);
    EXPECT_FLOAT_EQ(bars[0].numbers[2], 0.0f);
    EXPECT_FLOAT_EQ(bars[0].numbers[3], std::log10(3.0f));
    EXPECT_EQ(bars[2].numbers[0], 4.0f);
    EXPECT_FLOAT_EQ(bars[2].numbers[3], 1.0f - std::log10(5.0f));
    EXPECT_EQ(
        d.log.boxes(),
        (std::vector<testing::Message>{
            {"Warning", "At least one error bar is negative on low end\nCannot plot on logarithmic scale"}}));
}

TEST(ErrorBars, XBarsOnSemiLogSitAtTheLogarithmOfY) {
    Drawing d;
    d.cfg.ILINLOG = 2;
    d.cfg.IEBARSKIP = 1;
    const auto data = section({5}, {100}, {}, {0.5f});
    d.graph().MYEBAR(1, data.XDAT.data(), data.YDAT.data(), data.EXDAT.data(), 'x');
    EXPECT_EQ(d.errorBars().at(0).numbers, (std::vector<float>{5, 5, 2, 0.5f, 1.5f}));
}

TEST(ErrorBars, PostScriptDrawsThemThinner) {
    Drawing d;
    d.mode = kPostScriptFile;
    d.cfg.ILINLOG = 1;
    const auto data = section({1}, {1}, {0.5f});
    d.graph().MYEBAR(1, data.XDAT.data(), data.YDAT.data(), data.EYDAT.data(), 'y');
    ASSERT_FALSE(d.pg.calls.empty());
    EXPECT_EQ(d.pg.calls.front().name, "slw");
    EXPECT_EQ(d.pg.calls.front().numbers, std::vector<float>{2});
    EXPECT_EQ(d.pg.calls.back().numbers, std::vector<float>{3});
}

// The curve's X values and the evaluators behind them.
struct CurveCase {
    const char* name;
    int edition;
    int16_t function;
    std::string text;
    std::vector<float> x;
    float first;
    std::function<float(float)> expected;
};

void PrintTo(const CurveCase& c, std::ostream* os) {
    *os << c.name;
}

class Curve : public ::testing::TestWithParam<CurveCase> {};

TEST_P(Curve, RunsOverTheDataWidenedByFivePercent) {
    const auto& c = GetParam();
    Drawing d;
    d.cfg.ILINLOG = 1;
    d.cfg.IPROG = c.edition;
    d.cfg.JFITFUNC = c.function;
    d.cfg.FUNCSTR = c.text;
    d.cfg.AA = {2.0f, 0.5f};
    d.cfg.NTERMS = 2;
    d.cfg.LINESTYLE = 3;
    d.graph().GRAPHDATA(section(c.x, std::vector<float>(c.x.size(), 1.0f)));
    const auto lines = d.pg.named("line");
    ASSERT_EQ(lines.size(), 1u);
    const auto& numbers = lines[0].numbers;
    ASSERT_EQ(numbers.size(), 201u);
    ASSERT_EQ(numbers[0], 100.0f);
    for (int k = 0; k < 100; ++k) {
        const float x = numbers[std::size_t(1 + 2 * k)];
        EXPECT_NEAR(x, c.first + 0.086f * float(k), 1e-4f) << k;
        EXPECT_NEAR(numbers[std::size_t(2 + 2 * k)], c.expected(x), 1e-4f) << k;
    }
    const auto styles = d.pg.named("sls"), colours = d.pg.named("sci");
    ASSERT_GE(styles.size(), 2u);
    ASSERT_GE(colours.size(), 2u);
    EXPECT_EQ(styles.front().numbers, std::vector<float>{3});
    EXPECT_EQ(styles.back().numbers, std::vector<float>{1});   // restored
    EXPECT_EQ(colours.front().numbers, std::vector<float>{2}); // red on the screen
    EXPECT_EQ(colours.back().numbers, std::vector<float>{1});
    EXPECT_TRUE(d.log.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Evaluators, Curve,
                         ::testing::Values(CurveCase{"NonLinearEdition", 1, 1, "", range(2, 10), 1.9f,
                                                     [](float x) { return 2.0f + 0.5f * x; }},
                                           CurveCase{"LinearEdition", 0, 2, "", range(2, 10), 1.9f,
                                                     [](float x) { return 2.0f * std::pow(x, 0.5f); }},
                                           CurveCase{"UserFunction", 0, -1, "a1*z*z + a2", range(2, 10), 1.9f,
                                                     [](float x) { return 2.0f * x * x + 0.5f; }},
                                           CurveCase{"UserFunctionWithExponents", 1, -1,
                                                     "a1*z/2E3 + a2*1e1^2", range(2, 10), 1.9f,
                                                     [](float x) { return 2.0f * x / 2000.0f + 50.0f; }},
                                           CurveCase{"NegativeData", 1, 1, "", range(-10, -2), -10.5f,
                                                     [](float x) { return 2.0f + 0.5f * x; }}),
                         CaseName{});

TEST(Curve, UserFunctionFailuresWarnAndBreakTheLine) {
    Drawing d;
    d.cfg.ILINLOG = 1;
    d.cfg.JFITFUNC = -1;
    d.cfg.FUNCSTR = "sqrt(z - 5)";
    d.cfg.NTERMS = 0;
    d.graph().GRAPHDATA(section(range(2, 10), range(2, 10)));
    const auto lines = d.pg.named("line");
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_GE(lines[0].numbers.size(), 2u);
    EXPECT_GE(lines[0].numbers[1], 5.0f); // the piece where the root exists
    ASSERT_FALSE(d.log.boxes().empty());
    EXPECT_EQ(d.log.boxes().front().caption, "Warning");
}

// Each point the function fails at used to show its own box: a curve over a range where a root
// has no value asked for dozens of OKs on the screen.
TEST(Curve, EachFailureOfTheUserFunctionIsShownOncePerCurve) {
    Drawing d;
    d.cfg.ILINLOG = 1;
    d.cfg.JFITFUNC = -1;
    d.cfg.FUNCSTR = "sqrt(7 - z) + ln(z - 4)"; // no root above 7, no logarithm up to 4
    d.graph().GRAPHDATA(section(range(2, 10), range(2, 10)));
    const auto boxes = d.log.boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].text, boxes[1].text);
    EXPECT_EQ(d.pg.named("line").size(), 1u); // the piece between 4 and 7

    d.graph().GRAPHDATA(section(range(2, 10), range(2, 10)));
    EXPECT_EQ(d.log.boxes().size(), 4u); // a second section's curve tells again
}

TEST(Curve, NoCurveForZeroOrBelowMinusOne) {
    for (const int16_t function : {int16_t{0}, int16_t{-2}}) {
        Drawing d;
        d.cfg.ILINLOG = 1;
        d.cfg.JFITFUNC = function;
        d.graph().GRAPHDATA(section({1, 2}, {1, 2}));
        EXPECT_TRUE(d.pg.named("line").empty());
        EXPECT_EQ(d.pg.named("pt").size(), 1u);
    }
}

TEST(Points, LogAxesLeaveOutNonPositiveValuesWithOneWarning) {
    Drawing d;
    d.cfg.ILINLOG = 3;
    d.graph().GRAPHDATA(section({1, 10, -1, 100}, {10, 0, 10, 1000}));
    const auto points = d.pg.named("pt");
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].numbers, (std::vector<float>{2, 16, 0, 1, 2, 3}));
    EXPECT_EQ(d.log.boxes().size(), 1u);
}

TEST(Points, OrderOfBarsAndPointsByAxisType) {
    for (const int axes : {1, 2, 3}) {
        Drawing d;
        d.cfg.ILINLOG = axes;
        d.cfg.YEBARON = d.cfg.XEBARON = true;
        d.graph().GRAPHDATA(section({1}, {1}, {0.5f}, {0.5f}));
        std::vector<std::string> order;
        for (const auto& call : d.pg.calls) {
            if (call.name == "pt" || call.name == "err1") {
                order.push_back(call.name == "pt" ? "points" : int(call.numbers[0]) % 2 == 1 ? "x" : "y");
            }
        }
        order.erase(std::unique(order.begin(), order.end()), order.end());
        const std::vector<std::string> expected = axes == 3 ? std::vector<std::string>{"points", "y", "x"}
                                                            : std::vector<std::string>{"y", "x", "points"};
        EXPECT_EQ(order, expected) << "axis type " << axes;
    }
}

TEST(Points, EmptySectionDrawsNothingAndWarnsOnce) {
    Drawing d;
    d.cfg.ILINLOG = 1;
    d.cfg.JFITFUNC = 1;
    d.cfg.DATAFILE = "/tmp/empty.dat";
    d.graph().GRAPHDATA(section({}, {}));
    EXPECT_TRUE(d.pg.calls.empty());
    EXPECT_EQ(d.log.boxes(), (std::vector<testing::Message>{
                                 {"Warning", "There are no data points in the data file /tmp/empty.dat"}}));
}

// The annotation box's first baseline and left edge for a position and line count.
TEST(Annotation, IsClampedInsideTheWindow) {
    struct Case {
        float xpos, ypos;
        int lines;
        float x, y;
    };
    // Window 0..10 x 0..10; character 0.1 wide and 0.2 high.
    for (const Case& c : {Case{0.5f, 0.5f, 1, 5.0f, 5.0f}, Case{1.0f, 1.0f, 4, 10.0f - 1.0f, 10.0f - 0.3f},
                          Case{0.0f, 0.0f, 4, 0.1f, 0.8f}, Case{0.0f, 0.02f, 2, 0.1f, 0.4f}}) {
        Drawing d;
        d.cfg.XNOTEPOS = c.xpos;
        d.cfg.YNOTEPOS = c.ypos;
        d.cfg.NOTELINES = c.lines;
        d.graph().ANNOTE(0, 10, 0, 10);
        const auto texts = d.pg.named("text");
        ASSERT_EQ(texts.size(), std::size_t(c.lines));
        EXPECT_NEAR(texts[0].numbers[0], c.x, 1e-5f);
        EXPECT_NEAR(texts[0].numbers[1], c.y, 1e-5f);
        EXPECT_NEAR(texts.back().numbers[1], c.y - 0.2f * float(c.lines - 1), 1e-5f);
    }
}

TEST(Annotation, LegendMarkersStandBeforeTheirLines) {
    Drawing d;
    d.cfg.XNOTEPOS = d.cfg.YNOTEPOS = 0.5f;
    d.cfg.NOTELINES = 2;
    d.cfg.NOTELINE = {"plain", "with dot"};
    d.cfg.LEGEND = {0, -1};
    d.graph().ANNOTE(0, 10, 0, 10);
    const auto texts = d.pg.named("text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].numbers, (std::vector<float>{5.0f, 5.0f}));
    EXPECT_EQ(texts[0].texts, std::vector<std::string>{"plain"});
    const auto marker = d.pg.named("pt1");
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_NEAR(marker[0].numbers[0], 5.0f + 0.02f, 1e-5f);
    EXPECT_NEAR(marker[0].numbers[1], 4.8f + 0.06f, 1e-5f);
    EXPECT_EQ(marker[0].numbers[2], -1.0f);
    EXPECT_NEAR(texts[1].numbers[0], 5.0f + 0.14f, 1e-5f);
    const auto widths = d.pg.named("slw");
    ASSERT_FALSE(widths.empty());
    EXPECT_EQ(widths.front().numbers, std::vector<float>{2});
    EXPECT_EQ(widths.back().numbers, std::vector<float>{3});
}

TEST(Viewport, MarginsAreSixCharacterHeights) {
    Drawing d;
    d.graph().PGVSTD1();
    EXPECT_TRUE(d.pg.named("vsiz").empty()); // no device open
    d.pg.open(DeviceRequest{});
    d.graph().PGVSTD1();
    // 6 x 12 device units at 100 per inch.
    EXPECT_EQ(d.pg.named("vsiz").at(0).numbers,
              (std::vector<float>{0.72f, 10.0f - 0.72f, 0.72f, 8.0f - 0.72f}));
}

TEST(Device, ScreenOpensTheWindowAndWaitsForQ) {
    Drawing d;
    d.cfg.ILINLOG = 1;
    d.cfg.XGRMAXINIT = d.cfg.YGRMAXINIT = 1;
    d.pg.keys = {'a', 'x', 'Q', 'z'};
    d.graph().GRAPHSTART(section({0.5f}, {0.5f}));
    d.graph().GRAPHCLOSE();
    ASSERT_EQ(d.pg.opened.size(), 1u);
    EXPECT_EQ(d.pg.opened[0].kind, DeviceRequest::Kind::Screen);
    EXPECT_EQ(d.pg.named("ask").at(0).numbers, std::vector<float>{0});
    EXPECT_EQ(d.pg.named("scr").at(0).numbers, (std::vector<float>{0, 0.9f, 0.9f, 0.9f}));
    EXPECT_EQ(d.pg.named("scr").at(1).numbers, (std::vector<float>{1, 0, 0, 0}));
    EXPECT_EQ(d.pg.named("curs").size(), 3u); // until Q
    EXPECT_EQ(d.pg.keys, std::vector<char>{'z'});
    ASSERT_FALSE(d.pg.calls.empty());
    EXPECT_EQ(d.pg.calls.back().name, "clos");
    // The listing: every item, then the view surface.
    ASSERT_FALSE(d.log.messages.empty());
    const auto& first = d.log.messages.front();
    EXPECT_EQ(first, (testing::Message{"Output", "version=version-value"}));
}

TEST(Device, OpenFailureStops) {
    Drawing d;
    d.pg.openResult = 0;
    const auto stop = stopOf([&] { d.graph().GRAPHSTART(section({1}, {1})); });
    EXPECT_EQ(stop.kind, ProgramStop::Kind::StopMessage);
    EXPECT_EQ(stop.message, "error opening PGPlot");
}

TEST(Device, PostScriptGeometryAndUnwritablePath) {
    testing::ScratchFolder folder;
    Drawing d;
    d.mode = kPostScriptFile;
    d.cfg.ILINLOG = 1;
    d.cfg.XGRMAXINIT = d.cfg.YGRMAXINIT = 1;
    d.cfg.KORIENT = 1;
    d.cfg.KSIZE = 0;
    d.cfg.PSFILE = folder.path("graph.ps");
    d.graph().GRAPHSTART(section({0.5f}, {0.5f}));
    const auto& device = d.pg.opened.at(0);
    EXPECT_EQ(device.kind, DeviceRequest::Kind::PostScriptPortrait);
    EXPECT_DOUBLE_EQ(device.widthInches, 7.8);
    EXPECT_DOUBLE_EQ(device.heightInches, 5.63);
    EXPECT_STREQ(std::getenv("PGPLOT_PS_HEIGHT"), "5630");
    EXPECT_STREQ(std::getenv("PGPLOT_PS_VOFFSET"), "5000");
    EXPECT_EQ(d.pg.named("slw").at(0).numbers, std::vector<float>{3});
    // An unwritable file shows only when the library closes: it leaves no page behind.
    std::filesystem::remove(device.file);
    const auto stop = stopOf([&] { d.graph().GRAPHCLOSE(); });
    EXPECT_EQ(stop.kind, ProgramStop::Kind::FatalError);
    EXPECT_EQ(stop.message, "error writing the PostScript file " + folder.path("graph.ps"));

    Drawing unwritable;
    unwritable.mode = kPostScriptFile;
    unwritable.cfg.PSFILE = "/nonexistent-folder/graph.ps";
    EXPECT_THROW(unwritable.graph().GRAPHSTART(section({1}, {1})), ProgramStop);
    EXPECT_TRUE(unwritable.pg.opened.empty());
}

} // namespace
} // namespace pgplot
