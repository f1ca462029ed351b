#include "data/data_file.h"

#include "data/text_file.h"
#include "session/helpers.h"
#include "session/store.h"
#include "session/utilcore_calls.h"

#include <QFileInfo>

#include <algorithm>

namespace frontend {
namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString FileSaveErrorTitle = QStringLiteral("File Save Error");
const QString FileOpenErrorTitle = QStringLiteral("File Open Error");

QString XErrorsOnlyMessage(const QString& editionWord) {
    return QStringLiteral("The program currently contains separate X errors for") + CrLf +
           QStringLiteral("each data point.  The Y errors use a different error mode.") + CrLf + CrLf +
           QStringLiteral("To avoid ambiguity in reading this data file later, ") + CrLf + editionWord +
           QStringLiteral(" will save the data in a four column format, placing ") + CrLf +
           QStringLiteral("zeros in the fourth column.");
}

// A line of the file as a message shows it: at most 60 characters, anything unprintable as "?".
QString ShownLine(QStringView line) {
    constexpr qsizetype Shown = 60;
    QString text;
    for (const QChar c : line.left(Shown))
        text += c.isPrint() ? c : QChar(u'?');
    if (line.size() > Shown) text += QStringLiteral("...");
    return text;
}

// The documented message, then where the trouble is: the first line that could not be read (its
// number from 1 and its text), or that no data line followed the title.
QString UnreadableMessage(std::optional<std::int32_t> lineNumber, QStringView line) {
    QString where;
    if (!lineNumber)
        where = QStringLiteral("The file holds no data line after its title line.");
    else if (line.isEmpty())
        where = QStringLiteral("Line") + StrStyle(*lineNumber) + QStringLiteral(" of the file is empty.");
    else
        where = QStringLiteral("Line") + StrStyle(*lineNumber) +
                QStringLiteral(" of the file cannot be read:") + CrLf + ShownLine(line);
    return QStringLiteral("Error in reading data file, please check file.") + CrLf + CrLf +
           QStringLiteral("One can sometimes find the source of file errors ") + CrLf +
           QStringLiteral("by opening the file in the spreadsheet for inspection.") + CrLf + CrLf + where;
}

QString TooLargeMessage(const QString& path, qint64 bytes) {
    const qint64 megabytes = (bytes + (1 << 20) - 1) >> 20;
    return QStringLiteral("The file") + CrLf + path + CrLf + QStringLiteral("is") + StrStyle(megabytes) +
           QStringLiteral(" MB long, far longer than a data file of at most") + StrStyle(MaxPoints) +
           QStringLiteral(" points") + CrLf +
           QStringLiteral("can be.  Nothing was read; please check that this is the file you meant.");
}

QString FourColumnQuestion() {
    return QStringLiteral("The data file appears to contain four columns.") + CrLf +
           QStringLiteral("Tessaly/Quorvex will assume that Column 1 contains X,") + CrLf +
           QStringLiteral("Column 2 contains X errors, Column 3 contains Y, and") + CrLf +
           QStringLiteral("Column 4 contains Y errors.") + CrLf + CrLf +
           QStringLiteral("If this assumption is incorrect, you may wish to open") + CrLf +
           QStringLiteral("this file in the spreadsheet and transfer the data to") + CrLf +
           QStringLiteral("screen in the correct order.");
}

QString TooManyPointsMessage() {
    return QStringLiteral("This data file has more data lines than the program can hold; maximum number is") +
           StrStyle(MaxPoints) + u'.' + CrLf + QStringLiteral("Nothing was read.");
}

// The message shown when some computed error is not positive; axis is "X" or "Y".
QString NonPositiveErrorsMessage(const char* axis) {
    const QString a = QString::fromLatin1(axis);
    return QStringLiteral("At least one ") + a +
           QStringLiteral(" Error value in this data file is <= zero or possibly missing.") +
           QStringLiteral("  The program divides") +
           QStringLiteral(" by these values in order to find the reduced chi-squared") +
           QStringLiteral(" value--hence all ") + a + QStringLiteral(" Errors must positive--zero values are") +
           QStringLiteral(" not allowed, and negative errors make no sense.") +
           QStringLiteral("  Please either edit your data or reset the error type") +
           QStringLiteral(" before trying to do a fit.");
}

// A data file holds a title and at most MaxPoints lines of four numbers: far less than this. A larger
// file is refused before anything is read.
constexpr qint64 MaxDataFileBytes = qint64(64) << 20;
// The reader looks at no more lines than a title, MaxPoints points and one line past them.
constexpr std::int32_t DataFileLineLimit = MaxPoints + 2;

Floats Zeros(std::int16_t length) { return Floats(static_cast<std::size_t>(std::max<int>(length, 0)), 0.0f); }

bool IsSeparator(QChar c) { return c == u' ' || c == u',' || c == u'\t'; }

// The line without blanks and tabs at either end.
QStringView TrimLine(QStringView line) {
    qsizetype first = 0, last = line.size();
    while (first < last && (line[first] == u' ' || line[first] == u'\t')) ++first;
    while (last > first && (line[last - 1] == u' ' || line[last - 1] == u'\t')) --last;
    return line.mid(first, last - first);
}

// The numbers of a data line, or nothing when the line is not 2 to 4 numbers.
std::optional<std::vector<float>> ReadFields(QStringView line) {
    std::optional<std::vector<float>> values = ReadNumbers(line);
    if (values && (values->size() < 2 || values->size() > 4)) values.reset();
    return values;
}

// Copies the individual errors into the sigmas of points 1..n; true when one of them is not positive.
bool CopyIndividualErrors(std::int16_t n, const Floats& raw, Floats& sigma) {
    bool nonPositive = false;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        sigma[i] = raw[i];
        if (!(raw[i] > 0.0f)) nonPositive = true;
    }
    return nonPositive;
}

} // namespace

