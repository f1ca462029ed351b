// The data screen walked as a student does: typed entry, files, editing, deleting, swapping,
// clearing and saving, in both editions.
#include "screen_fixture.h"
#include "test_files.h"

#include "data/frm_data.h"
#include "session/number_format.h"

#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <functional>

namespace frontend {
namespace {

using testing_screens::ScreenTest;

const QString Prompt2 = "Please enter X and Y for\r\ndata point %1\r\nseparated by a comma:\r\n\r\n"
                        "Please enter asterisk (*) when done.";
const QString PromptY = "Please enter X, Y, and Yerr for\r\ndata point %1\r\nseparated by commas:\r\n\r\n"
                        "Please enter asterisk (*) when done.";

class DataScreen : public ScreenTest {
protected:
    // Home screen, the Y error mode (when given), then the data screen.
    FrmData& openDataScreen(Edition edition, const char* yOption = nullptr, const QString& value = {}) {
        FrmHome& home = startAtHome(edition);
        if (yOption) chooseYMode(home, yOption, value);
        click(home, "cmdEnterData");
        scripted.dialogs.clearTranscript();
        return *app->loadedAs<FrmData>(ScreenId::Data);
    }

    // Enter Data from the keyboard with the typed answers (a null entry cancels the input box).
    void typeIn(FrmData& data, std::initializer_list<const char*> answers) {
        answerModal("optDataFrKeyboard", "Command1");
        queue(answers);
        click(data, "cmdEnterData");
    }

    void queue(std::initializer_list<const char*> answers) {
        for (const char* answer : answers)
            answer ? (void)scripted.dialogs.type(QString::fromLatin1(answer)) : (void)scripted.dialogs.cancelInput();
    }

    // A file of the test's folder with `contents`; its path.
    QString writeFile(const char* name, const QByteArray& contents) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(contents);
        return path;
    }

    // Enter Data from the file at path; `fourColumns` answers the four-column question.
    void openFile(FrmData& data, const QString& path, std::optional<MessageAnswer> fourColumns = {}) {
        answerModal("optDataFrFile", "Command1");
        scripted.dialogs.chooseFile(path);
        if (fourColumns) scripted.dialogs.answer(*fourColumns);
        click(data, "cmdEnterData");
    }

    // Enter Data from the file "in.dat" with `contents`.
    void readFile(FrmData& data, const QByteArray& contents, std::optional<MessageAnswer> fourColumns = {}) {
        openFile(data, writeFile("in.dat", contents), fourColumns);
    }

    static QString cell(FrmData& data, int row, int column) {
        return data.model().data(data.model().index(row, column), Qt::DisplayRole).toString();
    }

    // Selects whole rows first..last (from 0) as a click and drag on the point numbers does.
    static void selectRows(FrmData& data, int first, int last) {
        QItemSelection rows(data.model().index(first, 0), data.model().index(last, data.model().columnCount() - 1));
        data.grid().selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    }

    static void pressKey(FrmData& data, Qt::Key key) { QTest::keyClick(&data.grid(), key); }

    Floats storedX() const { return {app->store().X.begin(), app->store().X.begin() + app->store().PointCount}; }
    Floats storedY() const { return {app->store().Y.begin(), app->store().Y.begin() + app->store().PointCount}; }
};

TEST_F(DataScreen, TypedPointsInPercentageModeGetTheirSigmasAtOnce) {
    FrmData& data = openDataScreen(Edition::NonLinear, "optErrorMode_0", "5");
    EXPECT_EQ(data.windowTitle(), "Quorvex -- Data Screen [Untitled] ");
    EXPECT_EQ(text(data, "lblErrorMode"), "5.00%Error");
    typeIn(data, {"1, 10", "2,20", "3 30", "*"});

    const std::vector<DialogRecord>& shown = scripted.dialogs.transcript();
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[1].text, Prompt2.arg(" 1"));
    EXPECT_EQ(shown[1].title, "Enter data points:");
    EXPECT_EQ(shown[1].defaultText, " ");
    EXPECT_EQ(shown[4].text, Prompt2.arg(" 4"));

