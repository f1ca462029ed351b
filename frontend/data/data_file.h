// Data files: the writer SaveDataFile and the reader ReadDataFile of the text data file, and the
// emptying of the data set (ClearAllData).
//
// The file: an optional title line, then one point per line with 2 (X Y), 3 (X Y Yerr) or 4
// (X Xerr Y Yerr) numbers separated by blanks, commas or tabs, up to the end of the file or the
// first empty line. The first data line fixes the number of fields for the whole file.
#ifndef FRONTEND_DATA_DATA_FILE_H
#define FRONTEND_DATA_DATA_FILE_H

#include "platform/dialogs.h"
#include "session/session.h"

#include <array>

namespace frontend {

// The data screen's working copies of the data set (element i - 1 holds point i).
struct PointArrays {
    std::int16_t count = 0;
    std::int16_t capacity = 0;
    std::vector<float> x, y, ySigma, yErrorsRaw, xSigma, xErrorsRaw;

    // Every array, for what is done to all of them alike.
    std::array<std::vector<float>*, 6> arrays() { return {&x, &y, &ySigma, &yErrorsRaw, &xSigma, &xErrorsRaw}; }
};

// The numbers of a line whose fields are separated by blanks, commas or tabs (a run of them counts as
// one, and separators at either end are ignored), or nothing when a field is not a number. The data
// file reader and the data screen's typed entry read their lines so.
std::optional<std::vector<float>> ReadNumbers(QStringView line);

// The open dialog for a data file (all files offered first) and the save dialog (data files first),
// with the preset file name, if any.
FileDialogRequest OpenDataFileRequest();
FileDialogRequest SaveDataFileRequest(const QString& presetName);

// The name of a data set that did not come from a file, and of the data screen without data.
inline const QString UntitledDataName = QStringLiteral("Untitled");

// The name of the data set in the program (the store's DataName): the path it was last read from or
// saved to, or "Untitled". Every screen shows and uses this one name.
QString CurrentDataName(const DataStore& store);

// Writes the data set of the store to path, CR LF after every line. On success DataSaved becomes true,
// path becomes the data set's name and the result is true; the caller then refreshes the Save buttons
// (RefreshSaveState). A failure shows "File Save Error" and leaves the old file, the name and
// DataSaved as they were.
bool SaveDataFile(Session& session, DataStore& store, Dialogs& dialogs, const QString& path);

enum class ReadOutcome {
    Read,          // the points are in `working` and the store, named after path; DataInProgram and
                   // DataSaved are true
    OpenFailed,    // the file could not be read; nothing changed
    Cancelled,     // Cancel in the four-column question; nothing changed
    Unreadable,    // a bad line after the first: the data were cleared (ClearAllData)
    TooManyPoints, // more than MaxPoints data lines; nothing changed
    TooLarge,      // the file is far larger than any data file can be; nothing was read or changed
};

// Reads path into the data screen's working arrays and the store, computing the Y sigmas (and the X
// sigmas when X errors are allowed or an X mode is set) from the stored error modes. Every message
// goes through `dialogs`. The caller shows the points and updates its buttons.
ReadOutcome ReadDataFile(Session& session, DataStore& store, Dialogs& dialogs, const QString& path,
                         PointArrays& working);

// Empties the working arrays and the store's points, raw errors and X sigmas (count and capacity 0),
// names the empty data set "Untitled" and clears DataInProgram, YErrorsEntered, XErrorsEntered and
// DataSaved. Error modes, function and parameters stay.
void ClearAllData(Session& session, DataStore& store, PointArrays& working);

} // namespace frontend

#endif
