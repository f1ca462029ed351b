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

// Writes the data set of the store to path, CR LF after every line. On success DataSaved becomes true
// and the result is true; the caller then refreshes the Save buttons (RefreshSaveState). A failure
// shows "File Save Error" and leaves the old file and DataSaved as they were.
bool SaveDataFile(Session& session, DataStore& store, Dialogs& dialogs, const QString& path);

enum class ReadOutcome {
    Read,          // the points are in `working` and the store; DataInProgram and DataSaved are true
    OpenFailed,    // the file could not be read; nothing changed
    Cancelled,     // Cancel in the four-column question; nothing changed
    Unreadable,    // a bad line after the first: the data were cleared (ClearAllData)
    TooManyPoints, // more than MaxPoints data lines; nothing changed
};

// Reads path into the data screen's working arrays and the store, computing the Y sigmas (and the X
// sigmas when X errors are allowed or an X mode is set) from the stored error modes. Every message
// goes through `dialogs`. The caller shows the points and updates its buttons.
ReadOutcome ReadDataFile(Session& session, DataStore& store, Dialogs& dialogs, const QString& path,
                         PointArrays& working);

// Empties the working arrays and the store's points, raw errors and X sigmas (count and capacity 0)
// and clears DataInProgram, YErrorsEntered, XErrorsEntered and DataSaved. Error modes, function and
// parameters stay.
void ClearAllData(Session& session, DataStore& store, PointArrays& working);

} // namespace frontend

#endif
