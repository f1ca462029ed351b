#include "platform/scripted_services.h"

#include <QDialog>
#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

TEST(QtNameFilters, TurnsThePipeListIntoQtFiltersAndStarDotStarIntoEveryFile) {
    EXPECT_EQ(QtNameFilters("Data Files (*.dat)|*.dat|All Files (*.*)|*.*"),
              (QStringList{"Data Files (*.dat)", "All Files (*)"}));
    EXPECT_EQ(QtNameFilters("Pictures|*.png;*.svg"), (QStringList{"Pictures (*.png *.svg)"}));
    EXPECT_EQ(QtNameFilters("Dangling description"), QStringList());
}

TEST(ScriptedDialogs, UntitledBoxesCarryTheProductWordAndOkOnlyBoxesNeedNoAnswer) {
    ScriptedDialogs dialogs;
    dialogs.setProductWord("Quorvex");
    dialogs.answer(MessageAnswer::No).type("5");

    EXPECT_EQ(dialogs.message("Just so you know"), MessageAnswer::Ok);
    EXPECT_EQ(dialogs.message("Save?", MessageButtons::YesNoCancel, MessageIcon::Question, "Save Changes in Data?"),
              MessageAnswer::No);
    EXPECT_EQ(dialogs.input(" Please enter Y error in percent:", "% Error", "1"), QString("5"));

    ASSERT_EQ(dialogs.transcript().size(), 3u);
    EXPECT_EQ(dialogs.transcript()[0].title, "Quorvex");
    EXPECT_EQ(dialogs.transcript()[1].title, "Save Changes in Data?");
    EXPECT_EQ(dialogs.transcript()[1].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.transcript()[2].defaultText, "1");
    EXPECT_EQ(dialogs.texts(), (QStringList{"Just so you know", "Save?", " Please enter Y error in percent:"}));
    EXPECT_TRUE(dialogs.problems().isEmpty());
    EXPECT_EQ(dialogs.unusedAnswers(), 0u);
}

TEST(ScriptedDialogs, AMissingOrMismatchedAnswerIsAProblemAndCountsAsCancel) {
    ScriptedDialogs dialogs;
    dialogs.chooseFile("/tmp/a.dat");

    EXPECT_EQ(dialogs.message("Sure?", MessageButtons::OkCancel), MessageAnswer::Cancel);
    EXPECT_EQ(dialogs.message("Sure?", MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(dialogs.openFile({"Open", "All Files (*.*)|*.*", 1, {}, FileMustExist}), QString("/tmp/a.dat"));
    EXPECT_EQ(dialogs.saveFile({"Save", "All Files (*.*)|*.*", 1, "x.dat", PromptBeforeOverwrite}), std::nullopt);
    EXPECT_EQ(dialogs.problems().size(), 3);
    EXPECT_EQ(dialogs.transcript()[3].defaultText, "x.dat");
}

TEST(ScriptedDialogs, CancelledInputsAndFilesAreEmptyResultsAndModalDialogsRunTheScriptedAction) {
    ScriptedDialogs dialogs;
    dialogs.cancelInput().cancelFile().onModal([](QDialog& dialog) {
        dialog.setProperty("touched", true);
        return 7;
    });
    EXPECT_EQ(dialogs.input("Name?"), std::nullopt);
    EXPECT_EQ(dialogs.openFile({}), std::nullopt);
    QDialog dialog;
    dialog.setObjectName("frmAbout");
    EXPECT_EQ(dialogs.runModal(dialog), 7);
    EXPECT_TRUE(dialog.property("touched").toBool());
    EXPECT_EQ(dialogs.transcript().back().text, "frmAbout");
    EXPECT_TRUE(dialogs.problems().isEmpty());
}

} // namespace
} // namespace frontend
