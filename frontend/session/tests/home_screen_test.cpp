// The start, home and About screens walked as a student does, in both editions.
#include "screen_fixture.h"

#include "session/frm_start.h"

#include <QFile>
#include <QMenu>
#include <QPushButton>

namespace frontend {
namespace {

using testing_screens::ScreenTest;

class HomeScreen : public ScreenTest {
protected:
    // Puts three unsaved points into the program, as typed entry leaves them.
    void putUnsavedPoints() {
        Floats x{1, 2, 3}, y{2, 4, 6}, sigma{1, 1, 1};
        std::int16_t n = 3, capacity = 100;
        DataStore& store = app->store();
        StorePointCount(store, n, IntoStore);
        StoreCapacity(store, capacity, IntoStore);
        StorePoints(store, x, y, sigma, capacity, IntoStore);
        QString name = QStringLiteral("Untitled");
        StoreDataName(store, name, IntoStore);
        app->session().DataInProgram = true;
        app->session().DataSaved = false;
    }

    static bool isGreen(QPushButton& button) { return button.palette().color(QPalette::Button) == QColor(0, 0xC0, 0); }
};

struct EditionCase {
    const char* name;
    Edition edition;
    const char* caption;
    bool advanced;
    bool xControls;
};

class BothEditions : public HomeScreen, public testing::WithParamInterface<EditionCase> {};

TEST_P(BothEditions, ContinueLeadsToTheHomeScreenWithNothingInTheProgram) {
    const EditionCase& edition = GetParam();
    FrmHome& home = startAtHome(edition.edition, QStringLiteral("Ada Byron"), QStringLiteral("Pendulum"));

    EXPECT_EQ(app->loaded(ScreenId::Start), nullptr);
    EXPECT_TRUE(home.isVisible());
    EXPECT_EQ(home.windowTitle(), QString::fromLatin1(edition.caption));
    const Session& session = app->session();
    EXPECT_EQ(session.Names, "Ada Byron");
    EXPECT_EQ(session.Experiment, "Pendulum");
    EXPECT_EQ(session.Edition, EditionCode(edition.edition));
    EXPECT_EQ(session.Advanced, edition.advanced);
    EXPECT_EQ(child<QAction>(home, "mnuAdvanced")->isChecked(), edition.advanced);
    EXPECT_EQ(child<QLineEdit>(home, "txtName")->text(), "Ada Byron");

    EXPECT_EQ(text(home, "lblErrorMode"), "Y Error Type not set");
    EXPECT_EQ(text(home, "lblDataInProgram"), "No data in program");
    EXPECT_EQ(text(home, "lblSaveData"), "No Data in Program");
    EXPECT_EQ(text(home, "lblXErrorMode"), "X Errors not enabled");
    EXPECT_EQ(text(home, "lblHelpMessage"), "Press F1 at any time for Help");
    for (const char* name : {"cmdSaveData", "cmdFit", "cmdPGPlot"}) {
        auto* button = child<QPushButton>(home, name);
        EXPECT_FALSE(button->isEnabled()) << name;
        EXPECT_FALSE(isGreen(*button)) << name;
    }
    EXPECT_EQ(child<QPushButton>(home, "cmdFit")->toolTip(), "Fits using only Y Errors ");
    EXPECT_TRUE(child<QLabel>(home, "picFitFunc")->property("picturePath").toString().endsWith("nofunc.png"));

    EXPECT_EQ(child<QMenu>(home, "mnuErrorType")->menuAction()->isVisible(), edition.xControls);
    EXPECT_EQ(child<QPushButton>(home, "cmdXMode")->isVisibleTo(&home), edition.xControls);
    EXPECT_EQ(child<QLabel>(home, "lblXErrorMode")->isVisibleTo(&home), edition.xControls);
    EXPECT_FALSE(child<QPushButton>(home, "cmdXMode")->isEnabled());
    EXPECT_TRUE(scripted.dialogs.transcript().empty());
}

INSTANTIATE_TEST_SUITE_P(Editions, BothEditions,
                         testing::Values(EditionCase{"NonLinear", Edition::NonLinear,
                                                     "Quorvex -- Home Screen [No Data in Program] ", true, false},
                                         EditionCase{"Linear", Edition::Linear,
                                                     "Tessaly -- Home Screen [No Data in Program] ", false, true}),
                         [](const testing::TestParamInfo<EditionCase>& row) { return row.param.name; });

TEST_F(HomeScreen, StartScreenShowsTheEditionsTexts) {
    start(Edition::Linear);
    MainScreen& startScreen = screen(ScreenId::Start);
    EXPECT_EQ(text(startScreen, "lblProduct"), "Tessaly");
    EXPECT_EQ(text(startScreen, "lblDescription"), "A data analysis, graphing, and linear least-squares fitting program");
    EXPECT_FALSE(startScreen.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(HomeScreen, RightButtonOnContinueStartsTheLinearEditionInAdvancedStyle) {
    start(Edition::Linear);
    QTest::mouseClick(child<QPushButton>(screen(ScreenId::Start), "cmdContinue"), Qt::RightButton);
    FrmHome& home = *app->loadedAs<FrmHome>(ScreenId::Home);
    EXPECT_TRUE(app->session().Advanced);
    EXPECT_TRUE(child<QAction>(home, "mnuAdvanced")->isChecked());
    EXPECT_FALSE(child<QAction>(home, "mnuStandard")->isChecked());
}

TEST_F(HomeScreen, QuitOnTheStartScreenEndsTheProgramAtOnce) {
    start(Edition::NonLinear);
    click(screen(ScreenId::Start), "cmdQuit");
    EXPECT_TRUE(app->hasEnded());
    EXPECT_TRUE(app->loadedScreens().empty());
    EXPECT_TRUE(scripted.help.calls().contains("quit"));
}

TEST_F(HomeScreen, StandardStyleHidesTheGraphButtonUntilTheScreenIsActiveAgain) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    trigger(home, "mnuStandard");
    EXPECT_FALSE(app->session().Advanced);
    EXPECT_FALSE(child<QPushButton>(home, "cmdPGPlot")->isVisibleTo(&home));
    EXPECT_TRUE(child<QAction>(home, "mnuStandard")->isChecked());
    EXPECT_FALSE(child<QAction>(home, "mnuAdvanced")->isChecked());

    // Shift + right button on the background toggles the style and its checks only.
    QTest::mouseClick(home.centralWidget(), Qt::RightButton, Qt::ShiftModifier, QPoint(5, 5));
    EXPECT_TRUE(app->session().Advanced);
    EXPECT_TRUE(child<QAction>(home, "mnuAdvanced")->isChecked());
    EXPECT_FALSE(child<QPushButton>(home, "cmdPGPlot")->isVisibleTo(&home));

    home.activate();
    EXPECT_TRUE(child<QPushButton>(home, "cmdPGPlot")->isVisibleTo(&home));
}

const QString ResetQuestion =
    "The Y Error mode is currently set to 'autoscale to reduced chi-squared = 1'. This Y error mode is not allowed "
    "when using X errors.  Please click \r\n\r\n  -- OK to allow X errors and reset the Y Error mode, or\r\n\r\n  -- "
    "Cancel to retain the current (use Y Errors only) setting.";

TEST_F(HomeScreen, AllowingXErrorsWhileYErrorsAreAutoscaledCanBeCancelled) {
    FrmHome& home = startAtHome(Edition::Linear);
    chooseYMode(home, "optErrorMode_4");
    ASSERT_EQ(text(home, "lblErrorMode"), "no error entered; program scales to chisq = 1");
    app->session().FitDone = true;

    scripted.dialogs.answer(MessageAnswer::Cancel);
    trigger(home, "mnuXYFit");

    ASSERT_EQ(scripted.dialogs.transcript().size(), 2u);
    const DialogRecord& question = scripted.dialogs.transcript().back();
    EXPECT_EQ(question.text, ResetQuestion);
    EXPECT_EQ(question.title, "Inconsistent error mode settings");
    EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
    EXPECT_FALSE(app->session().XErrorsAllowed);
    EXPECT_FALSE(app->session().FitDone);
    EXPECT_EQ(app->store().YErrorKind, YKindNone);
    EXPECT_EQ(text(home, "lblErrorMode"), "no error entered; program scales to chisq = 1");
    EXPECT_FALSE(child<QAction>(home, "mnuXYFit")->isChecked());
    EXPECT_TRUE(child<QAction>(home, "mnuYFit")->isChecked());
    EXPECT_FALSE(child<QPushButton>(home, "cmdXMode")->isEnabled());
}

TEST_F(HomeScreen, AllowingXErrorsWhileYErrorsAreAutoscaledResetsTheYMode) {
    FrmHome& home = startAtHome(Edition::Linear);
    chooseYMode(home, "optErrorMode_4");
    scripted.dialogs.answer(MessageAnswer::Ok);
    trigger(home, "mnuXYFit");

    EXPECT_TRUE(app->session().XErrorsAllowed);
    EXPECT_FALSE(app->session().YModeSet);
    EXPECT_EQ(app->store().YErrorKind, YKindNotSet);
    EXPECT_EQ(text(home, "lblErrorMode"), "Y Error Type not set");
    EXPECT_EQ(text(home, "lblXErrorMode"), "X Error Type not set");
    EXPECT_TRUE(child<QPushButton>(home, "cmdXMode")->isEnabled());
    EXPECT_EQ(child<QPushButton>(home, "cmdFit")->toolTip(), "Fits using both X and Y Errors");
    EXPECT_FALSE(child<QPushButton>(home, "cmdFit")->isEnabled());
    EXPECT_TRUE(child<QAction>(home, "mnuXYFit")->isChecked());
    EXPECT_FALSE(child<QAction>(home, "mnuYFit")->isChecked());

    // The next activation keeps the label: no Y mode applies.
    home.activate();
    EXPECT_EQ(text(home, "lblErrorMode"), "Y Error Type not set");

    trigger(home, "mnuYFit");
    EXPECT_FALSE(app->session().XErrorsAllowed);
    EXPECT_EQ(text(home, "lblXErrorMode"), "X Errors not enabled");
    EXPECT_EQ(child<QPushButton>(home, "cmdFit")->toolTip(), "Fits using only Y Errors");
}

TEST_F(HomeScreen, QuittingWithoutUnsavedDataAsksNothing) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    click(home, "cmdQuit");
    EXPECT_TRUE(app->hasEnded());
    EXPECT_TRUE(scripted.dialogs.transcript().empty());
    EXPECT_TRUE(app->loadedScreens().empty());
}

TEST_F(HomeScreen, QuittingWithUnsavedDataAndACancelledSaveKeepsTheProgramRunning) {
    FrmHome& home = startAtHome(Edition::Linear);
    putUnsavedPoints();
    home.activate();

    scripted.dialogs.answer(MessageAnswer::Yes).cancelFile();
    trigger(home, "mnuExit");

    ASSERT_EQ(scripted.dialogs.transcript().size(), 2u);
    const DialogRecord& question = scripted.dialogs.transcript()[0];
    EXPECT_EQ(question.text, "Save changes in Data file \r\nUntitled before quitting?");
    EXPECT_EQ(question.title, "Save Changes in Data?");
    EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(question.icon, MessageIcon::Question);
    const DialogRecord& save = scripted.dialogs.transcript()[1];
    EXPECT_EQ(save.kind, DialogKind::SaveFile);
    EXPECT_EQ(save.defaultText, "") << "Untitled is not offered as a file name";
    EXPECT_FALSE(app->hasEnded());
    EXPECT_EQ(app->loaded(ScreenId::Home), &home);
}

TEST_F(HomeScreen, QuittingWithUnsavedDataSavesThemWhenAskedTo) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    putUnsavedPoints();
    home.activate();
    const QString path = folder.filePath("points.dat");
    scripted.dialogs.answer(MessageAnswer::Yes).chooseFile(path);
    click(home, "cmdQuit");
    EXPECT_TRUE(app->hasEnded());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(app->session().DataSaved);
}

TEST_F(HomeScreen, QuittingWithUnsavedDataCanBeCancelledOrDeclined) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    putUnsavedPoints();
    home.activate();
    scripted.dialogs.answer(MessageAnswer::Cancel);
    click(home, "cmdQuit");
    EXPECT_FALSE(app->hasEnded());

