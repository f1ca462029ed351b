// The application object's screen registry and the help pages shipped beside the programs.
#include "screen_fixture.h"

#include "app/help_pages.h"
#include "platform/system_services.h"

#include <QDir>
#include <QFileInfo>

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