QString CurrentDataName(const DataStore& store) {
    return store.DataName.isEmpty() ? UntitledDataName : store.DataName;
}

std::optional<std::vector<float>> ReadNumbers(QStringView line) {
    std::vector<float> values;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i])) ++i;
        const qsizetype start = i;
        while (i < line.size() && !IsSeparator(line[i])) ++i;
        if (i == start) break;
        const auto value = TrapReal(line.mid(start, i - start).toString());
        if (!value) return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

FileDialogRequest OpenDataFileRequest() {
    return {QStringLiteral("Open"), QStringLiteral("All Files (*.*)|*.*|Data Files (*.dat)|*.dat"), 1, {},
            HideReadOnly | PathMustExist | FileMustExist};
}

FileDialogRequest SaveDataFileRequest(const QString& presetName) {
    return {QStringLiteral("Save As"), QStringLiteral("Data Files (*.dat)|*.dat|All Files (*.*)|*.*"), 1,
            presetName, PromptBeforeOverwrite | HideReadOnly | PathMustExist};
}

bool SaveDataFile(Session& session, DataStore& store, Dialogs& dialogs, const QString& path) {
    std::int16_t n = 0, capacity = 0;
    StorePointCount(store, n, OutOfStore);
    StoreCapacity(store, capacity, OutOfStore);
    Floats x, y, ySigma;
    StorePoints(store, x, y, ySigma, capacity, OutOfStore);
    Floats yRaw = Zeros(capacity), xRaw = Zeros(capacity);
    if (session.YErrorsEntered) StoreYErrorsRaw(store, yRaw, capacity, OutOfStore);
    if (session.XErrorsEntered) StoreXErrorsRaw(store, xRaw, capacity, OutOfStore);
    n = std::clamp<std::int16_t>(n, 0, capacity);

    const QString title = (session.Names.trimmed() + QStringLiteral("    ") + session.Experiment.trimmed()).trimmed();
    TextFile file;
    file.CreateNew(n + (title.isEmpty() ? 0 : 1));
    std::int32_t line = 1;
    if (!title.isEmpty()) file.SetMyLine(line++, title);

    std::int16_t layout = 0;
    if (session.YErrorsEntered && session.XErrorsEntered) {
        layout = 3;
    } else if (session.XErrorsEntered) {
        layout = 2;
        dialogs.message(XErrorsOnlyMessage(EditionWord(session.Edition)));
    } else if (session.YErrorsEntered) {
        layout = 1;
    }
    const bool writesYErrors = layout == 1 || layout == 3;
    const bool writesXErrors = layout >= 2;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i)
        file.SetMyLine(line++, Data2Str(x[i], y[i], writesYErrors ? yRaw[i] : 0.0f, writesXErrors ? xRaw[i] : 0.0f,
                                        layout));

    file.Save(path);
    if (file.ErrorNum != 0) {
        dialogs.message(file.ErrorMsg, MessageButtons::Ok, MessageIcon::Information, FileSaveErrorTitle);
        return false;
    }
    session.DataSaved = true;
    QString name = path;
    StoreDataName(store, name, IntoStore);
    return true;
}

