// A run of the front end with scripted platform services, for tests that walk the screens the way a
// student does: find a control by its objectName, click it, and read what the program said.
#ifndef FRONTEND_TESTSUPPORT_SCREEN_FIXTURE_H
#define FRONTEND_TESTSUPPORT_SCREEN_FIXTURE_H

#include "app/application.h"
#include "app/main_screen.h"
#include "platform/scripted_services.h"
#include "session/frm_home.h"
#include "session/store.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <qstring_printer.h>

namespace frontend::testing_screens {

class ScreenTest : public testing::Test {
protected:
    ~ScreenTest() override {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Every box the program showed found the answer the test meant for it, and every answer was used.
    void TearDown() override {
        EXPECT_EQ(scripted.dialogs.problems(), QStringList()) << "boxes the script did not answer";
        EXPECT_EQ(scripted.dialogs.unusedAnswers(), 0u) << "answers no box asked for";
    }

    // Starts the program of the edition: the start screen is showing.
    void start(Edition edition) {
        app = std::make_unique<Application>(edition, scripted.services(), QStringLiteral(FRONTEND_PROGRAM_DIR));
        app->start();
    }

    // Starts, types the names and continues: the home screen is showing.
    FrmHome& startAtHome(Edition edition, const QString& names = QStringLiteral("Ada Byron"),
                         const QString& experiment = QStringLiteral("Pendulum")) {
        start(edition);
        MainScreen& startScreen = screen(ScreenId::Start);
        QTest::keyClicks(child<QLineEdit>(startScreen, "txtName"), names);
        QTest::keyClicks(child<QLineEdit>(startScreen, "txtExp"), experiment);
        click(startScreen, "cmdContinue");
        return *app->loadedAs<FrmHome>(ScreenId::Home);
    }

    MainScreen& screen(ScreenId id) {
        MainScreen* loaded = app->loaded(id);
        if (!loaded) throw std::runtime_error("screen not loaded");
        return *loaded;
    }

    template <typename T> static T* child(QWidget& parent, const char* name) {
        T* found = parent.findChild<T*>(QString::fromLatin1(name));
        if (!found) throw std::runtime_error(std::string("no control ") + name);
        return found;
    }
    static QString text(QWidget& parent, const char* name) { return child<QLabel>(parent, name)->text(); }
    static void click(QWidget& parent, const char* name) { child<QAbstractButton>(parent, name)->click(); }
    static void trigger(QWidget& parent, const char* name) { child<QAction>(parent, name)->trigger(); }

    // The next modal dialog: click the option (when given) and then the button.
    void answerModal(const char* option, const char* button) {
        scripted.dialogs.onModal([option, button](QDialog& dialog) {
            if (option) child<QAbstractButton>(dialog, option)->click();
            child<QAbstractButton>(dialog, button)->click();
            return dialog.result();
        });
    }

    // Sets the Y error mode through the home screen's Y Error Type dialog; the value is typed.
    void chooseYMode(FrmHome& home, const char* option, const QString& value = {}) {
        answerModal(option, "cmdOK");
        if (!value.isEmpty()) scripted.dialogs.type(value);
        click(home, "cmdMode");
    }

    QStringList texts() const { return scripted.dialogs.texts(); }
    QString lastText() const { return texts().isEmpty() ? QString() : texts().back(); }

    QTemporaryDir folder;
    ScriptedServices scripted{folder.path()};
    std::unique_ptr<Application> app;
};

} // namespace frontend::testing_screens

#endif
