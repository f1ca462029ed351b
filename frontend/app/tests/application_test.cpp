// The application object's screen registry and the help pages shipped beside the programs.
#include "screen_fixture.h"

#include "app/help_pages.h"
#include "platform/system_services.h"

#include <QDir>
#include <QFileInfo>
#include <QMenuBar>

namespace frontend {
namespace {

using testing_screens::ScreenTest;

// A screen of another folder: counts its activations and may refuse to unload.
class CountingScreen final : public MainScreen {
public:
    CountingScreen(Application& app, bool refuses) : MainScreen(app, ScreenId::Fit, HelpContext::Contents), refuses_(refuses) {}
    void activate() override { ++activations; }
    int activations = 0;

protected:
    bool queryUnload() override { return !refuses_; }

private:
    bool refuses_;
};

class ApplicationScreens : public ScreenTest {
protected:
    CountingScreen& registerFitScreen(bool refuses) {
        app->registerScreen(ScreenId::Fit, [refuses](Application& a) { return new CountingScreen(a, refuses); });
        return *static_cast<CountingScreen*>(app->load(ScreenId::Fit));
    }
};

TEST_F(ApplicationScreens, ScreensLoadOnFirstShowAndInThatOrder) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    EXPECT_FALSE(app->hasScreen(ScreenId::Graph));
    app->showScreen(ScreenId::Graph, &home);
    EXPECT_TRUE(home.isVisible()) << "a screen this build lacks leaves the current one showing";

    app->showScreen(ScreenId::Data, &home);
    MainScreen* data = app->loaded(ScreenId::Data);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(app->loadedScreens(), (std::vector<MainScreen*>{&home, data}));
    app->showScreen(ScreenId::Home, data);
    app->showScreen(ScreenId::Data, &home);
    EXPECT_EQ(app->loaded(ScreenId::Data), data) << "loaded once";
}

TEST_F(ApplicationScreens, AModalDialogMakesItsScreenActiveAgain) {
    startAtHome(Edition::NonLinear);
    CountingScreen& fit = registerFitScreen(false);
    app->showScreen(ScreenId::Fit, app->loaded(ScreenId::Home), true);
    EXPECT_EQ(fit.activations, 1);
    QDialog dialog;
    scripted.dialogs.onModal([](QDialog&) { return int(QDialog::Accepted); });
    EXPECT_EQ(fit.runModal(dialog), QDialog::Accepted);
    EXPECT_EQ(fit.activations, 2);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
}

TEST_F(ApplicationScreens, AScreenThatKeepsItselfLoadedStopsTheQuitting) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    registerFitScreen(true);
    click(home, "cmdQuit");
    EXPECT_FALSE(app->hasEnded());
    EXPECT_EQ(app->loaded(ScreenId::Home), &home);
    EXPECT_NE(app->loaded(ScreenId::Fit), nullptr);
}

TEST_F(ApplicationScreens, QuittingUnloadsARegisteredScreen) {
    FrmHome& home = startAtHome(Edition::Linear);
    registerFitScreen(false);
    click(home, "cmdQuit");
    EXPECT_TRUE(app->hasEnded());
    EXPECT_TRUE(app->loadedScreens().empty());
}

