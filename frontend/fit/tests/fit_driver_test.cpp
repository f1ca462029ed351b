#include "fit/fit_driver.h"

#include "fit_fixture.h"
#include "platform/scripted_services.h"
#include "session/helpers.h"

#include <gtest/gtest.h>
#include <qstring_printer.h>

#include <cmath>
#include <limits>

namespace frontend {
namespace {

using testing::RecordingEngines;

class FitDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialogs.setProductWord(QStringLiteral("Quorvex"));
        driver.setPage(LetterPage());
        driver.setToday([] { return QDate(2026, 3, 9); });
    }
    void setUpWorkedExample(Edition edition) {
        testing::SetUpWorkedExample(session, store, edition);
        dialogs.setProductWord(EditionWord(edition));
    }
    QStringList reportText() const { return driver.report().document.plainText(); }
    bool reportHas(const QString& line) const { return reportText().contains(line); }
    // The index of the page on which a paragraph starting with `start` is laid out, or -1.
    int pageOf(const QString& start) const {
        const auto& pages = driver.report().layout.pages();
        for (std::size_t p = 0; p < pages.size(); ++p)
            for (const auto& text : pages[p].texts)
                if (text.text.startsWith(start)) return static_cast<int>(p);
        return -1;
    }

    Session session;
    DataStore store;
    ScriptedDialogs dialogs;
    RecordingEngines engines;
    FitDriver driver{session, store, dialogs, engines};
};


class WorkedExample : public FitDriverTest, public ::testing::WithParamInterface<Edition> {};

TEST_P(WorkedExample, ReportsTheFitInEitherEdition) {
    setUpWorkedExample(GetParam());
    ASSERT_EQ(driver.activate().sendHome, false);
    ASSERT_TRUE(driver.run());
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_TRUE(reportHas(QStringLiteral("Reduced chi-square =  0.05")));
    EXPECT_TRUE(reportHas(QStringLiteral("A = | 5.007  |\u00B1| 0.019| 4.00  ")));
    EXPECT_TRUE(reportHas(QStringLiteral("B = |-3.003E-01  |\u00B1| 1.52E-03|-2.00E-01  ")));
    EXPECT_TRUE(reportHas(QStringLiteral(" 7 data points       2 free parameters")));
    EXPECT_TRUE(reportHas(QStringLiteral("same constant Y error for all Y values")));
    EXPECT_TRUE(reportHas(QStringLiteral("March 09, 2026")));
    // Standard style: no probability line.
    EXPECT_FALSE(reportText().join(u'\n').contains(QStringLiteral("Probability of exceeding")));
    // Chi-square below 0.25: commentary 4 and the warning on the parameter errors.
    EXPECT_TRUE(reportText().join(u'\n').contains(QStringLiteral("0.05 is smaller than usual.")));
    EXPECT_TRUE(reportHas(
        QStringLiteral("Since the reduced chi-squared value is not close to 1, the PARAMETER ERRORS CANNOT BE TRUSTED")));
    EXPECT_EQ(reportHas(QStringLiteral("Number of Iterations =  4     flamda =  0.01")), GetParam() == Edition::NonLinear);
    EXPECT_EQ(driver.report().pageCount(), 1);

    EXPECT_TRUE(session.FitDone);
    EXPECT_NEAR(store.ReducedChiSquare, 0.0539, 0.001);
    EXPECT_NEAR(store.FitParams[0], 5.007, 0.001);
    EXPECT_NEAR(store.FitParams[1], -0.3003, 0.0001);
    EXPECT_GT(store.FitParamErrors[1], 0.0f);
    EXPECT_EQ(engines.engineNames(), QStringList{GetParam() == Edition::NonLinear ? "lsnonw" : "lslinw"});
}

