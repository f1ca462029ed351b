#include "fit/frm_fit.h"
#include "fit/frm_fit_fn.h"
#include "fit/report_preview.h"

#include "screen_fixture.h"
#include "fit_fixture.h"
#include "session/helpers.h"
#include "strd.h"

#include <QCheckBox>
#include <QPushButton>
#include <functional>

namespace frontend {
namespace {

using testing::RecordingEngines;

// The fit screens in a run of the program: the home screen is showing, the fit screen fits with
// recording engines, and the store holds what a test loads into it.
class FitScreens : public testing_screens::ScreenTest {
protected:
    Session& session() { return app->session(); }
    DataStore& store() { return app->store(); }

    FrmHome& atHome(Edition edition) {
        FrmHome& home = startAtHome(edition, QStringLiteral("Ada Lovelace"), QStringLiteral("Radioactive decay"));
        app->registerScreen(ScreenId::Fit, [this](Application& a) {
            auto* screen = new FrmFit(a, engines);
            screen->driver().setPage(LetterPage());
            return screen;
        });
        return home;
    }
    // The worked example in the store; the home screen shows it.
    FrmHome& withWorkedExample(Edition edition) {
        FrmHome& home = atHome(edition);
        testing::LoadWorkedExample(session(), store());
        home.activate();
        return home;
    }
    // The fit button of the home screen.
    FrmFit& fitScreen(FrmHome& home) {
        home.activate();
        click(home, "cmdFit");
        FrmFit* screen = app->loadedAs<FrmFit>(ScreenId::Fit);
        if (!screen) throw std::runtime_error("no fit screen");
        return *screen;
    }
    // The fitting function dialog of the running edition.
    std::unique_ptr<FrmFitFn> functionDialog() {
        auto dialog = std::make_unique<FrmFitFn>(*app);
        dialog->show();
        return dialog;
    }
    // Replaces the text of estimate box `box` by typing, as the user does.
    static void type(QWidget& dialog, int box, const QString& text) {
        QLineEdit* edit = dialog.findChild<QLineEdit*>(QStringLiteral("txtPrm_%1").arg(box));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static QStringList report(FrmFit& screen) { return screen.driver().report().document.plainText(); }
    static bool enabled(QWidget& screen, const char* action) { return child<QAction>(screen, action)->isEnabled(); }
    static bool checked(QWidget& screen, const char* action) { return child<QAction>(screen, action)->isChecked(); }

    RecordingEngines engines;
};

TEST_F(FitScreens, TypedWorkedExampleFromTheFunctionDialogToTheReport) {
    for (Edition edition : {Edition::NonLinear, Edition::Linear}) {
        SCOPED_TRACE(static_cast<int>(edition));
        FrmHome& home = withWorkedExample(edition);
        session().FunctionChosen = session().EstimatesEntered = false;
        store().FunctionNumber = store().ParamCount = 0;
        store().InitialParams = {};
        // Fitting Function: the exponential, estimates 4 and -0.2.
        scripted.dialogs.onModal([](QDialog& dialog) {
            dialog.show();
            EXPECT_FALSE(child<QLineEdit>(dialog, "txtPrm_0")->isEnabled());
            click(dialog, "optFitFunc_2");
            EXPECT_TRUE(child<QLineEdit>(dialog, "txtPrm_1")->isEnabled());
            EXPECT_FALSE(child<QLineEdit>(dialog, "txtPrm_2")->isEnabled());
            type(dialog, 0, QStringLiteral("4"));
            type(dialog, 1, QStringLiteral(" -0.2 "));
            click(dialog, "cmdContinue");
            return dialog.result();
        });
        click(home, "cmdFctn");
        EXPECT_TRUE(session().FunctionChosen && session().EstimatesEntered);
        EXPECT_EQ(store().FunctionNumber, 3);
        EXPECT_EQ(store().ParamCount, 2);
        EXPECT_EQ(store().InitialParams[1], -0.2f);
        EXPECT_EQ(scripted.help.calls().back(), QStringLiteral("quit"));

        FrmFit& screen = fitScreen(home);
        EXPECT_FALSE(home.isVisible());
        EXPECT_TRUE(child<QLabel>(screen, "lblInit")->isVisible());
        EXPECT_EQ(screen.windowTitle(), EditionWord(edition) + QStringLiteral(" -- Fit Screen"));
        EXPECT_EQ(child<QAction>(screen, "mnuGo")->text(), QStringLiteral("Fit (F5)"));
        QTest::keyClick(&screen, Qt::Key_F5);
        EXPECT_TRUE(texts().isEmpty()) << texts().join(u'\n').toStdString();
        EXPECT_FALSE(child<QLabel>(screen, "lblInit")->isVisible());
        EXPECT_TRUE(report(screen).contains(QStringLiteral("A = | 5.007  |\u00B1| 0.019| 4.00  ")));
        EXPECT_TRUE(report(screen).contains(QStringLiteral("PERFORMED BY Ada Lovelace")));
        EXPECT_TRUE(enabled(screen, "mnuSaveRpt"));
        EXPECT_FALSE(enabled(screen, "mnuNextPage")); // one page
        // Set FIT_REPORT_PNG to a folder to look at the screens.
        if (const QString pictures = qEnvironmentVariable("FIT_REPORT_PNG"); !pictures.isEmpty()) {
            const QString word = EditionWord(edition);
            functionDialog()->grab().save(pictures + QStringLiteral("/frmFitFn-%1.png").arg(word));
            screen.grab().save(pictures + QStringLiteral("/frmFit-%1.png").arg(word));
        }
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        engines.calls.clear();
    }
}

TEST_F(FitScreens, FunctionDialogShowsStoredEstimatesInTheirFormats) {
    withWorkedExample(Edition::NonLinear);
    store().FunctionNumber = 5;
    store().ParamCount = 3;
    store().VaryFlags = {1, 0, 1};
    store().HeldCount = 1;
    store().InitialParams = {0.005f, 12.5f, 0.0f, 1234.5f};
    auto dialog = functionDialog();
    EXPECT_TRUE(child<QRadioButton>(*dialog, "optFitFunc_4")->isChecked());
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtPrm_0")->text(), QStringLiteral("5.00E-03"));
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtPrm_1")->text(), QStringLiteral("12.50"));
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtPrm_2")->text(), QStringLiteral("0.00"));
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtPrm_3")->text(), QStringLiteral("1.23E+03"));
    EXPECT_TRUE(child<QCheckBox>(*dialog, "chkPrm_1")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*dialog, "chkPrm_0")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(*dialog, "txtPrm_3")->isEnabled());
    // Without an editor the user-defined option cannot be chosen.
    EXPECT_FALSE(child<QRadioButton>(*dialog, "optFitFunc_10")->isEnabled());
}

TEST_F(FitScreens, FunctionDialogRefusesBadEntriesAndStoresNothing) {
    struct Case {
        const char* name;
        bool advanced;
        QString a, b;
        bool holdBoth;
        QString message;
    };
    const Case cases[] = {
        {"not a number", true, "4", "abc", false, "Data Entry Error, please correct estimate."},
        {"empty in Standard", false, "4", "", false, "Please enter parameter estimate"},
        {"all held", true, "4", "1", true, "At least one parameter must be allowed to vary"},
    };
    withWorkedExample(Edition::NonLinear);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scripted.dialogs.clearTranscript();
        session().Advanced = c.advanced;
        const DataStore before = store();
        auto dialog = functionDialog();
        type(*dialog, 0, c.a);
        type(*dialog, 1, c.b);
        if (c.holdBoth) {
            child<QCheckBox>(*dialog, "chkPrm_0")->setChecked(true);
            child<QCheckBox>(*dialog, "chkPrm_1")->setChecked(true);
        }
        click(*dialog, "cmdContinue");
        EXPECT_EQ(texts(), QStringList{c.message});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(store().InitialParams, before.InitialParams);
        EXPECT_EQ(store().VaryFlags, before.VaryFlags);
    }
}

TEST_F(FitScreens, AdvancedStyleKeepsTheEstimateOfAnEmptyBox) {
    withWorkedExample(Edition::NonLinear);
    session().Advanced = true;
    auto dialog = functionDialog();
    type(*dialog, 1, QString());
    click(*dialog, "cmdContinue");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(store().InitialParams[1], -0.2f);
}

TEST_F(FitScreens, TessalyWarnsAboutXErrorsForOtherFunctions) {
    withWorkedExample(Edition::Linear);
    session().XErrorsAllowed = true;
    auto dialog = functionDialog();
    click(*dialog, "optFitFunc_4"); // Elliptic 1st kind
    type(*dialog, 0, QStringLiteral("1"));
    scripted.dialogs.answer(MessageAnswer::Cancel);
    click(*dialog, "cmdContinue");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(store().FunctionNumber, 3);
    scripted.dialogs.answer(MessageAnswer::Ok);
    click(*dialog, "cmdContinue");
    EXPECT_EQ(store().FunctionNumber, 5);
    EXPECT_EQ(store().ParamCount, 1);
    EXPECT_FALSE(session().FitDone);
    ASSERT_EQ(scripted.dialogs.transcript().size(), 2u);
    EXPECT_EQ(scripted.dialogs.transcript()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(scripted.dialogs.transcript()[0].icon, MessageIcon::Information);
}

TEST_F(FitScreens, TessalyFitsNorrisToTheCertifiedValues) {
    const testsupport::StrdSet norris = testsupport::loadStrd("Norris");
    FrmHome& home = withWorkedExample(Edition::Linear);
    DataStore& s = store();
    const auto n = static_cast<std::int16_t>(norris.x.size());
    s.Capacity = std::max<std::int16_t>(n, 100);
    s.PointCount = n;
    s.X.assign(static_cast<std::size_t>(s.Capacity), 0.0f);
    s.Y = s.X;
    s.YSigma.assign(static_cast<std::size_t>(s.Capacity), 1.0f);
    for (std::size_t i = 0; i < norris.x.size(); ++i) {
        s.X[i] = static_cast<float>(norris.x[i]);
        s.Y[i] = static_cast<float>(norris.y[i]);
    }
    s.YErrorKind = YKindNone; // the certified uncertainties come from the scatter of the points
    s.YErrorSub = 0;
    s.FunctionNumber = 1;
    s.InitialParams = {0, 1};
    FrmFit& screen = fitScreen(home);
    trigger(screen, "mnuGo");
    const QStringList text = report(screen);
    // -0.262323073774029 +- 0.232818234301152 and 1.00211681802045 +- 0.429796848199937E-03
    EXPECT_TRUE(text.contains(QStringLiteral("A = |-2.623E-01  |\u00B1| 0.233| 0.00E+00  ")))
        << text.join(u'\n').toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("B = | 1.002  |\u00B1| 4.30E-04| 1.00  ")));
    EXPECT_TRUE(text.contains(QStringLiteral("Variance =  0.78"))); // residual SD 0.884796396144373 squared
    EXPECT_EQ(engines.calls.at(0).nsigx, 2);
    EXPECT_EQ(engines.calls.at(0).sigx, (std::vector<float>{0, 0}));
}