    const Session& session = app->session();
    EXPECT_TRUE(session.DataInProgram);
    EXPECT_FALSE(session.DataSaved);
    EXPECT_FALSE(session.YErrorsEntered);
    EXPECT_EQ(app->store().PointCount, 3);
    EXPECT_EQ(app->store().Capacity, 100);
    EXPECT_EQ(storedY(), (Floats{10, 20, 30}));
    EXPECT_FLOAT_EQ(app->store().YSigma[2], 1.5f);
    EXPECT_EQ(cell(data, 0, 0), FormatCell(1.0f));
    EXPECT_EQ(cell(data, 2, 2), FormatCell(1.5f));
    EXPECT_EQ(cell(data, 3, 0), "");
    EXPECT_FALSE(child<QPushButton>(data, "cmdEnterData")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(data, "cmdSaveData")->isEnabled());

    click(data, "cmdContinue");
    FrmHome& home = *app->loadedAs<FrmHome>(ScreenId::Home);
    EXPECT_TRUE(home.isVisible());
    EXPECT_FALSE(data.isVisible());
    EXPECT_EQ(text(home, "lblDataInProgram"), " 3 data points");
    EXPECT_EQ(text(home, "lblSaveData"), "Data in program NOT saved");
    EXPECT_EQ(home.windowTitle(), "Quorvex -- Home Screen [Untitled] ");
}

TEST_F(DataScreen, FewerThanThreePointsAreRefusedAndCancelDiscardsThem) {
    FrmData& data = openDataScreen(Edition::Linear);
    typeIn(data, {"1,1", "2,2", "*", nullptr});
    EXPECT_EQ(texts().mid(3), (QStringList{"You must have at least 3 data points", Prompt2.arg(" 3")}));
    EXPECT_FALSE(app->session().DataInProgram);
    EXPECT_EQ(app->store().PointCount, 0);
    EXPECT_TRUE(app->store().X.empty());
    EXPECT_EQ(cell(data, 0, 0), "");
    EXPECT_TRUE(child<QPushButton>(data, "cmdEnterData")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(data, "cmdSaveData")->isEnabled());
}

TEST_F(DataScreen, AddPointGrowsTheDataSetUpToTheLimitAndNoFurther) {
    FrmData& data = openDataScreen(Edition::NonLinear);
    QByteArray contents;
    for (int i = 1; i <= MaxPoints - 50; ++i) contents += QByteArray::number(i) + " 1\r\n";
    readFile(data, contents);
    ASSERT_EQ(app->store().Capacity, MaxPoints - 50);
    for (int i = 0; i < 50; ++i) scripted.dialogs.type(QStringLiteral("1, 2"));
    click(data, "cmdAddPoint");
    EXPECT_EQ(app->store().PointCount, MaxPoints);
    EXPECT_EQ(app->store().Capacity, MaxPoints) << "room for 100 more points, but never past the limit";
    EXPECT_EQ(lastText(), "maximum number of  16000data\r\npoints has been reached.");
    EXPECT_EQ(scripted.dialogs.unusedAnswers(), 0u);
}

TEST_F(DataScreen, IndividualYErrorsAreTypedWithTheirPointsAndMustBePositive) {
    FrmData& data = openDataScreen(Edition::NonLinear, "optErrorMode_2");
    typeIn(data, {"1, 2", "1, 2, 0", "1, 2, 0.5", "2, 4, 0.25", "3, 6, 1", "*"});
    const std::vector<DialogRecord>& shown = scripted.dialogs.transcript();
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(shown[1].text, PromptY.arg(" 1"));
    EXPECT_EQ(shown[2].text, "Data Entry Error, please try again.");
    EXPECT_EQ(shown[3].defaultText, "1, 2") << "a refused line comes back as the default";
    EXPECT_EQ(shown[4].text, "The Y error cannot be zero or negative; The program divides by these values in order "
                             "to find the reduced chi-squared value--hence Y Error values of zero are not allowed.  "
                             "Please try again");
    EXPECT_EQ(shown[5].defaultText, " ");
    EXPECT_TRUE(app->session().YErrorsEntered);
    EXPECT_EQ(Floats(app->store().YErrorsRaw.begin(), app->store().YErrorsRaw.begin() + 3), (Floats{0.5f, 0.25f, 1}));
    EXPECT_FLOAT_EQ(app->store().YSigma[1], 0.25f);
    EXPECT_EQ(cell(data, 1, 2), FormatCell(0.25f));
}