    scripted.dialogs.answer(MessageAnswer::No);
    click(home, "cmdQuit");
    EXPECT_TRUE(app->hasEnded());
    EXPECT_FALSE(app->session().DataSaved);
}

TEST_F(HomeScreen, QuittingUnloadsTheOtherScreensFirst) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    click(home, "cmdEnterData");
    ASSERT_NE(app->loaded(ScreenId::Data), nullptr);
    EXPECT_FALSE(home.isVisible());
    app->showScreen(ScreenId::Home, app->loaded(ScreenId::Data));

    click(home, "cmdQuit");
    EXPECT_TRUE(app->hasEnded());
    EXPECT_TRUE(app->loadedScreens().empty());
}

TEST_F(HomeScreen, QuitRefusedByAnotherScreenKeepsTheHomeScreenOpen) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    app->load(ScreenId::Data);
    app->session().QuitRefused = true;
    click(home, "cmdQuit");
    EXPECT_FALSE(app->hasEnded());
    EXPECT_FALSE(app->session().QuitRefused);
    EXPECT_NE(app->loaded(ScreenId::Data), nullptr);
    EXPECT_EQ(app->loaded(ScreenId::Home), &home);
}

TEST_F(HomeScreen, SaveFromTheHomeScreenPresetsTheDataName) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    putUnsavedPoints();
    QString name = folder.filePath("kept.dat");
    StoreDataName(app->store(), name, IntoStore);
    home.activate();
    EXPECT_EQ(home.windowTitle(), "Quorvex -- Home Screen [" + name + "] ");
    EXPECT_EQ(text(home, "lblDataInProgram"), " 3 data points");
    EXPECT_EQ(text(home, "lblSaveData"), "Data in program NOT saved");
    EXPECT_TRUE(isGreen(*child<QPushButton>(home, "cmdSaveData")));

    scripted.dialogs.chooseFile(name);
    click(home, "cmdSaveData");
    EXPECT_EQ(scripted.dialogs.transcript().back().defaultText, name);
    EXPECT_EQ(scripted.dialogs.transcript().back().file.filter, "Data Files (*.dat)|*.dat|All Files (*.*)|*.*");
    EXPECT_EQ(text(home, "lblSaveData"), "Data in program saved");
    EXPECT_TRUE(QFile::exists(name));
}

