#include "fit/frm_fit.h"
#include "fit/frm_fit_fn.h"
#include "fit/report_preview.h"

#include "fit_fixture.h"
#include "platform/scripted_services.h"
#include "session/helpers.h"
#include "strd.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

using testing::RecordingEngines;

class FitScreens : public ::testing::Test {
protected:
    void start(Edition edition) {
        testing::SetUpWorkedExample(session, store, edition);
        dialogs.setProductWord(EditionWord(edition));
    }
    std::unique_ptr<FrmFitFn> functionDialog(Edition edition) {
        auto dialog = std::make_unique<FrmFitFn>(edition, session, store, dialogs, help);
        dialog->show();
        return dialog;
    }
    template <typename T> T* child(QWidget& parent, const QString& name) {
        T* w = parent.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void click(QWidget& parent, const QString& name) { QTest::mouseClick(child<QWidget>(parent, name), Qt::LeftButton); }
    void type(QWidget& parent, int box, const QString& text) {
        child<QLineEdit>(parent, QStringLiteral("txtPrm_%1").arg(box))->setText(text);
    }
    std::unique_ptr<FrmFit> fitScreen() {
        auto screen = std::make_unique<FrmFit>(session, store, dialogs, help, engines);
        screen->driver().setPage(LetterPage());
        screen->setNavigation([this](FitScreenTarget t) { navigations.push_back(t); });
        screen->show();
        screen->activate();
        return screen;
    }
    void trigger(QWidget& screen, const char* action) { child<QAction>(screen, QString::fromLatin1(action))->trigger(); }
    QStringList report(FrmFit& screen) const { return screen.driver().report().document.plainText(); }

    Session session;
    DataStore store;
    ScriptedDialogs dialogs;
    RecordingHelp help;
    RecordingEngines engines;
    std::vector<FitScreenTarget> navigations;
};

TEST_F(FitScreens, TypedWorkedExampleFromTheFunctionDialogToTheReport) {
    for (Edition edition : {Edition::NonLinear, Edition::Linear}) {
        SCOPED_TRACE(static_cast<int>(edition));
        start(edition);
        session.FunctionChosen = session.EstimatesEntered = false;
        store.FunctionNumber = store.ParamCount = 0;
        store.InitialParams = {};
        auto dialog = functionDialog(edition);
        EXPECT_FALSE(child<QLineEdit>(*dialog, QStringLiteral("txtPrm_0"))->isEnabled());
        click(*dialog, QStringLiteral("optFitFunc_2"));
        EXPECT_TRUE(child<QLineEdit>(*dialog, QStringLiteral("txtPrm_1"))->isEnabled());
        EXPECT_FALSE(child<QLineEdit>(*dialog, QStringLiteral("txtPrm_2"))->isEnabled());
        type(*dialog, 0, QStringLiteral("4"));
        type(*dialog, 1, QStringLiteral(" -0.2 "));
        click(*dialog, QStringLiteral("cmdContinue"));
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_TRUE(session.FunctionChosen && session.EstimatesEntered);
        EXPECT_EQ(store.FunctionNumber, 3);
        EXPECT_EQ(store.ParamCount, 2);
        EXPECT_EQ(store.InitialParams[1], -0.2f);
        EXPECT_EQ(help.calls().back(), QStringLiteral("quit"));

        auto screen = fitScreen();
        EXPECT_TRUE(child<QLabel>(*screen, QStringLiteral("lblInit"))->isVisible());
        EXPECT_EQ(screen->windowTitle(), EditionWord(edition) + QStringLiteral(" -- Fit Screen"));
        QTest::keyClick(screen.get(), Qt::Key_F5);
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(u'\n').toStdString();
        EXPECT_FALSE(child<QLabel>(*screen, QStringLiteral("lblInit"))->isVisible());
        EXPECT_TRUE(report(*screen).contains(QStringLiteral("A = | 5.007  |\u00B1| 0.019| 4.00  ")));
        EXPECT_TRUE(child<QAction>(*screen, QStringLiteral("mnuSaveRpt"))->isEnabled());
        EXPECT_FALSE(child<QAction>(*screen, QStringLiteral("mnuNextPage"))->isEnabled()); // one page
        EXPECT_TRUE(navigations.empty());
        // Set FIT_REPORT_PNG to a folder to look at the screens.
        if (const QString folder = qEnvironmentVariable("FIT_REPORT_PNG"); !folder.isEmpty()) {
            const QString word = EditionWord(edition);
            functionDialog(edition)->grab().save(folder + QStringLiteral("/frmFitFn-%1.png").arg(word));
            screen->grab().save(folder + QStringLiteral("/frmFit-%1.png").arg(word));
        }
    }
}

TEST_F(FitScreens, FunctionDialogShowsStoredEstimatesInTheirFormats) {
    start(Edition::NonLinear);
    store.FunctionNumber = 5;
    store.ParamCount = 3;
    store.VaryFlags = {1, 0, 1};
    store.HeldCount = 1;
    store.InitialParams = {0.005f, 12.5f, 0.0f, 1234.5f};
    auto dialog = functionDialog(Edition::NonLinear);
    EXPECT_TRUE(child<QRadioButton>(*dialog, QStringLiteral("optFitFunc_4"))->isChecked());
    EXPECT_EQ(child<QLineEdit>(*dialog, QStringLiteral("txtPrm_0"))->text(), QStringLiteral("5.00E-03"));
    EXPECT_EQ(child<QLineEdit>(*dialog, QStringLiteral("txtPrm_1"))->text(), QStringLiteral("12.50"));
    EXPECT_EQ(child<QLineEdit>(*dialog, QStringLiteral("txtPrm_2"))->text(), QStringLiteral("0.00"));
    EXPECT_EQ(child<QLineEdit>(*dialog, QStringLiteral("txtPrm_3"))->text(), QStringLiteral("1.23E+03"));
    EXPECT_TRUE(child<QCheckBox>(*dialog, QStringLiteral("chkPrm_1"))->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*dialog, QStringLiteral("chkPrm_0"))->isChecked());
    EXPECT_FALSE(child<QLineEdit>(*dialog, QStringLiteral("txtPrm_3"))->isEnabled());
    // Without an editor the user-defined option cannot be chosen.
    EXPECT_FALSE(child<QRadioButton>(*dialog, QStringLiteral("optFitFunc_10"))->isEnabled());
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start(Edition::NonLinear);
        dialogs.clearTranscript();
        session.Advanced = c.advanced;
        const DataStore before = store;
        auto dialog = functionDialog(Edition::NonLinear);
        type(*dialog, 0, c.a);
        type(*dialog, 1, c.b);
        if (c.holdBoth) {
            child<QCheckBox>(*dialog, QStringLiteral("chkPrm_0"))->setChecked(true);
            child<QCheckBox>(*dialog, QStringLiteral("chkPrm_1"))->setChecked(true);
        }
        click(*dialog, QStringLiteral("cmdContinue"));
        EXPECT_EQ(dialogs.texts(), QStringList{c.message});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(store.InitialParams, before.InitialParams);
        EXPECT_EQ(store.VaryFlags, before.VaryFlags);
    }
}