TEST_F(DataScreen, ErrorsOfTheCurrentModeCannotBeEditedButValuesCan) {
    FrmData& data = openDataScreen(Edition::NonLinear, "optErrorMode_0", "10");
    typeIn(data, {"1,10", "2,20", "3,30", "*"});
    scripted.dialogs.clearTranscript();

    data.editCell(0, 2);
    EXPECT_EQ(texts(), QStringList{"Y Error can't be edited in current error mode"});

    scripted.dialogs.type("abc").type("50");
    data.editCell(1, 1);
    const std::vector<DialogRecord>& shown = scripted.dialogs.transcript();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[1].text, "Please edit point.");
    EXPECT_EQ(shown[1].title, "Edit Data");
    EXPECT_EQ(shown[1].defaultText, FormatCell(20.0f));
    EXPECT_EQ(shown[2].text, "Data Entry Error, please try again.");
    EXPECT_EQ(shown[3].defaultText, "abc");
    EXPECT_FLOAT_EQ(app->store().Y[1], 50.0f);
    EXPECT_FLOAT_EQ(app->store().YSigma[1], 5.0f) << "the sigmas follow the edited Y";
    EXPECT_EQ(cell(data, 1, 1), FormatCell(50.0f));

    scripted.dialogs.clearTranscript();
    data.editCell(5, 0);
    EXPECT_TRUE(scripted.dialogs.transcript().empty()) << "rows below the data do nothing";
}

TEST_F(DataScreen, DeletingRowsKeepsEachXErrorWithItsPoint) {
    FrmHome& home = startAtHome(Edition::Linear);
    trigger(home, "mnuXYFit");
    chooseYMode(home, "optErrorMode_2");
    answerModal("optErrorMode_2", "cmdOK");
    click(home, "cmdXMode");
    click(home, "cmdEnterData");
    FrmData& data = *app->loadedAs<FrmData>(ScreenId::Data);
    QByteArray file = "Ada Byron    Pendulum\r\n";
    for (int i = 1; i <= 10; ++i) file += QByteArray::number(i) + " " + QByteArray::number(i / 10.0) + " " +
                                          QByteArray::number(10 * i) + " " + QByteArray::number(i) + "\r\n";
    readFile(data, file, MessageAnswer::Ok);
    ASSERT_EQ(app->store().PointCount, 10);
    ASSERT_EQ(data.model().columnCount(), 4);
    EXPECT_EQ(cell(data, 9, 1), FormatCell(1.0f));
    EXPECT_EQ(cell(data, 9, 3), FormatCell(10.0f));
    EXPECT_TRUE(app->session().DataSaved);
    scripted.dialogs.clearTranscript();

    selectRows(data, 1, 3);
    scripted.dialogs.answer(MessageAnswer::Ok);
    pressKey(data, Qt::Key_Delete);

    ASSERT_EQ(scripted.dialogs.transcript().size(), 1u);
    const DialogRecord& question = scripted.dialogs.transcript()[0];
    EXPECT_EQ(question.text, "Data points  2 to  4 will be deleted");
    EXPECT_EQ(question.title, "Delete");
    EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(app->store().PointCount, 7);
    EXPECT_EQ(storedX(), (Floats{1, 5, 6, 7, 8, 9, 10}));
    EXPECT_FLOAT_EQ(app->store().XErrorsRaw[1], 0.5f);
    EXPECT_FLOAT_EQ(app->store().XSigma[1], 0.5f);
    EXPECT_FLOAT_EQ(app->store().YErrorsRaw[1], 5.0f);
    EXPECT_EQ(cell(data, 1, 1), FormatCell(0.5f));
    EXPECT_EQ(cell(data, 7, 0), "");
    EXPECT_FALSE(app->session().DataSaved);
}