TEST_F(HomeScreen, ButtonsLeadOnlyToScreensOfThisBuild) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    EXPECT_FALSE(child<QPushButton>(home, "cmdSpread")->isEnabled());
    ASSERT_TRUE(child<QPushButton>(home, "cmdFctn")->isEnabled());

    scripted.dialogs.onModal([](QDialog& dialog) { return dialog.result(); });
    click(home, "cmdFctn");
    ASSERT_FALSE(scripted.dialogs.transcript().empty());
    EXPECT_EQ(scripted.dialogs.transcript().back().kind, DialogKind::Modal);
    EXPECT_EQ(scripted.dialogs.transcript().back().text, "frmFitFn");
}

TEST_F(HomeScreen, AboutBoxNamesTheEdition) {
    FrmHome& home = startAtHome(Edition::Linear);
    QString caption, version, description;
    scripted.dialogs.onModal([&](QDialog& about) {
        caption = about.windowTitle();
        version = text(about, "lblVersion");
        description = text(about, "lblDescription");
        EXPECT_EQ(text(about, "lblTitle"), "Tessaly");
        click(about, "cmdOK");
        return about.result();
    });
    trigger(home, "mnuAbout");
    EXPECT_EQ(caption, "About Tessaly");
    EXPECT_EQ(version, "Version 6.8.0  (Fall 2008)");
    EXPECT_TRUE(description.startsWith(
        "Tessaly is a data analysis, graphing, and linear least-squares curve fitting program for use in Physics "
        "Department laboratories. If you need assistance, have suggestions, or wish to report problems with the "
        "program, "));
    EXPECT_EQ(scripted.help.calls().back(), "quit") << "the About box closes the help viewer when it unloads";
}

TEST_F(HomeScreen, HelpKeyAndMenuOpenTheHelpPages) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    trigger(home, "mnuHelpContents");
    trigger(home, "mnuHelpOnHelp");
    QTest::keyClick(child<QLineEdit>(home, "txtName"), Qt::Key_F1);
    const QStringList calls = scripted.help.calls();
    EXPECT_TRUE(calls.contains("context 50"));
    EXPECT_TRUE(calls.contains("help on help"));
}

} // namespace
} // namespace frontend
