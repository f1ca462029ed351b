#include "platform/system_services.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

// Runs `act` on the modal widget of type W as soon as it is shown (polling for about two seconds).
template <typename W> void WhenShown(std::function<void(W&)> act, int triesLeft = 400) {
    QTimer::singleShot(5, [act, triesLeft] {
        if (auto* widget = qobject_cast<W*>(QApplication::activeModalWidget())) act(*widget);
        else if (triesLeft > 0) WhenShown<W>(act, triesLeft - 1);
    });
}

TEST(QtDialogs, MessageBoxShowsTextTitleIconAndReturnsTheButtonPressed) {
    QtDialogs dialogs;
    dialogs.setProductWord("Tessaly");
    QString seenTitle, seenText;
    QMessageBox::Icon seenIcon{};
    int buttonCount = 0;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        seenTitle = box.windowTitle();
        seenText = box.text();
        seenIcon = box.icon();
        buttonCount = static_cast<int>(box.buttons().size());
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(dialogs.message("Save changes?", MessageButtons::YesNoCancel, MessageIcon::Question),
              MessageAnswer::No);
    EXPECT_EQ(seenTitle, "Tessaly");
    EXPECT_EQ(seenText, "Save changes?");
    EXPECT_EQ(seenIcon, QMessageBox::Question);
    EXPECT_EQ(buttonCount, 3);

    WhenShown<QMessageBox>([](QMessageBox& box) { box.reject(); });
    EXPECT_EQ(dialogs.message("Delete?", MessageButtons::OkCancel, MessageIcon::Question, "Delete"),
              MessageAnswer::Cancel);
}

TEST(QtDialogs, InputBoxReturnsTheTextOrNothingOnCancel) {
    QtDialogs dialogs;
    QString seenDefault;
    WhenShown<QInputDialog>([&](QInputDialog& box) {
        seenDefault = box.textValue();
        box.setTextValue("5");
        box.accept();
    });
    EXPECT_EQ(dialogs.input("Percent:", "% Error", " "), QString("5"));
    EXPECT_EQ(seenDefault, " ");

    WhenShown<QInputDialog>([](QInputDialog& box) { box.reject(); });
    EXPECT_EQ(dialogs.input("Percent:", "% Error"), std::nullopt);
}

TEST(QtDialogs, FileDialogsOfferTheFiltersAndReturnNothingOnCancel) {
    QtDialogs dialogs;
    QStringList seenFilters;
    QString seenSelected;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        seenFilters = dialog.nameFilters();
        seenSelected = dialog.selectedNameFilter();
        dialog.reject();
    });
    const FileDialogRequest request{"Save Data", "Data Files (*.dat)|*.dat|All Files (*.*)|*.*", 2, "run1.dat",
                                    PromptBeforeOverwrite | HideReadOnly | PathMustExist};
    EXPECT_EQ(dialogs.saveFile(request), std::nullopt);
    EXPECT_EQ(seenFilters, (QStringList{"Data Files (*.dat)", "All Files (*)"}));
    EXPECT_EQ(seenSelected, "All Files (*)");
}

TEST(HtmlHelp, ShowsTheContextsPageFallsBackToContentsAndQuits) {
    QTemporaryDir folder;
    for (const char* name : {"contents.html", "data.html"}) {
        QFile page(folder.filePath(name));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write(QByteArray("<html><head><title>") + name + "</title></head><body>x</body></html>");
    }
    HtmlHelp help(folder.path(), {{50, "contents.html"}, {60, "data.html"}}, "contents.html");
    help.showContext(60);
    ASSERT_NE(help.window(), nullptr);
    EXPECT_TRUE(help.window()->source().toLocalFile().endsWith("data.html"));
    help.showContext(999);
    EXPECT_TRUE(help.window()->source().toLocalFile().endsWith("contents.html"));
    help.quit();
    EXPECT_EQ(help.window(), nullptr);
    help.quit(); // quitting a closed viewer is harmless
}

TEST(QtProcesses, RunWaitsAndReportsTheExitCodeStartDoesNotWait) {
    QtProcesses processes;
    EXPECT_EQ(processes.run("/bin/sh", {"-c", "exit 3"}), 3);
    EXPECT_EQ(processes.run("/nonexistent/program", {}), std::nullopt);
    EXPECT_TRUE(processes.start("/bin/true", {}));
    EXPECT_FALSE(processes.start("/nonexistent/program", {}));
}

TEST(CupsPrinters, AnUnknownPrinterTakesNoJob) {
    CupsPrinters printers;
    EXPECT_FALSE(printers.list().contains("no-such-printer-here"));
    EXPECT_FALSE(printers.sendRaw("no-such-printer-here", "/etc/hostname", "test job"));
}

TEST(SystemTempDir, EndsInASeparator) {
    EXPECT_TRUE(SystemTempDir().path().endsWith('/'));
}

} // namespace
} // namespace frontend