TEST_F(DataScreen, DeleteAsksOnceForAllRowsAndRefusesEmptyRows) {
    FrmData& data = openDataScreen(Edition::NonLinear);
    typeIn(data, {"1,1", "2,2", "3,3", "*"});
    scripted.dialogs.clearTranscript();

    selectRows(data, 0, 0);
    data.grid().selectionModel()->select(
        QItemSelection(data.model().index(2, 0), data.model().index(2, 2)), QItemSelectionModel::Select);
    pressKey(data, Qt::Key_Delete);
    selectRows(data, 2, 3);
    pressKey(data, Qt::Key_Delete);
    selectRows(data, 1, 1);
    scripted.dialogs.answer(MessageAnswer::Cancel);
    pressKey(data, Qt::Key_Delete);
    EXPECT_EQ(texts(), (QStringList{"Please select only one group of rows to delete",
                                    "At least one empty row is selected.  Please try again.",
                                    "Data point  2 will be deleted"}));
    EXPECT_EQ(app->store().PointCount, 3);

    scripted.dialogs.clearTranscript();
    selectRows(data, 0, 2);
    scripted.dialogs.answer(MessageAnswer::Ok);
    pressKey(data, Qt::Key_Delete);
    EXPECT_EQ(texts(), QStringList{"All data will be deleted"});
    EXPECT_FALSE(app->session().DataInProgram);
    EXPECT_TRUE(child<QPushButton>(data, "cmdEnterData")->isEnabled());
    EXPECT_EQ(cell(data, 0, 0), "");
}

TEST_F(DataScreen, SwitchingXAndYTwiceGivesBackThePoints) {
    FrmData& data = openDataScreen(Edition::NonLinear, "optErrorMode_0", "10");
    typeIn(data, {"1,10", "2,20", "3,40", "*"});
    click(data, "cmdSwitchXY");
    EXPECT_EQ(storedX(), (Floats{10, 20, 40}));
    EXPECT_EQ(storedY(), (Floats{1, 2, 3}));
    EXPECT_FLOAT_EQ(app->store().YSigma[2], 0.3f) << "the sigmas follow the new Y";
    EXPECT_EQ(cell(data, 2, 0), FormatCell(40.0f));
    click(data, "cmdSwitchXY");
    EXPECT_EQ(storedX(), (Floats{1, 2, 3}));
    EXPECT_EQ(storedY(), (Floats{10, 20, 40}));
    EXPECT_FLOAT_EQ(app->store().YSigma[2], 4.0f);
}

TEST_F(DataScreen, ClearDataKeepsTheErrorModes) {
    FrmData& data = openDataScreen(Edition::Linear, "optErrorMode_1", "0.5");
    typeIn(data, {"1,1", "2,2", "3,3", "*"});
    scripted.dialogs.answer(MessageAnswer::Ok); // the typed points were never saved
    click(data, "cmdClearData");
    EXPECT_FALSE(app->session().DataInProgram);
    EXPECT_EQ(app->store().PointCount, 0);
    EXPECT_EQ(data.windowTitle(), "Tessaly -- Data Screen [Untitled] ");
    EXPECT_TRUE(child<QPushButton>(data, "cmdEnterData")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(data, "cmdSaveData")->isEnabled());
    EXPECT_EQ(app->store().YErrorSub, YSubConstant);

    typeIn(data, {"4,8", "5,10", "6,12", nullptr});
    EXPECT_EQ(app->store().PointCount, 3) << "Cancel with 3 points finishes the entry";
    EXPECT_FLOAT_EQ(app->store().YSigma[0], 0.5f);
    EXPECT_EQ(cell(data, 0, 2), FormatCell(0.5f));
}

