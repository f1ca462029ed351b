#include <gtest/gtest.h>

extern "C" {
#include <giza.h>
}

#include "giza_api.h"
#include "page.h"
#include "test_support.h"

namespace pgplot {
namespace {

TEST(Page, FourOrientationAndSizeCases) {
    struct Case {
        int orientation, size;
        double width, height;
        std::vector<int> box;
        std::vector<std::pair<std::string, std::string>> environment;
    };
    // clang-format off
    const Case cases[] = {
        {1, 0, 7.8, 5.63, {25, 360, 587, 766}, {{"PGPLOT_PS_HEIGHT", "5630"}, {"PGPLOT_PS_VOFFSET", "5000"}}},
        {1, 1, 7.8, 7.8,  {25, 216, 587, 778}, {{"PGPLOT_PS_HEIGHT", "7800"}, {"PGPLOT_PS_VOFFSET", "3000"}}},
        {0, 0, 9.0, 6.8,  {25, 18, 515, 666},  {{"PGPLOT_PS_WIDTH", "6800"}, {"PGPLOT_PS_HEIGHT", "9000"}}},
        {0, 1, 10.5, 7.8, {25, 18, 587, 774},  {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "orientation " << c.orientation << ", size " << c.size);
        const auto geometry = pageGeometry(c.orientation, c.size);
        EXPECT_EQ(geometry.portrait, c.orientation == 1);
        EXPECT_DOUBLE_EQ(geometry.widthInches, c.width);
        EXPECT_DOUBLE_EQ(geometry.heightInches, c.height);
        EXPECT_EQ(boundingBox(geometry), c.box);
        EXPECT_EQ(geometry.environment, c.environment);
    }
}

TEST(Page, LetterPageWrapsTheGraphAndKeepsAnOldFileOnFailure) {
    testing::ScratchFolder folder;
    const auto graph = folder.write("graph.ps", "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 648 490\nshowpage\n");
    const auto out = folder.path("out.ps");
    ASSERT_TRUE(writeLetterPage(graph, out, pageGeometry(0, 0)));
    const std::string text = testing::fileText(out);
    EXPECT_NE(text.find("%%BoundingBox: 25 18 515 666\n"), std::string::npos);
    EXPECT_NE(text.find("514.8 18 translate 90 rotate\n%%BeginDocument: graph\n%!PS-Adobe-3.0\n"),
              std::string::npos);
    EXPECT_NE(text.find("%%Orientation: Landscape"), std::string::npos);

    EXPECT_FALSE(writeLetterPage(folder.path("missing.ps"), out, pageGeometry(0, 0)));
    EXPECT_FALSE(writeLetterPage(folder.write("empty.ps", ""), out, pageGeometry(0, 0)));
    EXPECT_FALSE(writeLetterPage(graph, folder.path("no/such/folder.ps"), pageGeometry(0, 0)));
    EXPECT_EQ(testing::fileText(out), text);
}

TEST(GizaLayer, TextEscapesTexStyleCharactersUnlessPgplotEscapesAreUsed) {
    EXPECT_EQ(gizaText("a_1 x^2 {b}", false), "a\\_1 x\\^2 \\{b\\}");
    EXPECT_EQ(gizaText("x\\u2\\d_1", false), "x\\u2\\d_1");
    EXPECT_EQ(gizaText("Time", true), "\\fiTime");
    EXPECT_EQ(gizaText("", false), "");
}

TEST(GizaLayer, LineStylesMapToGizasPatterns) {
    // PGPLOT: 1 full, 2 dashed, 3 dash-dot-dash-dot, 4 dotted, 5 dash-dot-dot-dot.
    const int expected[] = {0, 1, 2, 5, 4, 6};
    for (int style = 1; style <= 5; ++style) {
        EXPECT_EQ(gizaLineStyle(style), expected[style]);
        EXPECT_EQ(pgplotLineStyle(gizaLineStyle(style)), style);
    }
}

// The real library, into a PostScript file.
TEST(GizaLayer, QueriesOnARealDevice) {
    testing::ScratchFolder folder;
    auto pg = makeGizaApi();
    DeviceRequest device{DeviceRequest::Kind::PostScriptLandscape, folder.path("real.ps"), 9.0, 6.8};
    ASSERT_GT(pg->open(device), 0);
    EXPECT_FALSE(pg->noto());
    pg->ask(false);
    float x1, x2, y1, y2;
    pg->qvsz(1, x1, x2, y1, y2);
    EXPECT_NEAR(x2 - x1, 9.0f, 0.02f);
    EXPECT_NEAR(y2 - y1, 6.8f, 0.02f);
    float xn, yn, xi, yi, xd, yd;
    pg->qcs(0, xn, yn);
    pg->qcs(1, xi, yi);
    pg->qcs(3, xd, yd);
    EXPECT_NEAR(xi, yn * (y2 - y1), 1e-4f);
    EXPECT_FLOAT_EQ(xi, yi);
    float dx1, dx2, dy1, dy2;
    pg->qvsz(3, dx1, dx2, dy1, dy2);
    EXPECT_NEAR(yd, yi * (dy2 - dy1) / (y2 - y1), 1e-3f);
    for (const int font : {2, 3, 4, 1}) { // giza's own height differs by face
        pg->scf(font);
        float xf, yf;
        pg->qcs(0, xf, yf);
        EXPECT_FLOAT_EQ(yf, yn) << "font " << font;
    }
    EXPECT_FALSE(pg->qinf("user").empty()); // giza's own answer crashes without a terminal
    pg->sls(3);
    EXPECT_EQ(pg->qls(), 3);
    pg->slw(3); // PGPLOT's units of 1/200 inch in giza's of 0.25 mm
    double width = 0.0;
    giza_get_line_width(&width);
    EXPECT_NEAR(width, 3 * 0.127 / 0.25, 1e-9);
    pg->clos();
    EXPECT_TRUE(pg->noto());
    EXPECT_TRUE(std::filesystem::exists(folder.path("real.ps")));
}

TEST(GizaLayer, AskingForADeviceWithoutATerminalFails) {
    auto pg = makeGizaApi();
    FILE* saved = std::freopen("/dev/null", "r", stdin);
    ASSERT_NE(saved, nullptr);
    EXPECT_LE(pg->open(DeviceRequest{DeviceRequest::Kind::Ask, "", 0, 0}), 0);
}

} // namespace
} // namespace pgplot