TEST_F(ApplicationScreens, TheCloseButtonOfAScreenDoesWhatItsOwnExitDoes) {
    {
        SCOPED_TRACE("the start screen's exit is Quit");
        start(Edition::Linear);
        screen(ScreenId::Start).close();
        EXPECT_TRUE(app->hasEnded());
        EXPECT_TRUE(app->loadedScreens().empty());
    }
    {
        SCOPED_TRACE("the data screen's exit is Continue (Home)");
        FrmHome& home = startAtHome(Edition::NonLinear);
        click(home, "cmdEnterData");
        MainScreen& data = screen(ScreenId::Data);
        data.close();
        EXPECT_TRUE(home.isVisible());
        EXPECT_FALSE(data.isVisible());
        EXPECT_EQ(app->loaded(ScreenId::Data), &data) << "the data screen stays loaded with its data";
        EXPECT_FALSE(app->hasEnded());
    }
    {
        SCOPED_TRACE("the home screen's exit is the quit sequence");
        FrmHome& home = startAtHome(Edition::NonLinear);
        click(home, "cmdEnterData");
        answerModal("optDataFrKeyboard", "Command1");
        for (const char* point : {"1,1", "2,2", "3,3", "*"})
            scripted.dialogs.type(QString::fromLatin1(point));
        MainScreen& data = screen(ScreenId::Data);
        click(data, "cmdEnterData");
        click(data, "cmdContinue");
        scripted.dialogs.clearTranscript();
        scripted.dialogs.answer(MessageAnswer::Cancel);
        home.close();
        EXPECT_EQ(texts(), QStringList{"Save changes in Data file \r\nUntitled before quitting?"});
        EXPECT_TRUE(home.isVisible());
        EXPECT_FALSE(app->hasEnded());
        scripted.dialogs.answer(MessageAnswer::No);
        home.close();
        EXPECT_TRUE(app->hasEnded());
        EXPECT_TRUE(app->loadedScreens().empty());
    }
}

// The letters that Alt takes on the screen: those of its visible buttons and of its menu bar.
QStringList Mnemonics(QMainWindow& screen) {
    QStringList captions;
    for (const QAbstractButton* button : screen.findChildren<QAbstractButton*>())
        if (button->isVisibleTo(&screen)) captions << button->text();
    for (const QAction* action : screen.menuBar()->actions())
        if (action->isVisible()) captions << action->text();
    QStringList letters;
    for (const QString& caption : captions) {
        for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
            if (caption[i] != u'&') continue;
            if (caption[i + 1] != u'&')
                letters << caption.mid(i + 1, 1).toLower() + QStringLiteral(" (") + caption + u')';
            ++i;
        }
    }
    return letters;
}

TEST_F(ApplicationScreens, EachAltLetterOfAScreenLeadsToOneControl) {
    FrmHome& home = startAtHome(Edition::Linear);
    click(home, "cmdEnterData");
    app->load(ScreenId::Fit);
    for (MainScreen* screen : app->loadedScreens()) {
        SCOPED_TRACE(screen->objectName().toStdString());
        const QStringList letters = Mnemonics(*screen);
        QStringList clashes;
        for (qsizetype i = 0; i < letters.size(); ++i)
            for (qsizetype j = i + 1; j < letters.size(); ++j)
                if (letters[i].front() == letters[j].front())
                    clashes << letters[i] + QStringLiteral(" and ") + letters[j];
        EXPECT_EQ(clashes, QStringList());
    }
}

TEST_F(ApplicationScreens, AfterADialogAndItsLastMessageTheScreenBelowIsActiveAgain) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&home));
    scripted.dialogs.onModal([](QDialog& dialog) {
        dialog.show();
        {
            QWidget message; // the box the dialog shows just before it closes
            message.show();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&message));
            click(dialog, "cmdCancel");
        }
        return dialog.result();
    });
    click(home, "cmdMode");
    EXPECT_TRUE(QTest::qWaitForWindowActive(&home));
}

TEST(HelpPages, EveryContextHasItsPageBesideTheProgram) {
    const QDir folder(QDir(QStringLiteral(FRONTEND_PROGRAM_DIR)).filePath(HelpFolderName));
    for (const auto& [context, page] : HelpPageByContext())
        EXPECT_TRUE(QFileInfo(folder, page).isFile()) << context << " " << page.toStdString();
    EXPECT_TRUE(QFileInfo(folder, HelpOnHelpPage).isFile());

    HtmlHelp help(folder.path(), HelpPageByContext(), HelpOnHelpPage);
    help.showContext(HelpContentsContext);
    ASSERT_NE(help.window(), nullptr);
    EXPECT_EQ(help.window()->windowTitle(), "Help Contents");
    help.showContext(HelpContext::Data);
    EXPECT_EQ(help.window()->windowTitle(), "Data Screen");
    help.showContext(9999);
    EXPECT_EQ(help.window()->windowTitle(), "Help Contents") << "an unknown context shows the contents";
    help.quit();
    EXPECT_EQ(help.window(), nullptr);
}

} // namespace
} // namespace frontend