TEST_F(DataScreen, FourColumnFilesAreReadOnlyAfterTheQuestion) {
    FrmData& data = openDataScreen(Edition::Linear);
    readFile(data, "1 0.1 2 0.2\r\n2 0.1 4 0.2\r\n3 0.1 6 0.2\r\n", MessageAnswer::Cancel);
    ASSERT_FALSE(scripted.dialogs.transcript().empty());
    const DialogRecord& question = scripted.dialogs.transcript().back();
    EXPECT_EQ(question.title, "Four column data file");
    EXPECT_TRUE(question.text.startsWith("The data file appears to contain four columns."));
    EXPECT_FALSE(app->session().DataInProgram);
    EXPECT_EQ(data.windowTitle(), "Tessaly -- Data Screen [Untitled] ");
    EXPECT_TRUE(child<QPushButton>(data, "cmdEnterData")->isEnabled());

    readFile(data, "1 0.1 2 0.2\r\n2 0.1 4 0.2\r\n3 0.1 6 0.2\r\n", MessageAnswer::Ok);
    EXPECT_TRUE(app->session().DataInProgram);
    EXPECT_TRUE(app->session().XErrorsEntered);
    EXPECT_EQ(data.windowTitle(), "Tessaly -- Data Screen [" + folder.filePath("in.dat") + "] ");
    EXPECT_FALSE(child<QPushButton>(data, "cmdEnterData")->isEnabled());
}

TEST_F(DataScreen, IndividualModeWithoutErrorsAsksForThemWhenTheScreenOpens) {
    FrmData& data = openDataScreen(Edition::NonLinear);
    readFile(data, "1 2\r\n2 4\r\n3 6\r\n");
    click(data, "cmdContinue");
    FrmHome& home = *app->loadedAs<FrmHome>(ScreenId::Home);
    chooseYMode(home, "optErrorMode_2");
    EXPECT_EQ(lastText(), "You will need to enter your Y Errors on the Data Screen");
    click(home, "cmdEnterData");
    EXPECT_EQ(lastText(), "Y Error Mode is set to individual errors for each point \r\nbut those errors have not yet "
                          "been entered.  Please \r\neither enter them here, or enter them on the spreadsheet, "
                          "\r\nmove them to the Data Screen.");
    EXPECT_EQ(cell(data, 0, 2), "") << "individual errors not entered are not shown";
}

TEST_F(DataScreen, SaveWritesTheFileAndNamesTheScreenAfterIt) {
    FrmData& data = openDataScreen(Edition::NonLinear);
    typeIn(data, {"1,1", "2,2", "3,3", "*"});
    const QString path = folder.filePath("typed.dat");
    scripted.dialogs.chooseFile(path);
    click(data, "cmdSaveData");
    EXPECT_TRUE(app->session().DataSaved);
    EXPECT_EQ(data.windowTitle(), "Quorvex -- Data Screen [" + path + "] ");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("Ada Byron    Pendulum\r\n"));

    click(data, "cmdContinue");
    EXPECT_EQ(text(*app->loadedAs<FrmHome>(ScreenId::Home), "lblSaveData"), "Data in program saved");
}

TEST_F(DataScreen, WindowMenuLeadsOnlyToScreensOfThisBuild) {
    FrmData& data = openDataScreen(Edition::NonLinear);
    EXPECT_TRUE(child<QAction>(data, "mnuWinHome")->isEnabled());
    for (const char* entry : {"mnuWinSpread", "mnuWinPGPlot", "mnuWinFit"})
        EXPECT_FALSE(child<QAction>(data, entry)->isEnabled()) << entry;
    QTest::mouseClick(data.centralWidget(), Qt::RightButton, Qt::ShiftModifier, QPoint(2, 2));
    EXPECT_FALSE(app->session().Advanced);
    EXPECT_FALSE(child<QAction>(data, "mnuWinPGPlot")->isVisible());
    trigger(data, "mnuWinHome");
    EXPECT_TRUE(app->loaded(ScreenId::Home)->isVisible());
    EXPECT_FALSE(data.isVisible());
}

TEST_F(DataScreen, EditButtonExplainsEditingAndDeleting) {
    FrmData& data = openDataScreen(Edition::Linear);
    click(data, "cmdEdit");
    EXPECT_EQ(texts(), QStringList{"To edit a cell, double click on it.\r\n\r\nTo delete a data point, select the point "
                                   "by clicking on the point number in the grey region to the left of the X column and "
                                   "press the keyboard Delete key.  You may select multiple contiguous points by "
                                   "dragging the mouse along the point numbers."});
}