TEST_F(FitScreens, QuadraticWithXErrorsGoesToJolietteUntilLybanonIsChosen) {
    FrmHome& home = withWorkedExample(Edition::Linear);
    session().XErrorsAllowed = session().XModeSet = true;
    DataStore& s = store();
    const std::vector<float> x{1, 2, 3, 4, 5, 6, 7, 8}, y{2.1f, 4.9f, 10.2f, 16.8f, 26.1f, 37.0f, 50.2f, 64.9f};
    s.PointCount = 8;
    for (std::size_t i = 0; i < x.size(); ++i) {
        s.X[i] = x[i];
        s.Y[i] = y[i];
        s.YSigma[i] = 0.5f;
    }
    s.XErrorMode = XModeConstant;
    s.XErrorValue = 0.05f;
    s.XSigma.assign(100, 0.05f);
    s.FunctionNumber = 4;
    s.ParamCount = 3;
    s.VaryFlags = {1, 1, 1};
    s.InitialParams = {1, 1, 1};
    FrmFit& screen = fitScreen(home);
    EXPECT_EQ(child<QAction>(screen, "mnuGo")->text(), QStringLiteral("Fit using both X and Y Errors (F5)"));
    EXPECT_TRUE(checked(screen, "mnuOptionsJoliette"));
    QTest::keyClick(&screen, Qt::Key_F5);
    trigger(screen, "mnuOptionsLybanon");
    EXPECT_FALSE(checked(screen, "mnuOptionsJoliette"));
    trigger(screen, "mnuGo");
    trigger(screen, "mnuRunFitxy");
    QTest::keyClick(&screen, Qt::Key_F5); // keeps fitting with Y errors only
    EXPECT_EQ(engines.engineNames(), (QStringList{"joliette", "lybanon", "lslinw", "lslinw"}));
    EXPECT_TRUE(texts().isEmpty()) << texts().join(u'\n').toStdString();
    const testing::EngineCall& joliette = engines.calls[0];
    EXPECT_EQ(joliette.npts, 8);
    EXPECT_EQ(joliette.nparm, 3);
    EXPECT_EQ(joliette.funcnum, 4);
    EXPECT_EQ(joliette.length, 100);
    EXPECT_EQ(joliette.sigx.front(), 0.05f);
    EXPECT_EQ(engines.calls[1].kind, YKindGiven);
    EXPECT_EQ(engines.calls[2].nsigx, 2);
    EXPECT_TRUE(report(screen).contains(QStringLiteral("X errors are enabled, but were not used in this fit.")));
    // After a fit with both errors the report names both error modes, separated by two tabs.
    trigger(screen, "mnuGo");
    EXPECT_TRUE(report(screen).contains(
        QStringLiteral("same constant Y error for all Y values\t\tsame constant X error for all X values")));
}