TEST_P(WorkedExample, AdvancedStyleShowsTheProbability) {
    setUpWorkedExample(GetParam());
    session.Advanced = true;
    driver.activate();
    ASSERT_TRUE(driver.run());
    EXPECT_TRUE(reportHas(QStringLiteral("Probability of exceeding chi-square =  1.00")));
}

TEST_P(WorkedExample, WithoutErrorsReportsTheVarianceAndScalesTheYErrors) {
    setUpWorkedExample(GetParam());
    session.Advanced = true; // the probability line stays away even so
    store.YErrorKind = YKindNone;
    store.YErrorSub = 0;
    std::fill(store.YSigma.begin(), store.YSigma.begin() + 7, 1.0f);
    driver.activate();
    ASSERT_TRUE(driver.run());
    const QString text = reportText().join(u'\n');
    EXPECT_TRUE(text.contains(QStringLiteral("Variance = ")));
    EXPECT_FALSE(text.contains(QStringLiteral("Reduced chi-square = ")));
    EXPECT_FALSE(text.contains(QStringLiteral("Probability of exceeding")));
    EXPECT_FALSE(text.contains(QStringLiteral("indicates that the function"))); // commentary 1
    EXPECT_TRUE(text.contains(QStringLiteral("USE THIS TECHNIQUE WITH GREAT CAUTION!!")));         // commentary 5
    EXPECT_TRUE(text.contains(QStringLiteral("are therefore of UNCERTAIN reliability!")));        // commentary 6
    EXPECT_TRUE(text.contains(QStringLiteral("No Error entered; constant Y error scaled to reduced chi-squared = 1")));
    const float variance = driver.state().chiSquare;
    EXPECT_FLOAT_EQ(driver.state().reportedYSigma[0], std::sqrt(variance));
    EXPECT_EQ(store.YSigma[0], 1.0f); // the store keeps the errors as they were
}

INSTANTIATE_TEST_SUITE_P(BothEditions, WorkedExample, ::testing::Values(Edition::NonLinear, Edition::Linear),
                         [](const auto& test) { return test.param == Edition::Linear ? "Tessaly" : "Quorvex"; });

TEST_F(FitDriverTest, SummaryFollowsTwentyFivePointsOnTheirPageButNotTwentySix) {
    for (int n : {25, 26}) {
        SCOPED_TRACE(n);
        testing::SetUpLine(session, store, Edition::NonLinear, n);
        driver.activate();
        ASSERT_TRUE(driver.run());
        EXPECT_EQ(pageOf(QStringLiteral("ANALYSIS OF DATA")), n == 25 ? 0 : 1);
        EXPECT_EQ(driver.report().pageCount(), n == 25 ? 1 : 2);
    }
}

TEST_F(FitDriverTest, SummaryThatWouldBreakIsBuiltAgainOnAFreshPage) {
    testing::SetUpLine(session, store, Edition::NonLinear, 25);
    // A long experiment name lengthens the commentary so that the summary no longer fits below the table;
    // the engine is made to report the iteration limit, whose message then shows once per pass.
    session.Experiment = QString(QStringLiteral("long experiment name ")).repeated(40);
    engines.afterCall = [](testing::EngineResults& r) { *r.niter = 101; };
    driver.activate();
    ASSERT_TRUE(driver.run());
    EXPECT_EQ(pageOf(QStringLiteral("ANALYSIS OF DATA")), 1);
    const auto& pages = driver.report().layout.pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pages[1].texts.front().text.isEmpty() || pages[1].texts.front().text.startsWith(u'M'));
    EXPECT_EQ(dialogs.texts(), (QStringList{IterationLimitMessage, IterationLimitMessage}));
}

