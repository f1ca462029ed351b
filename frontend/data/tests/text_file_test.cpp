#include "data/text_file.h"

#include "test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <qstring_printer.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace frontend {
namespace {

using testing_files::BytesReadByThisThread;
using testing_files::FileSizeLimit;
using testing_files::ReadBytes;
using testing_files::WriteBytes;

QStringList LinesOf(const TextFile& file) {
    QStringList lines;
    for (std::int32_t i = 1; i <= file.Lines(); ++i) lines << file.MyLine(i);
    return lines;
}

struct SplitCase {
    const char* name;
    QByteArray text;
    QStringList lines;
};

TEST(TextFileProcessData, SplitsAtEveryKindOfBreakAndBlocksNeverCutALine) {
    const SplitCase cases[] = {
        {"crlf", "1 2\r\n3 4\r\n", {"1 2", "3 4"}},
        {"lf", "1 2\n3 4\n", {"1 2", "3 4"}},
        {"cr", "1 2\r3 4\r", {"1 2", "3 4"}},
        {"no break at the end", "1 2\r\n3 4", {"1 2", "3 4"}},
        {"mixed breaks", "a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"two breaks give an empty line", "a\r\n\r\nb\n\nc", {"a", "", "b", "", "c"}},
        {"lf then cr is two breaks", "a\n\rb", {"a", "", "b"}},
        {"starts with a break", "\r\nx", {"", "x"}},
        {"only a break", "\n", {""}},
    };
    for (const SplitCase& c : cases) {
        TextFile whole;
        whole.ProcessData(c.text);
        EXPECT_EQ(LinesOf(whole), c.lines) << c.name;

        TextFile byteByByte;
        for (qsizetype i = 0; i < c.text.size(); ++i) byteByByte.ProcessData(c.text.mid(i, 1));
        EXPECT_EQ(LinesOf(byteByByte), c.lines) << c.name << ", one byte per block";
    }
}

TEST(TextFileMyLine, OutOfRangeReadsEmptyAndWritesStripOneLineFeedThenOneCarriageReturn) {
    TextFile file;
    file.CreateNew(2);
    EXPECT_EQ(file.Lines(), 2);
    EXPECT_EQ(file.MyLine(0), "");
    EXPECT_EQ(file.MyLine(3), "");
    EXPECT_TRUE(file.SetMyLine(1, "a\r\n"));
    EXPECT_TRUE(file.SetMyLine(2, "b\n\n"));
    EXPECT_EQ(LinesOf(file), (QStringList{"a", "b\n"}));
    EXPECT_FALSE(file.SetMyLine(3, "c"));
    EXPECT_EQ(file.Lines(), 2);

    file.CreateNew(-1);
    EXPECT_EQ(file.ErrorNum, TextFile::ErrorCreateFailed);
    EXPECT_FALSE(file.ErrorMsg.isEmpty());
    file.CreateNew(0);
    EXPECT_EQ(file.ErrorNum, 0);
    EXPECT_EQ(file.Lines(), 0);
}

class TextFileOnDisk : public testing::Test {
protected:
    QString path(const char* name) const { return folder.filePath(name); }
    QTemporaryDir folder;
};

TEST_F(TextFileOnDisk, LoadOfAnEmptyOrMissingFileSaysItDoesNotExist) {
    WriteBytes(path("empty.dat"), {});
    for (const char* name : {"empty.dat", "missing.dat"}) {
        TextFile file;
        file.Load(path(name));
        EXPECT_EQ(file.ErrorNum, TextFile::ErrorEmptyFile) << name;
        EXPECT_EQ(file.ErrorMsg, "File Does Not Exist");
    }
    EXPECT_FALSE(QFile::exists(path("missing.dat"))); // looking does not create it
}

TEST_F(TextFileOnDisk, LoadFailuresGiveTheOpenMessage) {
    TextFile file;
    file.Load(path("no-such-folder/a.dat"));
    EXPECT_EQ(file.ErrorNum, TextFile::ErrorLoadFailed);
    EXPECT_EQ(file.ErrorMsg, "Error Number  76 Path not found\r\n\r\nThe file cannot be opened.  One possible cause "
                             "is\r\n that the file is already open in another program.");
    for (const QString& notAFile : {folder.path(), QString("/dev/zero")}) {
        file.Load(notAFile);
        EXPECT_EQ(file.ErrorNum, TextFile::ErrorLoadFailed) << notAFile.toStdString();
        EXPECT_TRUE(file.ErrorMsg.startsWith("Error Number  75 Path/File access error\r\n"));
    }
}

TEST_F(TextFileOnDisk, AFileLargerThanABlockGivesTheSameLinesWhateverTheBlockSize) {
    QByteArray text;
    QStringList expected;
    for (int i = 0; i < 4000; ++i) {
        const QByteArray line = QByteArray::number(i) + " " + QByteArray::number(i * 0.5);
        text += line + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
        expected << QString::fromLatin1(line);
    }
    ASSERT_GT(text.size(), 32768);
    WriteBytes(path("big.dat"), text);
    for (std::int32_t blockSize : {0, 7, 32768, 1 << 20}) {
        TextFile file;
        file.BlockSize = blockSize;
        file.Load(path("big.dat"));
        EXPECT_EQ(file.ErrorNum, 0);
        EXPECT_EQ(LinesOf(file), expected) << "block size " << blockSize;
        EXPECT_EQ(file.BlockSize, blockSize == 0 ? 32768 : blockSize > 65535 ? 65535 : blockSize);
    }
}

TEST_F(TextFileOnDisk, ALineLimitStopsTheReadingAfterThatManyWholeLines) {
    QByteArray text;
    for (int i = 0; i < 4000; ++i)
        text += QByteArray::number(i) + (i % 2 ? "\r\n" : "\n");
    WriteBytes(path("big.dat"), text);
    TextFile whole;
    whole.Load(path("big.dat"));
    for (std::int32_t limit : {0, 1, 2, 3999, 4000, 5000}) {
        TextFile file;
        file.BlockSize = 7; // lines and CR LF pairs straddle the blocks
        file.Load(path("big.dat"), limit);
        EXPECT_EQ(file.ErrorNum, 0);
        EXPECT_EQ(LinesOf(file), LinesOf(whole).mid(0, limit)) << "limit " << limit;
    }

    // Millions of empty lines cost no more than the lines asked for.
    WriteBytes(path("empty-lines.dat"), QByteArray(8 << 20, '\n'));
    TextFile file;
    const qint64 before = BytesReadByThisThread();
    ASSERT_GE(before, 0);
    file.Load(path("empty-lines.dat"), 16002);
    EXPECT_LT(BytesReadByThisThread() - before, 256 << 10);
    EXPECT_EQ(file.Lines(), 16002);
}

TEST_F(TextFileOnDisk, SaveEndsEveryLineWithCrLfAndReplacesTheOldFileKeepingItsPermissions) {
    WriteBytes(path("out.dat"), "old contents");
    ::chmod(QFile::encodeName(path("out.dat")).constData(), 0640);
    TextFile file;
    file.CreateNew(3);
    file.SetMyLine(1, "title");
    file.SetMyLine(3, "1 2");
    file.BlockSize = 4; // several blocks
    file.Save(path("out.dat"));
    EXPECT_EQ(file.ErrorNum, 0);
    EXPECT_EQ(ReadBytes(path("out.dat")), "title\r\n\r\n1 2\r\n");
    struct stat info {};
    ::stat(QFile::encodeName(path("out.dat")).constData(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.dat"});
}

TEST_F(TextFileOnDisk, SaveRefusesNothingAndNoNameWithoutTouchingTheDisk) {
    TextFile file;
    file.Save(path("a.dat"));
    EXPECT_EQ(file.ErrorNum, TextFile::ErrorNothingToSave);
    EXPECT_EQ(file.ErrorMsg, "Save: There is nothing to save");
    file.CreateNew(1);
    file.Save("");
    EXPECT_EQ(file.ErrorNum, TextFile::ErrorNoFileName);
    EXPECT_EQ(file.ErrorMsg, "Save: No File Specified");
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(TextFileOnDisk, AFailedSaveLeavesTheOldFileIntactAndNoTemporaryFile) {
    const QByteArray old = "1 2\r\n3 4\r\n";
    WriteBytes(path("keep.dat"), old);
    TextFile file;
    file.CreateNew(2000);
    for (std::int32_t i = 1; i <= 2000; ++i) file.SetMyLine(i, "1.2345678E+00 2.3456789E+00");
    {
        const FileSizeLimit diskFull(1024);
        file.Save(path("keep.dat"));
    }
    EXPECT_EQ(file.ErrorNum, TextFile::ErrorSaveFailed);
    EXPECT_EQ(file.ErrorMsg, "Error Number  61 Disk full\r\n\r\nThe file cannot be saved with name \r\n" +
                                 path("keep.dat") +
                                 ".\r\nOne possible cause is that the file\r\nis already open in another program.");
    EXPECT_EQ(ReadBytes(path("keep.dat")), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.dat"});

    file.Save(path("missing-folder/a.dat"));
    EXPECT_EQ(file.ErrorNum, TextFile::ErrorSaveFailed);
    EXPECT_TRUE(file.ErrorMsg.startsWith("Error Number  76 Path not found\r\n"));

    file.Save(path("keep.dat")); // and with room again it works
    EXPECT_EQ(file.ErrorNum, 0);
    EXPECT_EQ(file.ErrorMsg, "");
}

TEST_F(TextFileOnDisk, SaveRemovesTheTemporariesThatInterruptedSavesLeftOfTheSameFile) {
    const QStringList others = {".keep.dat.Busy01", ".other.dat.AbC123", ".keep.dat.toolong",
                                "keep.dat.AbC123"};
    for (const QString& name : others + QStringList{".keep.dat.AbC123", ".keep.dat.z9Y8x7"})
        WriteBytes(folder.filePath(name), QByteArray(4096, 'x'));
    // A save of the same file in progress (in another run of the program) holds its temporary locked.
    QFile busy(folder.filePath(".keep.dat.Busy01"));
    ASSERT_TRUE(busy.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(busy.handle(), LOCK_EX | LOCK_NB), 0);

    TextFile file;
    file.CreateNew(1);
    file.SetMyLine(1, "1 2");
    file.Save(path("keep.dat"));
    EXPECT_EQ(file.ErrorNum, 0);
    QStringList expected = others + QStringList{"keep.dat"};
    expected.sort();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

} // namespace
} // namespace frontend