TEST_F(FitScreens, PageCommandsFollowTheReport) {
    FrmHome& home = atHome(Edition::NonLinear);
    testing::LoadLine(session(), store(), 60);
    FrmFit& screen = fitScreen(home);
    QTest::keyClick(&screen, Qt::Key_F5);
    ReportPreview& view = screen.reportView();
    ASSERT_GT(view.pageCount(), 1);
    EXPECT_TRUE(enabled(screen, "mnuNextPage"));
    trigger(screen, "mnuPrevPage");
    EXPECT_EQ(view.currentPage(), 1);
    trigger(screen, "mnuNextPage");
    EXPECT_EQ(view.currentPage(), 2);
    trigger(screen, "mnuReportPage");
    EXPECT_EQ(view.currentPage(), view.pageCount());
    trigger(screen, "mnuNextPage");
    EXPECT_EQ(view.currentPage(), view.pageCount());
    // A change elsewhere clears FitDone: the next activation shows an empty report again.
    session().FitDone = false;
    screen.activate();
    EXPECT_FALSE(enabled(screen, "mnuNextPage"));
    EXPECT_TRUE(screen.driver().report().document.isEmpty());
}

TEST_F(FitScreens, FailedChecksSendTheUserHomeAndExitClearsTheFit) {
    FrmHome& home = withWorkedExample(Edition::NonLinear);
    store().YSigma[2] = 0;
    FrmFit& screen = fitScreen(home);
    EXPECT_TRUE(home.isVisible());
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(texts().size(), 1);

    store().YSigma[2] = 0.05f;
    app->showScreen(ScreenId::Fit, &home);
    QTest::keyClick(&screen, Qt::Key_F5);
    EXPECT_TRUE(session().FitDone);
    trigger(screen, "mnuExit");
    EXPECT_FALSE(session().FitDone);
    EXPECT_TRUE(home.isVisible());
    EXPECT_EQ(scripted.help.calls().back(), QStringLiteral("quit"));
}