TEST_F(FitDriverTest, MoreThanAHundredPointsChooseTheSummaryOnEveryActivation) {
    for (int n : {100, 101}) {
        testing::SetUpLine(session, store, Edition::Linear, n);
        driver.state().fullReport = n == 101; // the user's last choice is overridden
        driver.activate();
        EXPECT_EQ(driver.reportMode(), n == 100 ? FullReport : SummaryReport) << n;
    }
    ASSERT_TRUE(driver.run());
    EXPECT_FALSE(reportText().join(u'\n').contains(QStringLiteral("Yexp - Ycalc")));
    EXPECT_TRUE(reportHas(QStringLiteral(" 101 data points       2 free parameters")));
}

TEST_F(FitDriverTest, IterationLimitContinuesFromTheFittedValuesButHeldParametersStartFromTheirEstimate) {
    setUpWorkedExample(Edition::NonLinear);
    store.VaryFlags = {1, 0};
    store.HeldCount = 1;
    store.InitialParams = {4.0f, -0.3f};
    int runs = 0;
    engines.afterCall = [&runs](testing::EngineResults& r) {
        if (++runs == 1) {
            *r.niter = 101;
            r.a[1] = -0.25f; // a held parameter that came back changed must not be carried on
        }
    };
    driver.activate();
    ASSERT_TRUE(driver.run());
    EXPECT_EQ(dialogs.texts(), QStringList{IterationLimitMessage});
    EXPECT_EQ(driver.state().attempts, 2);
    const float fittedA = driver.state().params[0];
    ASSERT_TRUE(driver.run());
    ASSERT_EQ(engines.calls.size(), 2u);
    EXPECT_EQ(engines.calls[0].a[0], 4.0f);
    EXPECT_EQ(engines.calls[1].a[0], fittedA);
    EXPECT_EQ(engines.calls[1].a[1], -0.3f);
    EXPECT_EQ(engines.calls[1].nhold, 1);
    EXPECT_EQ(engines.calls[1].ia[1], 0);
    EXPECT_TRUE(reportHas(QStringLiteral(" 7 data points       1 free parameters")));
    // A new activation starts from the estimates again.
    driver.activate();
    ASSERT_TRUE(driver.run());
    EXPECT_EQ(engines.calls[2].a[0], 4.0f);
}

// A re-run from the values of the fit before finds no better step: the report says that its
// values are the estimates.
TEST_F(FitDriverTest, RunThatNeverLeavesItsEstimatesSaysSo) {
    setUpWorkedExample(Edition::NonLinear);
    ASSERT_FALSE(driver.activate().sendHome);
    ASSERT_TRUE(driver.run());
    EXPECT_FALSE(reportHas(StayedAtEstimatesNote));
    store.InitialParams = store.FitParams;
    ASSERT_FALSE(driver.activate().sendHome);
    ASSERT_TRUE(driver.run());
    EXPECT_TRUE(reportHas(StayedAtEstimatesNote));
    EXPECT_TRUE(reportHas(QStringLiteral("A = | 5.007  |\u00B1| 0.019| 5.007  ")));
}

TEST_F(FitDriverTest, CallsLsnonwWithItsArgumentsAsTheLibraryTakesThem) {
    setUpWorkedExample(Edition::NonLinear);
    driver.activate();
    ASSERT_TRUE(driver.run());
    const testing::EngineCall& call = engines.calls.at(0);
    EXPECT_EQ(call.npts, 7);
    EXPECT_EQ(call.kind, YKindGiven);
    EXPECT_EQ(call.nparm, 2);
    EXPECT_EQ(call.nhold, 0);
    EXPECT_EQ(call.funcnum, 3);
    EXPECT_EQ(call.length, 100); // the capacity
    EXPECT_EQ(call.np, 10);
}

TEST_F(FitDriverTest, EngineFailureShowsChiSquareAndTheEngineMessageAndKeepsTheOldFit) {
    setUpWorkedExample(Edition::NonLinear);
    driver.activate();
    ASSERT_TRUE(driver.run());
    const QStringList oldReport = reportText();
    const float oldChi = store.ReducedChiSquare;
    // Two points for two parameters: no degrees of freedom.
    store.PointCount = 2;
    driver.activate();
    EXPECT_FALSE(driver.run());
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("chisq:  -1\r\nToo few data points: there must be more data "
                                         "points than fitted parameters.")});
    EXPECT_EQ(reportText(), oldReport);
    EXPECT_EQ(store.ReducedChiSquare, oldChi);
    EXPECT_TRUE(session.FitDone);
}