TEST_F(DataScreen, EndKeyMovesToTheLastDataColumn) {
    FrmData& data = openDataScreen(Edition::NonLinear);
    typeIn(data, {"1,1", "2,2", "3,3", "*"});
    data.grid().setCurrentIndex(data.model().index(1, 0));
    pressKey(data, Qt::Key_End);
    EXPECT_EQ(data.grid().currentIndex().column(), 2);
    EXPECT_EQ(data.grid().currentIndex().row(), 1);
}

TEST_F(DataScreen, ClearDataAsksFirstWhenThePointsAreNotSaved) {
    FrmData& data = openDataScreen(Edition::NonLinear);
    typeIn(data, {"1,1", "2,2", "3,3", "*"});
    scripted.dialogs.clearTranscript();
    scripted.dialogs.answer(MessageAnswer::Cancel);
    click(data, "cmdClearData");
    ASSERT_EQ(scripted.dialogs.transcript().size(), 1u);
    const DialogRecord& question = scripted.dialogs.transcript()[0];
    EXPECT_EQ(question.text,
              "The data in the program have not been saved to a file.\r\nOK clears them for good; "
              "Cancel keeps them.");
    EXPECT_EQ(question.title, "Clear Data in Program");
    EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(app->session().DataInProgram) << "Cancel keeps the points";
    EXPECT_EQ(app->store().PointCount, 3);
    EXPECT_EQ(cell(data, 2, 1), FormatCell(3.0f));

    scripted.dialogs.answer(MessageAnswer::Ok);
    click(data, "cmdClearData");
    EXPECT_FALSE(app->session().DataInProgram);

    // Points as they are in a file go with one click, as before.
    readFile(data, "1 2\r\n2 4\r\n3 6\r\n");
    scripted.dialogs.clearTranscript();
    click(data, "cmdClearData");
    EXPECT_TRUE(scripted.dialogs.transcript().empty());
    EXPECT_FALSE(app->session().DataInProgram);
}

// The scene of a file overwritten with other data: every screen names the data set in the program.
TEST_F(DataScreen, EveryScreenNamesAndSavesTheDataInTheProgram) {
    FrmData& data = openDataScreen(Edition::NonLinear);
    const QByteArray decayContents = "1 10\r\n2 5\r\n3 2.5\r\n";
    const QString decay = writeFile("decay.dat", decayContents);
    const QString fall = writeFile("fall.dat", "0.1 0.05\r\n0.2 0.2\r\n0.3 0.44\r\n");
    openFile(data, decay);
    click(data, "cmdContinue");
    FrmHome& home = *app->loadedAs<FrmHome>(ScreenId::Home);
    EXPECT_EQ(home.windowTitle(), "Quorvex -- Home Screen [" + decay + "] ");

    click(home, "cmdEnterData");
    click(data, "cmdClearData");
    EXPECT_EQ(data.windowTitle(), "Quorvex -- Data Screen [Untitled] ");
    openFile(data, fall);
    click(data, "cmdSwitchXY");
    click(data, "cmdSwitchXY");
    trigger(data, "mnuWinHome");
    EXPECT_EQ(home.windowTitle(), "Quorvex -- Home Screen [" + fall + "] ");

    scripted.dialogs.clearTranscript();
    scripted.dialogs.answer(MessageAnswer::Yes).chooseFile(fall);
    click(home, "cmdQuit");
    ASSERT_EQ(scripted.dialogs.transcript().size(), 2u);
    EXPECT_EQ(scripted.dialogs.transcript()[0].text,
              "Save changes in Data file \r\n" + fall + " before quitting?");
    EXPECT_EQ(scripted.dialogs.transcript()[1].defaultText, fall)
        << "the save offers the file the data came from";
    EXPECT_TRUE(app->hasEnded());
    QFile kept(decay);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), decayContents);
}

