#include "data/data_file.h"

#include "platform/scripted_services.h"
#include "session/store.h"
#include "test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <bit>
#include <gtest/gtest.h>
#include <qstring_printer.h>
#include <random>

namespace frontend {
namespace {

using testing_files::FileSizeLimit;
using testing_files::ReadBytes;
using testing_files::WriteBytes;

const QString Unreadable = "Error in reading data file, please check file.\r\n\r\nOne can sometimes find the source "
                           "of file errors \r\nby opening the file in the spreadsheet for inspection.";
const QString FourColumns =
    "The data file appears to contain four columns.\r\nTessaly/Quorvex will assume that Column 1 contains "
    "X,\r\nColumn 2 contains X errors, Column 3 contains Y, and\r\nColumn 4 contains Y errors.\r\n\r\nIf this "
    "assumption is incorrect, you may wish to open\r\nthis file in the spreadsheet and transfer the data "
    "to\r\nscreen in the correct order.";
const QString NonPositiveY =
    "At least one Y Error value in this data file is <= zero or possibly missing.  The program divides by these "
    "values in order to find the reduced chi-squared value--hence all Y Errors must positive--zero values are not "
    "allowed, and negative errors make no sense.  Please either edit your data or reset the error type before "
    "trying to do a fit.";

class DataFiles : public testing::Test {
protected:
    DataFiles() {
        StartUp(session, store, "/opt/fit");
        session.Edition = "NON";
        dialogs.setProductWord("Quorvex");
    }

    QString path(const char* name) const { return folder.filePath(name); }

    ReadOutcome read(const QByteArray& contents) {
        WriteBytes(path("in.dat"), contents);
        return ReadDataFile(session, store, dialogs, path("in.dat"), working);
    }

    void setYMode(std::int16_t kind, std::int16_t sub, float value) {
        bool byDialog = true;
        StoreYMode(store, kind, sub, value, IntoStore, byDialog);
        session.YModeSet = true;
    }

    void setXMode(std::int16_t mode, float value) {
        bool byDialog = true;
        StoreXMode(store, mode, value, IntoStore, byDialog);
        session.XModeSet = session.XErrorsAllowed = true;
    }

    // Puts n points into the store as the data screen would, with raw errors as the flags say.
    void putPoints(const Floats& x, const Floats& y, const Floats& yErr, const Floats& xErr) {
        std::int16_t n = static_cast<std::int16_t>(x.size());
        std::int16_t capacity = std::max<std::int16_t>(100, n);
        Floats xs = x, ys = y, sigma(x.size(), 1.0f), ye = yErr, xe = xErr;
        StorePointCount(store, n, IntoStore);
        StoreCapacity(store, capacity, IntoStore);
        StorePoints(store, xs, ys, sigma, capacity, IntoStore);
        StoreYErrorsRaw(store, ye, capacity, IntoStore);
        StoreXErrorsRaw(store, xe, capacity, IntoStore);
        session.DataInProgram = true;
        session.YErrorsEntered = !yErr.empty();
        session.XErrorsEntered = !xErr.empty();
    }

    Floats first(const Floats& v, std::size_t n) const { return Floats(v.begin(), v.begin() + static_cast<long>(n)); }