TEST_F(FitDriverTest, ModelThatDividesByZeroKeepsTheOldFit) {
    setUpWorkedExample(Edition::NonLinear);
    driver.activate();
    ASSERT_TRUE(driver.run());
    const QStringList oldReport = reportText();
    const Params oldParams = store.FitParams;
    const float oldChi = store.ReducedChiSquare;
    // Imag Z with D = 0: the engine's own arithmetic divides by zero, nothing reports it but the values.
    store.FunctionNumber = 10;
    store.ParamCount = 4;
    store.VaryFlags = {1, 1, 1, 1};
    store.InitialParams = {1, 1, 0, 0};
    driver.activate();
    EXPECT_FALSE(driver.run());
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("Error 11 -- Division by zero   \r\nFloating Point")));
    EXPECT_EQ(reportText(), oldReport);
    EXPECT_EQ(store.FitParams, oldParams);
    EXPECT_EQ(store.ReducedChiSquare, oldChi);
}

struct NonFiniteCase {
    const char* name;
    Edition edition;
    bool divisionByZero;
    const char* expectedStart;
};

void PrintTo(const NonFiniteCase& c, std::ostream* out) { *out << c.name; }

class NonFiniteResults : public FitDriverTest, public ::testing::WithParamInterface<NonFiniteCase> {};

TEST_P(NonFiniteResults, AreReportedAsArithmeticErrorsAndNeverStored) {
    const NonFiniteCase& c = GetParam();
    setUpWorkedExample(c.edition);
    driver.activate();
    ASSERT_TRUE(driver.run());
    const QStringList oldReport = reportText();
    const Params oldParams = store.FitParams;
    engines.afterCall = [&c](testing::EngineResults& r) {
        if (c.divisionByZero) {
            volatile float zero = 0.0f;
            r.siga[0] = 1.0f / zero; // raises the division-by-zero flag
        } else {
            r.yfit[3] = std::numeric_limits<float>::infinity();
        }
    };
    EXPECT_FALSE(driver.run());
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QString::fromLatin1(c.expectedStart))) << dialogs.texts()[0].toStdString();
    EXPECT_EQ(store.FitParams, oldParams);
    EXPECT_EQ(reportText(), oldReport);
}

const QString CrLf = QStringLiteral("\r\n");

INSTANTIATE_TEST_SUITE_P(
    Cases, NonFiniteResults,
    ::testing::Values(
        NonFiniteCase{"QuorvexOverflow", Edition::NonLinear, false,
                      "Error 6 -- Overflow   \r\nFloating Point Errors are often caused by inaccurate estimates"},
        NonFiniteCase{"QuorvexDivisionByZero", Edition::NonLinear, true, "Error 11 -- Division by zero   \r\n"},
        NonFiniteCase{"TessalyOverflow", Edition::Linear, false,
                      "Unanticipated Error: Please report to Physics Department\r\n\r\nError number is  6\r\n"
                      "Error description is Overflow\r\nError source is lslinw\r\n"}),
    [](const auto& test) { return test.param.name; });

struct ActivationCase {
    const char* name;
    std::int16_t function;
    std::vector<float> x, y, sigma;
    std::vector<QString> messages; // beginnings, in order
};

void PrintTo(const ActivationCase& c, std::ostream* out) { *out << c.name; }

class LinearActivationChecks : public FitDriverTest, public ::testing::WithParamInterface<ActivationCase> {};

