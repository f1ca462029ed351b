// TextFile: a whole text file held in memory as a list of lines (data files, graph files, equation
// files, exports). Lines are kept as the file's 8-bit bytes; MyLine gives them as text in the
// system's encoding.
#ifndef FRONTEND_DATA_TEXT_FILE_H
#define FRONTEND_DATA_TEXT_FILE_H

#include <QByteArray>
#include <QString>
#include <climits>
#include <cstdint>
#include <vector>

namespace frontend {

class TextFile {
public:
    static constexpr std::int32_t DefaultBlockSize = 32768;
    static constexpr std::int32_t MaxBlockSize = 65535;

    // ErrorNum codes: the object-error base &H80040000 plus a number.
    static constexpr std::int32_t ErrorEmptyFile = static_cast<std::int32_t>(0x80040001u);
    static constexpr std::int32_t ErrorNothingToSave = static_cast<std::int32_t>(0x80040002u);
    static constexpr std::int32_t ErrorNoFileName = static_cast<std::int32_t>(0x80040003u);
    static constexpr std::int32_t ErrorSaveFailed = static_cast<std::int32_t>(0x80040004u);
    static constexpr std::int32_t ErrorCreateFailed = static_cast<std::int32_t>(0x80040005u);
    static constexpr std::int32_t ErrorLoadFailed = static_cast<std::int32_t>(0x80040006u);

    // Characters per read or write block; at each Load and Save a value of 0 or less becomes 32768
    // and one above 65535 becomes 65535.
    std::int32_t BlockSize = DefaultBlockSize;
    std::int32_t ErrorNum = 0; // 0 after success
    QString ErrorMsg;          // the text for ErrorNum, empty after success

    std::int32_t Lines() const { return static_cast<std::int32_t>(lines_.size()); }
    // Line `index` (from 1); empty outside 1..Lines().
    QString MyLine(std::int32_t index) const;
    // Stores text as line `index` after removing one trailing line feed, then one trailing carriage
    // return. Returns false, changing nothing, when index is outside 1..Lines().
    bool SetMyLine(std::int32_t index, const QString& text);

    // Discards the lines held and holds `lineCount` empty lines.
    void CreateNew(std::int32_t lineCount);
    // Reads the whole file into lines; a missing or empty file is ErrorEmptyFile. With a line limit
    // the reading stops once that many lines are complete: the rest of the file is never read, so a
    // huge file costs no more than its first lines.
    static constexpr std::int32_t NoLineLimit = INT32_MAX;
    void Load(const QString& fileName, std::int32_t lineLimit = NoLineLimit);
    // Writes every line followed by CR LF. The file is written under a temporary name in the same
    // folder and then renamed over the old one, so a failed save leaves the old file as it was; the
    // folder is synced after the rename, so that the new name survives a power cut. Temporaries of
    // the same file that an interrupted save left behind are removed first.
    void Save(const QString& fileName);
    // Splits a block of text into lines and appends them. Breaks are CR LF, CR or LF; successive
    // blocks continue one text, so a line or a CR LF pair that straddles two blocks stays whole.
    void ProcessData(QByteArrayView block);

private:
    void clearError();
    void clampBlockSize();

    std::vector<QByteArray> lines_;
    bool lastLineOpen_ = false; // the last line has not met its break yet
    bool afterCarriageReturn_ = false;
};

} // namespace frontend

#endif