    QTemporaryDir folder;
    Session session;
    DataStore store;
    ScriptedDialogs dialogs;
    PointArrays working;
};

TEST(DataFileDialogs, OpenOffersAllFilesFirstAndSaveOffersDataFilesFirst) {
    const FileDialogRequest open = OpenDataFileRequest();
    EXPECT_EQ(open.filter, "All Files (*.*)|*.*|Data Files (*.dat)|*.dat");
    EXPECT_EQ(open.filterIndex, 1);
    EXPECT_EQ(open.flags, unsigned(HideReadOnly | PathMustExist | FileMustExist));
    const FileDialogRequest save = SaveDataFileRequest("run1.dat");
    EXPECT_EQ(save.filter, "Data Files (*.dat)|*.dat|All Files (*.*)|*.*");
    EXPECT_EQ(save.fileName, "run1.dat");
    EXPECT_EQ(save.flags, unsigned(PromptBeforeOverwrite | HideReadOnly | PathMustExist));
}

TEST_F(DataFiles, AnEmptyFileIsNotOpenedAndChangesNothing) {
    EXPECT_EQ(read(""), ReadOutcome::OpenFailed);
    ASSERT_EQ(dialogs.transcript().size(), 1u);
    EXPECT_EQ(dialogs.transcript()[0].text, "File Does Not Exist");
    EXPECT_EQ(dialogs.transcript()[0].title, "File Open Error");
    EXPECT_EQ(dialogs.transcript()[0].icon, MessageIcon::Information);
    EXPECT_FALSE(session.DataInProgram);
}

TEST_F(DataFiles, ATitleLineIsSkippedAndTwoNumbersPerLineAreXAndY) {
    EXPECT_EQ(read("A. Student    Pendulum\r\n1 2\r\n3, 4\r\n5\t6\r\n"), ReadOutcome::Read);
    EXPECT_TRUE(dialogs.transcript().empty());
    EXPECT_EQ(store.PointCount, 3);
    EXPECT_EQ(store.Capacity, 100);
    EXPECT_EQ(first(store.X, 3), (Floats{1, 3, 5}));
    EXPECT_EQ(first(store.Y, 3), (Floats{2, 4, 6}));
    EXPECT_EQ(working.count, 3);
    EXPECT_EQ(working.x, store.X);
    EXPECT_TRUE(session.DataInProgram && session.DataSaved);
    EXPECT_FALSE(session.YErrorsEntered || session.XErrorsEntered);
}

TEST_F(DataFiles, NumbersOnTheFirstLineAreData) {
    EXPECT_EQ(read("1 2\n3 4\n"), ReadOutcome::Read);
    EXPECT_EQ(store.PointCount, 2);
    EXPECT_EQ(store.X[0], 1.0f);
}

TEST_F(DataFiles, ABlankLineEndsTheDataAndWhatFollowsIsIgnored) {
    for (const QByteArray& text : {QByteArray("1 2\r\n3 4\r\n\r\nnot data\r\n7 8\r\n"),
                                   QByteArray("1 2\r\n3 4\r\n   \r\n\r\n"), QByteArray("1 2\n3 4\n\n\n\n")}) {
        EXPECT_EQ(read(text), ReadOutcome::Read) << text.constData();
        EXPECT_EQ(store.PointCount, 2);
    }
    EXPECT_TRUE(dialogs.transcript().empty());
}

TEST_F(DataFiles, RunsOfSeparatorsCountAsOne) {
    EXPECT_EQ(read("1, 2\n3 ,\t4\n  5,,6  \n"), ReadOutcome::Read);
    EXPECT_EQ(store.PointCount, 3);
    EXPECT_EQ(first(store.Y, 3), (Floats{2, 4, 6}));
}

TEST_F(DataFiles, AnUnreadableLineAfterTheFirstEmptiesTheDataWithTheMessage) {
    // The message goes on to say where the trouble is.
    const struct {
        const char* name;
        QByteArray text;
        QString where;
    } cases[] = {
        {"blank line between title and data", "title\r\n\r\n1 2\r\n", "Line 2 of the file is empty."},
        {"a word among the data", "1 2\r\n3 x\r\n5 6\r\n", "Line 2 of the file cannot be read:\r\n3 x"},
        {"one field", "1 2\r\n3\r\n", "Line 2 of the file cannot be read:\r\n3"},
        {"five fields", "1 2\r\n1 2 3 4 5\r\n", "Line 2 of the file cannot be read:\r\n1 2 3 4 5"},
        {"a different number of fields", "1 2 0.1\r\n3 4\r\n", "Line 2 of the file cannot be read:\r\n3 4"},
        {"an unreadable last line", "1 2\r\n3 4\r\n5 6 x", "Line 3 of the file cannot be read:\r\n5 6 x"},
        {"a title and nothing else", "Pendulum\r\n", "The file holds no data line after its title line."},
        {"a field longer than a number field", "1 2\r\n3 " + QByteArray(60, '4') + "\r\n",
         "Line 2 of the file cannot be read:\r\n3 " + QString(58, u'4') + "..."},
    };
    for (const auto& c : cases) {
        putPoints({1, 2, 3}, {1, 2, 3}, {}, {});
        dialogs.clearTranscript();
        EXPECT_EQ(read(c.text), ReadOutcome::Unreadable) << c.name;
        EXPECT_EQ(dialogs.texts(), QStringList{Unreadable + "\r\n\r\n" + c.where}) << c.name;
        EXPECT_EQ(store.PointCount, 0);
        EXPECT_TRUE(store.X.empty() && store.YErrorsRaw.empty());
        EXPECT_FALSE(session.DataInProgram);
        EXPECT_EQ(working.count, 0);
    }
}

TEST_F(DataFiles, FourColumnsAreAskedAboutOnceAndCancelStoresNothing) {
    const QByteArray text = "1 0.1 2 0.2\n3 0.3 4 0.4\n";
    dialogs.answer(MessageAnswer::Cancel);
    EXPECT_EQ(read(text), ReadOutcome::Cancelled);
    EXPECT_FALSE(session.DataInProgram);
    EXPECT_EQ(store.PointCount, 0);

    dialogs.clearTranscript();
    dialogs.answer(MessageAnswer::Ok);
    EXPECT_EQ(read(text), ReadOutcome::Read);
    ASSERT_EQ(dialogs.transcript().size(), 1u);
    EXPECT_EQ(dialogs.transcript()[0].text, FourColumns);
    EXPECT_EQ(dialogs.transcript()[0].title, "Four column data file");
    EXPECT_EQ(dialogs.transcript()[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.transcript()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(first(store.X, 2), (Floats{1, 3}));
    EXPECT_EQ(first(store.XErrorsRaw, 2), (Floats{0.1f, 0.3f}));
    EXPECT_EQ(first(store.Y, 2), (Floats{2, 4}));
    EXPECT_EQ(first(store.YErrorsRaw, 2), (Floats{0.2f, 0.4f}));
    EXPECT_TRUE(session.YErrorsEntered && session.XErrorsEntered);
}

TEST_F(DataFiles, TheStoredErrorModesGiveTheSigmas) {
    setYMode(YKindGiven, YSubPercentage, 0.05f);
    EXPECT_EQ(read("1 10\n2 -20\n"), ReadOutcome::Read);
    EXPECT_EQ(first(store.YSigma, 2), (Floats{0.5f, -1.0f})); // the sign of Y is kept...
    EXPECT_EQ(dialogs.texts(), QStringList{NonPositiveY});     // ...and reported

    dialogs.clearTranscript();
    setYMode(YKindGiven, YSubIndividual, 0);
    EXPECT_EQ(read("1 10 0.5\n2 20 0.25\n"), ReadOutcome::Read);
    EXPECT_EQ(first(store.YSigma, 2), (Floats{0.5f, 0.25f}));
    EXPECT_TRUE(dialogs.transcript().empty());

    // Individual Y errors from a two-column file are all missing: reported once.
    EXPECT_EQ(read("1 10\n2 20\n3 30\n"), ReadOutcome::Read);
    EXPECT_EQ(dialogs.texts(), QStringList{NonPositiveY});
    EXPECT_EQ(first(store.YSigma, 3), (Floats{0, 0, 0}));
}

TEST_F(DataFiles, WithXErrorsTheXModeGivesTheXSigmas) {
    setYMode(YKindGiven, YSubConstant, 0.5f);
    setXMode(XModePercentage, 0.1f);
    EXPECT_EQ(read("10 1\n20 2\n"), ReadOutcome::Read);
    EXPECT_EQ(first(store.XSigma, 2), (Floats{1.0f, 2.0f}));
    EXPECT_EQ(first(store.YSigma, 2), (Floats{0.5f, 0.5f}));

    setXMode(XModeIndividual, 0);
    dialogs.answer(MessageAnswer::Ok);
    EXPECT_EQ(read("10 0.5 1 0.1\n20 0 2 0.2\n"), ReadOutcome::Read);
    EXPECT_EQ(first(store.XSigma, 2), (Floats{0.5f, 0.0f}));
    EXPECT_EQ(dialogs.texts().back(), QString(NonPositiveY).replace("Y Error", "X Error"));
}

TEST_F(DataFiles, AtMost16000PointsAreRead) {
    QByteArray text = "title\r\n";
    for (int i = 0; i < MaxPoints; ++i) text += QByteArray::number(i) + " " + QByteArray::number(i * 2) + "\r\n";
    EXPECT_EQ(read(text), ReadOutcome::Read);
    EXPECT_EQ(store.PointCount, MaxPoints);
    EXPECT_EQ(store.Capacity, MaxPoints);
    EXPECT_EQ(store.Y[MaxPoints - 1], static_cast<float>(2 * (MaxPoints - 1)));

    ClearAllData(session, store, working);
    text += "1 2\r\n";
    EXPECT_EQ(read(text), ReadOutcome::TooManyPoints);
    EXPECT_EQ(dialogs.transcript().back().title, "File Open Error");
    EXPECT_TRUE(dialogs.transcript().back().text.contains("maximum number is 16000"));
    EXPECT_FALSE(session.DataInProgram);
    EXPECT_EQ(store.PointCount, 0);
}

TEST_F(DataFiles, SavingWritesTheTitleOnlyWhenThereIsOneAndEndsEveryLineWithCrLf) {
    putPoints({1, 2}, {3, 4}, {}, {});
    EXPECT_TRUE(SaveDataFile(session, store, dialogs, path("out.dat")));
    EXPECT_EQ(ReadBytes(path("out.dat")), "1 3\r\n2 4\r\n");
    EXPECT_TRUE(session.DataSaved);

    session.Names = "  A. Student ";
    session.Experiment = " Pendulum ";
    EXPECT_TRUE(SaveDataFile(session, store, dialogs, path("out.dat")));
    EXPECT_EQ(ReadBytes(path("out.dat")), "A. Student    Pendulum\r\n1 3\r\n2 4\r\n");
    session.Names.clear();
    EXPECT_TRUE(SaveDataFile(session, store, dialogs, path("out.dat")));
    EXPECT_EQ(ReadBytes(path("out.dat")).left(10), "Pendulum\r\n");
    EXPECT_TRUE(dialogs.transcript().empty());
}

TEST_F(DataFiles, SavingOnlyXErrorsWarnsAndWritesZeroYErrorsThatReadBackAsMissing) {
    putPoints({1, 2, 3}, {3, 4, 5}, {}, {0.1f, 0.2f, 0.3f});
    EXPECT_TRUE(SaveDataFile(session, store, dialogs, path("x.dat")));
    ASSERT_EQ(dialogs.transcript().size(), 1u);
    EXPECT_EQ(dialogs.transcript()[0].text,
              "The program currently contains separate X errors for\r\neach data point.  The Y errors use a "
              "different error mode.\r\n\r\nTo avoid ambiguity in reading this data file later, \r\nQuorvex will "
              "save the data in a four column format, placing \r\nzeros in the fourth column.");
    EXPECT_EQ(dialogs.transcript()[0].title, "Quorvex");
    EXPECT_EQ(ReadBytes(path("x.dat")), "1 0.1 3 0\r\n2 0.2 4 0\r\n3 0.3 5 0\r\n");

    ClearAllData(session, store, working);
    setYMode(YKindGiven, YSubIndividual, 0);
    dialogs.clearTranscript();
    dialogs.answer(MessageAnswer::Ok);
    EXPECT_EQ(ReadDataFile(session, store, dialogs, path("x.dat"), working), ReadOutcome::Read);
    EXPECT_EQ(dialogs.texts(), (QStringList{FourColumns, NonPositiveY}));
    EXPECT_EQ(first(store.YErrorsRaw, 3), (Floats{0, 0, 0}));
}

// Floats with every kind of bit pattern a measurement can have: tiny, huge, negative, long mantissas.
Floats RandomValues(std::mt19937& random, std::size_t n) {
    std::uniform_int_distribution<std::uint32_t> bits;
    Floats values;
    while (values.size() < n) {
        const float v = std::bit_cast<float>(bits(random));
        if (std::isfinite(v)) values.push_back(v);
    }
    return values;
}

TEST_F(DataFiles, SaveAndReadRoundTripKeepsEveryValueExactly) {
    std::mt19937 random(6);
    for (int columns : {2, 3, 4}) {
        const std::size_t n = 500;
        const Floats x = RandomValues(random, n), y = RandomValues(random, n);
        const Floats yErr = columns >= 3 ? RandomValues(random, n) : Floats{};
        const Floats xErr = columns == 4 ? RandomValues(random, n) : Floats{};
        ClearAllData(session, store, working);
        putPoints(x, y, yErr, xErr);
        session.Names = "Round trip";
        ASSERT_TRUE(SaveDataFile(session, store, dialogs, path("rt.dat")));

        ClearAllData(session, store, working);
        if (columns == 4) dialogs.answer(MessageAnswer::Ok);
        ASSERT_EQ(ReadDataFile(session, store, dialogs, path("rt.dat"), working), ReadOutcome::Read) << columns;
        ASSERT_EQ(store.PointCount, static_cast<std::int16_t>(n));
        const auto same = [](const Floats& a, const Floats& b) {
            for (std::size_t i = 0; i < b.size(); ++i)
                if (std::bit_cast<std::uint32_t>(a[i]) != std::bit_cast<std::uint32_t>(b[i])) return false;
            return true;
        };
        EXPECT_TRUE(same(store.X, x)) << columns;
        EXPECT_TRUE(same(store.Y, y)) << columns;
        if (columns >= 3) {
            EXPECT_TRUE(same(store.YErrorsRaw, yErr)) << columns;
        }
        if (columns == 4) {
            EXPECT_TRUE(same(store.XErrorsRaw, xErr)) << columns;
        }
        EXPECT_EQ(session.YErrorsEntered, columns >= 3);
        EXPECT_EQ(session.XErrorsEntered, columns == 4);
    }
}

TEST_F(DataFiles, AFailedSaveKeepsTheOldFileAndDataSavedAndSaysFileSaveError) {
    WriteBytes(path("keep.dat"), "old\r\n");
    Floats x(3000, 1.25f);
    putPoints(x, x, {}, {});
    session.DataSaved = false;
    {
        const FileSizeLimit diskFull(2048);
        EXPECT_FALSE(SaveDataFile(session, store, dialogs, path("keep.dat")));
    }
    EXPECT_EQ(ReadBytes(path("keep.dat")), "old\r\n");
    EXPECT_FALSE(session.DataSaved);
    ASSERT_EQ(dialogs.transcript().size(), 1u);
    EXPECT_EQ(dialogs.transcript()[0].title, "File Save Error");
    EXPECT_EQ(dialogs.transcript()[0].icon, MessageIcon::Information);
    EXPECT_TRUE(dialogs.transcript()[0].text.startsWith("Error Number  61 Disk full"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.dat"});
}

TEST_F(DataFiles, RandomFilesGiveADataSetOrOneOfTheKnownMessages) {
    std::mt19937 random(1234);
    const QStringList known = {Unreadable, FourColumns, NonPositiveY, "File Does Not Exist"};
    const char* pieces[] = {"1", "-2.5", "3e4", "1E-45", ".5", "7.", "x", "+", "1e99", "0",
                            " ", ",", "\t", ", ", "\r\n", "\n", "\r", "", "\x01", "\xff"};
    std::uniform_int_distribution<int> piece(0, std::size(pieces) - 1), length(0, 200), byte(0, 255), kind(0, 1);
    setYMode(YKindGiven, YSubPercentage, 0.05f);
    for (int round = 0; round < 1500; ++round) {
        QByteArray text;
        const int n = length(random);
        for (int i = 0; i < n; ++i) {
            if (kind(random)) text += pieces[piece(random)];
            else text += static_cast<char>(byte(random));
        }
        ScriptedDialogs answers;
        answers.answer(MessageAnswer::Ok);
        WriteBytes(path("fuzz.dat"), text);
        const ReadOutcome outcome = ReadDataFile(session, store, answers, path("fuzz.dat"), working);
        for (const QString& shown : answers.texts())
            ASSERT_TRUE(known.contains(shown) || shown.startsWith(Unreadable + "\r\n\r\n"))
                << shown.toStdString() << " for " << text.toHex().constData();
        if (outcome == ReadOutcome::Read) {
            ASSERT_GE(store.PointCount, 1);
            ASSERT_LE(store.PointCount, store.Capacity);
            ASSERT_EQ(store.X.size(), static_cast<std::size_t>(store.Capacity));
            ASSERT_TRUE(session.DataInProgram);
        } else {
            ASSERT_TRUE(outcome == ReadOutcome::Unreadable || outcome == ReadOutcome::OpenFailed)
                << static_cast<int>(outcome);
            ASSERT_FALSE(answers.texts().isEmpty());
            ASSERT_FALSE(session.DataInProgram);
        }
        ClearAllData(session, store, working);
    }
}

} // namespace
} // namespace frontend