TEST_P(LinearActivationChecks, ShowEveryFailedCheckInOrderAndSendTheUserHome) {
    const ActivationCase& c = GetParam();
    setUpWorkedExample(Edition::Linear);
    store.FunctionNumber = c.function;
    store.PointCount = static_cast<std::int16_t>(c.x.size());
    std::copy(c.x.begin(), c.x.end(), store.X.begin());
    std::copy(c.y.begin(), c.y.end(), store.Y.begin());
    std::copy(c.sigma.begin(), c.sigma.end(), store.YSigma.begin());
    driver.state().attempts = 5;
    const Activation activation = driver.activate();
    EXPECT_EQ(activation.sendHome, !c.messages.empty());
    EXPECT_FALSE(activation.stopped);
    const QStringList shown = dialogs.texts();
    ASSERT_EQ(shown.size(), static_cast<qsizetype>(c.messages.size())) << shown.join(u'\n').toStdString();
    for (std::size_t i = 0; i < c.messages.size(); ++i)
        EXPECT_TRUE(shown[static_cast<qsizetype>(i)].startsWith(c.messages[i])) << shown[static_cast<qsizetype>(i)].toStdString();
    EXPECT_EQ(driver.state().attempts, 1); // the later steps ran all the same
}

const QString ZeroSigma = QStringLiteral("At least one Yerror value is set to zero.");
const QString LogY = QStringLiteral("At least one Y value is <= 0.");
const QString LogX = QStringLiteral("At least one X value is <= 0.");
const QString InverseY = QStringLiteral("At least one Y value is zero.");
const QString InverseX = QStringLiteral("At least one X value is zero.");

INSTANTIATE_TEST_SUITE_P(
    Cases, LinearActivationChecks,
    ::testing::Values(ActivationCase{"CleanData", 2, {1, 2, 3}, {1, 2, 3}, {1, 1, 1}, {}},
                      ActivationCase{"AllThreeForPower", 2, {0, 2, 3}, {-1, 2, 3}, {0, 1, 1}, {ZeroSigma, LogY, LogX}},
                      ActivationCase{"InverseXAndY", 10, {0, 2, 3}, {0, 2, 3}, {1, 1, 1}, {InverseY, InverseX}},
                      ActivationCase{"ZeroXForInverseX", 8, {0, 2, 3}, {1, 2, 3}, {1, 1, 1}, {InverseX}}),
    [](const auto& test) { return test.param.name; });

TEST_F(FitDriverTest, LogXFlagWithoutMessageStillSendsHome) {
    setUpWorkedExample(Edition::Linear);
    store.FunctionNumber = 7; // natural log: x <= 0 is flagged, but no message belongs to it
    store.X[0] = 0;
    EXPECT_TRUE(driver.activate().sendHome);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(FitDriverTest, MissingIndividualErrorsStopTheActivation) {
    setUpWorkedExample(Edition::Linear);
    store.YErrorSub = YSubIndividual;
    Activation a = driver.activate();
    EXPECT_TRUE(a.stopped && a.sendHome);
    ASSERT_EQ(dialogs.transcript().size(), 1u);
    EXPECT_EQ(dialogs.transcript()[0].title, QStringLiteral("Y errors not in program"));
    EXPECT_EQ(dialogs.transcript()[0].icon, MessageIcon::Critical);

    dialogs.clearTranscript();
    store.YErrorSub = YSubConstant;
    session.XErrorsAllowed = true;
    store.XErrorMode = XModeIndividual;
    a = driver.activate();
    EXPECT_TRUE(a.stopped);
    EXPECT_EQ(dialogs.transcript().at(0).title, QStringLiteral("X errors not in program"));

    dialogs.clearTranscript();
    store.FunctionNumber = 5;
    a = driver.activate();
    EXPECT_TRUE(a.stopped);
    EXPECT_EQ(dialogs.texts(), QStringList{"Tessaly cannot do fits using X Errors with this function.  Please choose "
                                           "a different fitting function."});
}

} // namespace
} // namespace frontend