ReadOutcome ReadDataFile(Session& session, DataStore& store, Dialogs& dialogs, const QString& path,
                         PointArrays& working) {
    std::int16_t yKind = 0, ySub = 0, xMode = XModeNotSet;
    float yValue = 0, xValue = 0;
    bool yByDialog = false, xByDialog = false;
    StoreYMode(store, yKind, ySub, yValue, OutOfStore, yByDialog);
    const bool withX = session.XErrorsAllowed || session.XModeSet;
    if (withX) StoreXMode(store, xMode, xValue, OutOfStore, xByDialog);

    if (const qint64 bytes = QFileInfo(path).size(); bytes > MaxDataFileBytes) {
        dialogs.message(TooLargeMessage(path, bytes), MessageButtons::Ok, MessageIcon::Information,
                        FileOpenErrorTitle);
        return ReadOutcome::TooLarge;
    }
    TextFile file;
    file.Load(path, DataFileLineLimit);
    if (file.ErrorNum != 0) {
        dialogs.message(file.ErrorMsg, MessageButtons::Ok, MessageIcon::Information, FileOpenErrorTitle);
        return ReadOutcome::OpenFailed;
    }

    PointArrays read;
    read.capacity = static_cast<std::int16_t>(std::clamp<std::int32_t>(file.Lines(), 100, MaxPoints));
    for (Floats* array : read.arrays()) *array = Zeros(read.capacity);

    std::size_t fieldCount = 0;
    std::size_t j = 0;
    const auto unreadable = [&](std::optional<std::int32_t> lineNumber, QStringView line) {
        dialogs.message(UnreadableMessage(lineNumber, line));
        ClearAllData(session, store, working);
        return ReadOutcome::Unreadable;
    };
    for (std::int32_t index = 1; index <= file.Lines(); ++index) {
        const QString text = file.MyLine(index);
        const QStringView line = TrimLine(text);
        if (line.isEmpty() && j > 0) break;
        auto values = line.isEmpty() ? std::nullopt : ReadFields(line);
        if (values && fieldCount != 0 && values->size() != fieldCount) values.reset();
        if (!values) {
            if (index == 1) continue; // the title
            return unreadable(index, line);
        }
        if (fieldCount == 0) {
            fieldCount = values->size();
            if (fieldCount == 4 &&
                dialogs.message(FourColumnQuestion(), MessageButtons::OkCancel, MessageIcon::Question,
                                QStringLiteral("Four column data file")) != MessageAnswer::Ok)
                return ReadOutcome::Cancelled;
        }
        if (j == static_cast<std::size_t>(MaxPoints)) {
            dialogs.message(TooManyPointsMessage(), MessageButtons::Ok, MessageIcon::Information, FileOpenErrorTitle);
            return ReadOutcome::TooManyPoints;
        }
        const std::vector<float>& v = *values;
        read.x[j] = v[0];
        if (fieldCount == 4) {
            read.xErrorsRaw[j] = v[1];
            read.y[j] = v[2];
            read.yErrorsRaw[j] = v[3];
        } else {
            read.y[j] = v[1];
            if (fieldCount == 3) read.yErrorsRaw[j] = v[2];
        }
        ++j;
    }
    if (j == 0) return unreadable(std::nullopt, {}); // a title and nothing else is no data set
    read.count = static_cast<std::int16_t>(j);
    const std::int16_t n = read.count;

    if (yKind == YKindGiven && ySub == YSubIndividual) {
        if (CopyIndividualErrors(n, read.yErrorsRaw, read.ySigma)) dialogs.message(NonPositiveErrorsMessage("Y"));
    } else if (yKind == YKindGiven || yKind == YKindNone || yKind == YKindSquareRoot) {
        if (Sig(n, yValue, yKind, ySub, read.y, read.ySigma)) dialogs.message(NonPositiveErrorsMessage("Y"));
    }
    if (withX) {
        if (xMode == XModeIndividual) {
            if (CopyIndividualErrors(n, read.xErrorsRaw, read.xSigma)) dialogs.message(NonPositiveErrorsMessage("X"));
        } else if (xMode == XModePercentage || xMode == XModeConstant) {
            if (Sig(n, xValue, YKindGiven, xMode, read.x, read.xSigma)) dialogs.message(NonPositiveErrorsMessage("X"));
        }
    }

    std::int16_t count = read.count, capacity = read.capacity;
    StorePointCount(store, count, IntoStore);
    StoreCapacity(store, capacity, IntoStore);
    StorePoints(store, read.x, read.y, read.ySigma, capacity, IntoStore);
    if (withX) StoreXSigma(store, read.xSigma, capacity, IntoStore);
    if (fieldCount >= 3) {
        StoreYErrorsRaw(store, read.yErrorsRaw, capacity, IntoStore);
        session.YErrorsEntered = true;
    }
    if (fieldCount == 4) {
        StoreXErrorsRaw(store, read.xErrorsRaw, capacity, IntoStore);
        session.XErrorsEntered = true;
    }
    working = std::move(read);
    QString name = path;
    StoreDataName(store, name, IntoStore);
    session.DataInProgram = true;
    session.DataSaved = true;
    session.FitDone = false;
    return ReadOutcome::Read;
}

void ClearAllData(Session& session, DataStore& store, PointArrays& working) {
    working = PointArrays{};
    std::int16_t zero = 0;
    StorePointCount(store, zero, IntoStore);
    StoreCapacity(store, zero, IntoStore);
    StorePoints(store, working.x, working.y, working.ySigma, 0, IntoStore);
    StoreYErrorsRaw(store, working.yErrorsRaw, 0, IntoStore);
    StoreXErrorsRaw(store, working.xErrorsRaw, 0, IntoStore);
    StoreXSigma(store, working.xSigma, 0, IntoStore);
    QString name = UntitledDataName;
    StoreDataName(store, name, IntoStore);
    session.DataInProgram = false;
    session.YErrorsEntered = false;
    session.XErrorsEntered = false;
    session.DataSaved = false;
}

} // namespace frontend
