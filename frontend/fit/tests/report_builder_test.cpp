#include "fit/report_builder.h"

#include "platform/scripted_services.h"

#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

// A report built from a working state set by hand: what the report says for given results.
class ReportBuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.Edition = QStringLiteral("NON");
        session.Names = QStringLiteral("N");
        session.Experiment = QStringLiteral("E");
        s.pointCount = s.capacity = 3;
        s.x = {1, 2, 3};
        s.y = {2, 4, 6};
        s.ySigma = s.reportedYSigma = {0.1f, 0.1f, 0.1f};
        s.yCalc = {2.1f, 3.9f, 6.0f};
        s.yKind = YKindGiven;
        s.ySub = YSubPercentage;
        s.yValue = 0.05f;
        s.functionNumber = 1;
        s.paramCount = 2;
        s.params = {1.0f, 0.5f};
        s.paramErrors = {0.25f, 0.001f};
        s.initialParams = {-2.0f, 150.0f};
        s.chiSquare = 1;
    }
    QString build(std::int16_t mode = FullReport) {
        const BuiltReport report =
            BuildFitReport(s, {session, store, LetterPage(), QDate(2026, 1, 2)}, mode, dialogs);
        return report.document.plainText().join(u'\n');
    }

    Session session;
    DataStore store;
    FitState s;
    ScriptedDialogs dialogs;
};

TEST_F(ReportBuilderTest, ChiSquareCommentaryAtItsBounds) {
    const struct {
        float chi;
        const char* commentary;
        bool untrusted;
    } cases[] = {{0.25f, "lies reasonably close to 1", false}, {4.0f, "lies reasonably close to 1", false},
                 {0.2499f, "is smaller than usual", true},     {4.001f, "is larger than usual", true}};
    for (const auto& c : cases) {
        s.chiSquare = c.chi;
        const QString text = build();
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.commentary))) << c.chi;
        EXPECT_EQ(text.contains(QStringLiteral("PARAMETER ERRORS CANNOT BE TRUSTED")), c.untrusted) << c.chi;
    }
}

TEST_F(ReportBuilderTest, ParameterRowsUseTheParameterFormats) {
    const QString text = build();
    // 1 takes two to three decimals, 0.5 three to four, a negative value and 150 the exponent form.
    EXPECT_TRUE(text.contains(QStringLiteral("A = | 1.00  |\u00B1| 0.25|-2.00E+00  ")));
    EXPECT_TRUE(text.contains(QStringLiteral("B = | 0.500  |\u00B1| 1.00E-03| 1.50E+02  ")));
    EXPECT_TRUE(text.contains(QStringLiteral("Y Error is a percentage of Y.  (5.0%)")));
    EXPECT_TRUE(text.contains(QStringLiteral(" 1| 1.000E+00 | 2.000E+00 |\u00B1| 1.00E-01| 2.100E+00|-1.00E-01")));
    EXPECT_EQ(s.residuals[0], 2.0f - 2.1f);
}

TEST_F(ReportBuilderTest, ARunThatNeverLeftItsEstimatesSaysSoInEitherReport) {
    for (const std::int16_t mode : {FullReport, SummaryReport}) {
        s.stayedAtEstimates = false;
        EXPECT_FALSE(build(mode).contains(StayedAtEstimatesNote)) << mode;
        s.stayedAtEstimates = true;
        EXPECT_TRUE(build(mode).contains(StayedAtEstimatesNote)) << mode;
    }
}

TEST_F(ReportBuilderTest, SummaryModeHasNoCommentaryAndNoTable) {
    const QString text = build(SummaryReport);
    EXPECT_FALSE(text.contains(QStringLiteral("Ideally")));
    EXPECT_FALSE(text.contains(QStringLiteral("Yexp - Ycalc")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("\nJanuary 02, 2026\nANALYSIS OF DATA FROM EXPERIMENT E")));
}

TEST_F(ReportBuilderTest, UserFunctionNamesItsParametersAndItsFirstLine) {
    session.UserFnInUse = true;
    s.functionNumber = 12;
    store.UserFunctionText = QStringLiteral("a1*exp(a2*z)\r\na1*z");
    const QString text = build();
    EXPECT_TRUE(text.contains(QStringLiteral("FITTING FUNCTION IS User-Defined: Y = a1*exp(a2*z) (numeric derivatives)")));
    EXPECT_TRUE(text.contains(QStringLiteral("a2 = | 0.500  ")));
    EXPECT_EQ(FunctionDescription(false, 11, QStringLiteral("z")), QStringLiteral("User-Defined: Y = z (analytic derivatives)"));
    EXPECT_EQ(FunctionDescription(true, 11, {}), QStringLiteral("Special Inverse: Y = A + B/(X^2) + C/(X^4)"));
    EXPECT_EQ(FunctionDescription(true, 12, {}), QString());
    EXPECT_EQ(FunctionDescription(false, 5, {}), QStringLiteral("Exponential Form #2:  Y = A - (A - B) exp(CX)'"));
}

TEST_F(ReportBuilderTest, XErrorsUsedGiveTheEightColumnTable) {
    session.XErrorsAllowed = true;
    s.xKind = XModePercentage;
    s.xValue = 0.02f;
    s.xSigma = {0.02f, 0.04f, 0.06f};
    const QString text = build();
    EXPECT_TRUE(text.contains(QStringLiteral("|X|in X|Y| |in Y|Y|Yexp - Ycalc")));
    EXPECT_TRUE(text.contains(QStringLiteral(" 1.000E+00|\u00B1| 2.00E-02| 2.000E+00|\u00B1| 1.00E-01| 2.100E+00|-1.00E-01")));
    EXPECT_TRUE(text.contains(QStringLiteral("(5.0%)\t\tX Error is a percentage of X.  (2.0%)")));
    s.useXErrors = false;
    EXPECT_TRUE(build().contains(QStringLiteral("X errors are enabled, but were not used in this fit.")));
}

TEST(PageGeometry, TheWidestTableFitsOnLetterAndA4) {
    for (const PageGeometry& page : {LetterPage(), A4Page()}) EXPECT_GE(page.contentWidth(), 10450.0);
}

} // namespace
} // namespace frontend