TEST_F(FitScreens, MoreThanAHundredPointsCheckTheSummaryOnActivation) {
    FrmHome& home = atHome(Edition::NonLinear);
    testing::LoadLine(session(), store(), 150);
    FrmFit& screen = fitScreen(home);
    EXPECT_TRUE(checked(screen, "mnuOptShowSum"));
    EXPECT_FALSE(checked(screen, "mnuOptShowFull"));
    trigger(screen, "mnuOptShowFull");
    screen.activate();
    EXPECT_TRUE(checked(screen, "mnuOptShowSum"));
}

// Whether any pixel of the column range is darker than white.
bool InkIn(const QImage& image, int fromX, int toX) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = std::max(0, fromX); x < std::min(image.width(), toX); ++x)
            if (qGray(image.pixel(x, y)) < 200) return true;
    return false;
}

TEST_F(FitScreens, ReportPagesRenderInsideTheirMarginsOnLetterAndA4) {
    FrmHome& home = withWorkedExample(Edition::Linear);
    session().XErrorsAllowed = session().XModeSet = true;
    store().XErrorMode = XModeConstant;
    store().XSigma.assign(100, 0.05f);
    store().FunctionNumber = 1;
    store().InitialParams = {5, -0.5f};
    FrmFit& screen = fitScreen(home);
    for (const PageGeometry& page : {LetterPage(), A4Page()}) {
        screen.driver().setPage(page);
        trigger(screen, "mnuGo");
        ASSERT_EQ(engines.calls.back().engine, QStringLiteral("lslinw"));
        const ReportLayout& layout = screen.driver().report().layout;
        const double dpi = 100;
        const QImage image = RenderPage(layout, 0, dpi);
        const int margin = static_cast<int>(page.marginsTwips.left() * dpi / TwipsPerInch);
        EXPECT_TRUE(InkIn(image, margin, image.width() - margin));
        EXPECT_FALSE(InkIn(image, 0, margin - 1));
        EXPECT_FALSE(InkIn(image, image.width() - margin + 1, image.width()));
        // Set FIT_REPORT_PNG to a folder to look at the pages.
        if (const QString pictures = qEnvironmentVariable("FIT_REPORT_PNG"); !pictures.isEmpty())
            RenderPage(layout, 0, 150).save(pictures + QStringLiteral("/report-%1.png").arg(page.paperTwips.width() > 12000 ? "letter" : "a4"));
    }
}