TEST_F(FitScreens, AdvancedStyleKeepsTheEstimateOfAnEmptyBox) {
    start(Edition::NonLinear);
    session.Advanced = true;
    auto dialog = functionDialog(Edition::NonLinear);
    type(*dialog, 1, QString());
    click(*dialog, QStringLiteral("cmdContinue"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(store.InitialParams[1], -0.2f);
}

TEST_F(FitScreens, TessalyWarnsAboutXErrorsForOtherFunctions) {
    start(Edition::Linear);
    session.XErrorsAllowed = true;
    auto dialog = functionDialog(Edition::Linear);
    click(*dialog, QStringLiteral("optFitFunc_4")); // Elliptic 1st kind
    type(*dialog, 0, QStringLiteral("1"));
    dialogs.answer(MessageAnswer::Cancel);
    click(*dialog, QStringLiteral("cmdContinue"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(store.FunctionNumber, 3);
    dialogs.answer(MessageAnswer::Ok);
    click(*dialog, QStringLiteral("cmdContinue"));
    EXPECT_EQ(store.FunctionNumber, 5);
    EXPECT_EQ(store.ParamCount, 1);
    EXPECT_FALSE(session.FitDone);
    ASSERT_EQ(dialogs.transcript().size(), 2u);
    EXPECT_EQ(dialogs.transcript()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(dialogs.transcript()[0].icon, MessageIcon::Information);
}

TEST_F(FitScreens, TessalyFitsNorrisToTheCertifiedValues) {
    const testsupport::StrdSet norris = testsupport::loadStrd("Norris");
    start(Edition::Linear);
    const auto n = static_cast<std::int16_t>(norris.x.size());
    store.Capacity = std::max<std::int16_t>(n, 100);
    store.PointCount = n;
    store.X.assign(static_cast<std::size_t>(store.Capacity), 0.0f);
    store.Y = store.X;
    store.YSigma.assign(static_cast<std::size_t>(store.Capacity), 1.0f);
    for (std::size_t i = 0; i < norris.x.size(); ++i) {
        store.X[i] = static_cast<float>(norris.x[i]);
        store.Y[i] = static_cast<float>(norris.y[i]);
    }
    store.YErrorKind = YKindNone; // the certified uncertainties come from the scatter of the points
    store.YErrorSub = 0;
    store.FunctionNumber = 1;
    store.InitialParams = {0, 1};
    auto screen = fitScreen();
    trigger(*screen, "mnuGo");
    const QStringList text = report(*screen);
    // -0.262323073774029 +- 0.232818234301152 and 1.00211681802045 +- 0.429796848199937E-03
    EXPECT_TRUE(text.contains(QStringLiteral("A = |-2.623E-01  |\u00B1| 0.233| 0.00E+00  "))) << text.join(u'\n').toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("B = | 1.002  |\u00B1| 4.30E-04| 1.00  ")));
    EXPECT_TRUE(text.contains(QStringLiteral("Variance =  0.78"))); // residual SD 0.884796396144373 squared
    EXPECT_EQ(engines.calls.at(0).nsigx, 2);
    EXPECT_EQ(engines.calls.at(0).sigx, (std::vector<float>{0, 0}));
}

TEST_F(FitScreens, QuadraticWithXErrorsGoesToJolietteUntilLybanonIsChosen) {
    start(Edition::Linear);
    session.XErrorsAllowed = session.XModeSet = true;
    const std::vector<float> x{1, 2, 3, 4, 5, 6, 7, 8}, y{2.1f, 4.9f, 10.2f, 16.8f, 26.1f, 37.0f, 50.2f, 64.9f};
    store.PointCount = 8;
    for (std::size_t i = 0; i < x.size(); ++i) {
        store.X[i] = x[i];
        store.Y[i] = y[i];
        store.YSigma[i] = 0.5f;
    }
    store.XErrorMode = XModeConstant;
    store.XErrorValue = 0.05f;
    store.XSigma.assign(100, 0.05f);
    store.FunctionNumber = 4;
    store.ParamCount = 3;
    store.VaryFlags = {1, 1, 1};
    store.InitialParams = {1, 1, 1};
    auto screen = fitScreen();
    EXPECT_EQ(child<QAction>(*screen, QStringLiteral("mnuGo"))->text(), QStringLiteral("Fit using both X and Y Errors (F5)"));
    EXPECT_TRUE(child<QAction>(*screen, QStringLiteral("mnuOptionsJoliette"))->isChecked());
    QTest::keyClick(screen.get(), Qt::Key_F5);
    trigger(*screen, "mnuOptionsLybanon");
    EXPECT_FALSE(child<QAction>(*screen, QStringLiteral("mnuOptionsJoliette"))->isChecked());
    trigger(*screen, "mnuGo");
    trigger(*screen, "mnuRunFitxy");
    QTest::keyClick(screen.get(), Qt::Key_F5); // keeps fitting with Y errors only
    EXPECT_EQ(engines.engineNames(), (QStringList{"joliette", "lybanon", "lslinw", "lslinw"}));
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    const testing::EngineCall& joliette = engines.calls[0];
    EXPECT_EQ(joliette.npts, 8);
    EXPECT_EQ(joliette.nparm, 3);
    EXPECT_EQ(joliette.funcnum, 4);
    EXPECT_EQ(joliette.length, 100);
    EXPECT_EQ(joliette.sigx.front(), 0.05f);
    EXPECT_EQ(engines.calls[1].kind, YKindGiven);
    EXPECT_EQ(engines.calls[2].nsigx, 2);
    EXPECT_TRUE(report(*screen).contains(QStringLiteral("X errors are enabled, but were not used in this fit.")));
    // After a fit with both errors the report names both error modes, separated by two tabs.
    trigger(*screen, "mnuGo");
    EXPECT_TRUE(report(*screen).contains(
        QStringLiteral("same constant Y error for all Y values\t\tsame constant X error for all X values")));
}

TEST_F(FitScreens, PageCommandsFollowTheReport) {
    testing::SetUpLine(session, store, Edition::NonLinear, 60);
    dialogs.setProductWord(QStringLiteral("Quorvex"));
    auto screen = fitScreen();
    QTest::keyClick(screen.get(), Qt::Key_F5);
    ReportPreview& view = screen->reportView();
    ASSERT_GT(view.pageCount(), 1);
    EXPECT_TRUE(child<QAction>(*screen, QStringLiteral("mnuNextPage"))->isEnabled());
    trigger(*screen, "mnuPrevPage");
    EXPECT_EQ(view.currentPage(), 1);
    trigger(*screen, "mnuNextPage");
    EXPECT_EQ(view.currentPage(), 2);
    trigger(*screen, "mnuReportPage");
    EXPECT_EQ(view.currentPage(), view.pageCount());
    trigger(*screen, "mnuNextPage");
    EXPECT_EQ(view.currentPage(), view.pageCount());
    // A change elsewhere clears FitDone: the next activation shows an empty report again.
    session.FitDone = false;
    screen->activate();
    EXPECT_FALSE(child<QAction>(*screen, QStringLiteral("mnuNextPage"))->isEnabled());
    EXPECT_TRUE(screen->driver().report().document.isEmpty());
}

TEST_F(FitScreens, FailedChecksSendTheUserHome) {
    start(Edition::NonLinear);
    store.YSigma[2] = 0;
    auto screen = fitScreen();
    EXPECT_EQ(navigations, std::vector<FitScreenTarget>{FitScreenTarget::Home});
    EXPECT_EQ(dialogs.texts().size(), 1);
    screen->close();
    EXPECT_FALSE(session.FitDone);
    EXPECT_EQ(help.calls().back(), QStringLiteral("quit"));
}

TEST_F(FitScreens, MoreThanAHundredPointsCheckTheSummaryOnActivation) {
    testing::SetUpLine(session, store, Edition::NonLinear, 150);
    auto screen = fitScreen();
    EXPECT_TRUE(child<QAction>(*screen, QStringLiteral("mnuOptShowSum"))->isChecked());
    EXPECT_FALSE(child<QAction>(*screen, QStringLiteral("mnuOptShowFull"))->isChecked());
    trigger(*screen, "mnuOptShowFull");
    screen->activate();
    EXPECT_TRUE(child<QAction>(*screen, QStringLiteral("mnuOptShowSum"))->isChecked());
}

} // namespace
} // namespace frontend

namespace frontend {
namespace {

// Whether any pixel of the column range is darker than white.
bool InkIn(const QImage& image, int fromX, int toX) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = std::max(0, fromX); x < std::min(image.width(), toX); ++x)
            if (qGray(image.pixel(x, y)) < 200) return true;
    return false;
}

TEST_F(FitScreens, ReportPagesRenderInsideTheirMarginsOnLetterAndA4) {
    start(Edition::Linear);
    session.XErrorsAllowed = session.XModeSet = true;
    store.XErrorMode = XModeConstant;
    store.XSigma.assign(100, 0.05f);
    store.FunctionNumber = 1;
    store.InitialParams = {5, -0.5f};
    for (const PageGeometry& page : {LetterPage(), A4Page()}) {
        auto screen = fitScreen();
        screen->driver().setPage(page);
        trigger(*screen, "mnuGo");
        ASSERT_EQ(engines.calls.back().engine, QStringLiteral("lslinw"));
        const ReportLayout& layout = screen->driver().report().layout;
        const double dpi = 100;
        const QImage image = RenderPage(layout, 0, dpi);
        const int margin = static_cast<int>(page.marginsTwips.left() * dpi / TwipsPerInch);
        EXPECT_TRUE(InkIn(image, margin, image.width() - margin));
        EXPECT_FALSE(InkIn(image, 0, margin - 1));
        EXPECT_FALSE(InkIn(image, image.width() - margin + 1, image.width()));
        // Set FIT_REPORT_PNG to a folder to look at the pages.
        if (const QString folder = qEnvironmentVariable("FIT_REPORT_PNG"); !folder.isEmpty())
            RenderPage(layout, 0, 150).save(folder + QStringLiteral("/report-%1.png").arg(page.paperTwips.width() > 12000 ? "letter" : "a4"));
    }
}

} // namespace
} // namespace frontend