TEST_F(DataScreen, SavingFromTheHomeScreenRenamesTheDataOnTheDataScreen) {
    FrmData& data = openDataScreen(Edition::Linear);
    typeIn(data, {"1,1", "2,2", "3,3", "*"});
    click(data, "cmdContinue");
    FrmHome& home = *app->loadedAs<FrmHome>(ScreenId::Home);
    const QString path = folder.filePath("typed.dat");
    scripted.dialogs.chooseFile(path);
    click(home, "cmdSaveData");
    EXPECT_EQ(home.windowTitle(), "Tessaly -- Home Screen [" + path + "] ");
    click(home, "cmdEnterData");
    EXPECT_EQ(data.windowTitle(), "Tessaly -- Data Screen [" + path + "] ");
}

const QString UnreadableOpening =
    "Error in reading data file, please check file.\r\n\r\nOne can sometimes find the "
    "source of file errors \r\nby opening the file in the spreadsheet for inspection."
    "\r\n\r\n";

TEST_F(DataScreen, AnUnreadableFileIsNamedByItsFirstBadLine) {
    const struct {
        const char* name;
        QByteArray contents;
        QString where;
    } cases[] = {
        {"a bad number", "Run 3\r\n1 2\r\n2 x4\r\n3 6\r\n", "Line 3 of the file cannot be read:\r\n2 x4"},
        {"unprintable bytes", QByteArray("1 2\r\n2 4\r\n\x01\x1b[2Jzz\r\n"),
         "Line 3 of the file cannot be read:\r\n??[2Jzz"},
    };
    FrmData& data = openDataScreen(Edition::NonLinear);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        scripted.dialogs.clearTranscript();
        readFile(data, c.contents);
        EXPECT_EQ(lastText(), UnreadableOpening + c.where);
        EXPECT_FALSE(app->session().DataInProgram);
        EXPECT_EQ(data.windowTitle(), "Quorvex -- Data Screen [Untitled] ");
    }
}

TEST_F(DataScreen, AHugeFileIsRefusedWithoutReadingIt) {
    FrmData& data = openDataScreen(Edition::NonLinear);
    const QString path = folder.filePath("disk.img");
    {
        QFile huge(path);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(qint64(1) << 30)); // sparse: no block is written
    }
    scripted.dialogs.clearTranscript();
    const qint64 before = testing_files::BytesReadByThisThread();
    ASSERT_GE(before, 0);
    openFile(data, path);
    EXPECT_LT(testing_files::BytesReadByThisThread() - before, qint64(1) << 20);
    EXPECT_EQ(lastText(),
              "The file\r\n" + path +
                  "\r\nis 1024 MB long, far longer than a data file of at most "
                  "16000 points\r\ncan be.  Nothing was read; please check that this is the file you meant.");
    EXPECT_EQ(scripted.dialogs.transcript().back().title, "File Open Error");
    EXPECT_FALSE(app->session().DataInProgram);
    EXPECT_TRUE(child<QPushButton>(data, "cmdEnterData")->isEnabled());
}

TEST_F(DataScreen, EnterF2AndTypingEditACellAsADoubleClickDoes) {
    // Each row edits Y of point 2, which the row before left at its answer.
    const struct {
        const char* name;
        std::function<void(QWidget&)> press;
        QString offered, answer;
    } cases[] = {
        {"Enter", [](QWidget& grid) { QTest::keyClick(&grid, Qt::Key_Return); }, FormatCell(20.0f), "21"},
        {"F2", [](QWidget& grid) { QTest::keyClick(&grid, Qt::Key_F2); }, FormatCell(21.0f), "22"},
        {"typing", [](QWidget& grid) { QTest::keyClicks(&grid, "7"); }, "7", "7"},
    };
    FrmData& data = openDataScreen(Edition::NonLinear);
    typeIn(data, {"1,10", "2,20", "3,30", "*"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        data.grid().setCurrentIndex(data.model().index(1, 1));
        scripted.dialogs.clearTranscript();
        scripted.dialogs.type(c.answer);
        c.press(data.grid());
        ASSERT_EQ(scripted.dialogs.transcript().size(), 1u);
        EXPECT_EQ(scripted.dialogs.transcript()[0].text, "Please edit point.");
        EXPECT_EQ(scripted.dialogs.transcript()[0].defaultText, c.offered);
        EXPECT_FLOAT_EQ(app->store().Y[1], c.answer.toFloat());
    }
}

} // namespace
} // namespace frontend