TEST_F(FitScreens, ReopeningTheFunctionDialogKeepsEveryDigitOfTheEstimates) {
    const struct {
        const char* name;
        float estimate;
        QString shown;
    } cases[] = {
        {"a small held B", -0.0231341f, "-0.02"},
        {"a large held B", 863.7f, "8.64E+02"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FrmHome& home = withWorkedExample(Edition::NonLinear);
        store().InitialParams[1] = c.estimate;
        store().VaryFlags = {1, 0};
        store().HeldCount = 1;
        QString shown;
        scripted.dialogs.onModal([&shown](QDialog& dialog) {
            dialog.show();
            shown = child<QLineEdit>(dialog, "txtPrm_1")->text();
            EXPECT_TRUE(child<QCheckBox>(dialog, "chkPrm_1")->isChecked());
            QTest::mouseClick(child<QPushButton>(dialog, "cmdContinue"), Qt::LeftButton);
            return dialog.result();
        });
        click(home, "cmdFctn");
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(store().InitialParams[1], c.estimate) << "the box was not edited";
        QTest::keyClick(&fitScreen(home), Qt::Key_F5);
        ASSERT_FALSE(engines.calls.empty());
        EXPECT_EQ(engines.calls.back().a[1], c.estimate) << "the held value goes to the engine whole";
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // An edited box takes what was typed.
    FrmHome& home = withWorkedExample(Edition::NonLinear);
    store().InitialParams[1] = -0.0231341f;
    scripted.dialogs.onModal([](QDialog& dialog) {
        dialog.show();
        type(dialog, 1, QStringLiteral("-0.02"));
        click(dialog, "cmdContinue");
        return dialog.result();
    });
    click(home, "cmdFctn");
    EXPECT_EQ(store().InitialParams[1], -0.02f);
}

TEST_F(FitScreens, AFailedFitShowsItsValueAndItsReasonInOneBox) {
    FrmHome& home = withWorkedExample(Edition::NonLinear);
    store().PointCount = 3;
    store().FunctionNumber = 8; // four parameters for three points
    store().ParamCount = 4;
    store().VaryFlags = {1, 1, 1, 1};
    store().InitialParams = {1, 1, 1, 1};
    FrmFit& screen = fitScreen(home);
    QTest::keyClick(&screen, Qt::Key_F5);
    EXPECT_EQ(texts(),
              QStringList{"chisq:  -1\r\nToo few data points: there must be more data points than fitted "
                          "parameters."});
    EXPECT_FALSE(session().FitDone);
}

TEST_F(FitScreens, TheZeroYErrorRefusalNamesTheFirstSuchPoint) {
    FrmHome& home = withWorkedExample(Edition::Linear);
    store().YSigma[3] = 0;
    store().YSigma[5] = 0;
    fitScreen(home);
    EXPECT_EQ(texts(),
              QStringList{"At least one Yerror value is set to zero.  The program divides by these values in "
                          "order to find the reduced chi-squared  value--hence YError values of zero are not "
                          "allowed.  Please check your data and YError values and try again.\r\n\r\nThe "
                          "first such point is point 4: X = 4, Y = 1.496."});
    EXPECT_TRUE(home.isVisible());
}

TEST_F(FitScreens, TessalyShowsWhichFitRanInTheRunMenuAndTheReport) {
    FrmHome& home = withWorkedExample(Edition::Linear);
    session().XErrorsAllowed = session().XModeSet = true;
    store().XErrorMode = XModeConstant;
    store().XErrorValue = 0.05f;
    store().XSigma.assign(100, 0.05f);
    store().FunctionNumber = 4;
    store().ParamCount = 3;
    store().VaryFlags = {1, 1, 1};
    store().InitialParams = {4, -1, 0.1f};
    FrmFit& screen = fitScreen(home);
    const auto menu = [&screen] {
        return child<QAction>(screen, "mnuGo")->text() + u'|' + child<QAction>(screen, "mnuRunFitxy")->text();
    };
    const auto summaryLine = [this, &screen] {
        for (const QString& line : report(screen))
            if (line.startsWith(QStringLiteral("Fit using "))) return line;
        return QString();
    };
    const struct {
        const char* step;
        std::function<void()> run;
        QString menu, summary;
    } steps[] = {
        {"Go", [&] { trigger(screen, "mnuGo"); },
         "Fit using both X and Y Errors (F5)|Fit using only &Y Errors",
         "Fit using both X and Y Errors, Joliette algorithm."},
        {"only Y errors", [&] { trigger(screen, "mnuRunFitxy"); },
         "Fit using both X and Y Errors|Fit using only &Y Errors (F5)", "Fit using only Y Errors."},
        {"F5 repeats it", [&] { QTest::keyClick(&screen, Qt::Key_F5); },
         "Fit using both X and Y Errors|Fit using only &Y Errors (F5)", "Fit using only Y Errors."},
        {"Lybanon",
         [&] {
             trigger(screen, "mnuOptionsLybanon");
             trigger(screen, "mnuGo");
         },
         "Fit using both X and Y Errors (F5)|Fit using only &Y Errors",
         "Fit using both X and Y Errors, Lybanon algorithm."},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.run();
        EXPECT_EQ(menu(), step.menu);
        EXPECT_EQ(summaryLine(), step.summary);
    }
    trigger(screen, "mnuOptShowSum");
    store().FunctionNumber = 1;
    store().ParamCount = 2;
    app->showScreen(ScreenId::Fit, &home);
    trigger(screen, "mnuGo");
    EXPECT_EQ(summaryLine(), "Fit using both X and Y Errors.") << "the summary report says it too";
    EXPECT_TRUE(texts().isEmpty()) << texts().join(u'\n').toStdString();
}

} // namespace
} // namespace frontend
