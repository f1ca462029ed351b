#include "data/text_file.h"

#include "session/helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace frontend {
namespace {

const QString CrLf = QStringLiteral("\r\n");

struct SystemError {
    int number;
    const char* description;
};

// The failure as the user is told about it: a classic run-time error number and its description.
SystemError Describe(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return {76, "Path not found"};
    case EACCES:
    case EPERM:
    case EROFS: return {70, "Permission denied"};
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return {61, "Disk full"};
    case EIO: return {57, "Device I/O error"};
    case EMFILE:
    case ENFILE: return {67, "Too many files"};
    default: return {75, "Path/File access error"};
    }
}

QString ErrorPrefix(const SystemError& e) {
    return QStringLiteral("Error Number ") + StrStyle(e.number) + u' ' + QString::fromLatin1(e.description);
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// A save writes `.name.XXXXXX` beside `name` (mkstemp fills in the six characters).
bool IsTemporaryOf(const QString& entry, const QString& fileName) {
    const QString prefix = u'.' + fileName + u'.';
    if (entry.size() != prefix.size() + 6 || !entry.startsWith(prefix)) return false;
    for (qsizetype i = prefix.size(); i < entry.size(); ++i) {
        const char16_t c = entry[i].unicode();
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) return false;
    }
    return true;
}

// Removes the temporaries of `fileName` that no save writes any more. A save keeps its temporary
// locked until the rename, so one that can be locked was left by a save that never finished (the
// program was killed or the machine stopped); a save in progress keeps its own.
void RemoveStaleTemporaries(const QString& folder, const QString& fileName) {
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (!IsTemporaryOf(entry, fileName)) continue;
        const QByteArray path = QFile::encodeName(dir.filePath(entry));
        Descriptor file(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0) ::unlink(path.constData());
    }
}

// Makes a rename in the folder durable. A file system that cannot sync folders is left to itself.
int SyncFolder(const QByteArray& folder) {
    Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) return 0;
    if (::fsync(dir.get()) != 0 && errno != EINVAL && errno != ENOTSUP) return errno;
    return 0;
}

// The permissions a newly created file would get.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString TextFile::MyLine(std::int32_t index) const {
    if (index < 1 || index > Lines()) return {};
    return QString::fromLocal8Bit(lines_[static_cast<std::size_t>(index - 1)]);
}

bool TextFile::SetMyLine(std::int32_t index, const QString& text) {
    if (index < 1 || index > Lines()) return false;
    QByteArray bytes = text.toLocal8Bit();
    if (bytes.endsWith('\n')) bytes.chop(1);
    if (bytes.endsWith('\r')) bytes.chop(1);
    lines_[static_cast<std::size_t>(index - 1)] = std::move(bytes);
    return true;
}

void TextFile::clearError() {
    ErrorNum = 0;
    ErrorMsg.clear();
}

void TextFile::clampBlockSize() {
    if (BlockSize <= 0) BlockSize = DefaultBlockSize;
    else if (BlockSize > MaxBlockSize) BlockSize = MaxBlockSize;
}

void TextFile::CreateNew(std::int32_t lineCount) {
    clearError();
    lastLineOpen_ = afterCarriageReturn_ = false;
    if (lineCount < 0) {
        ErrorNum = ErrorCreateFailed;
        ErrorMsg = QStringLiteral("Subscript out of range");
        return;
    }
    try {
        std::vector<QByteArray> lines(static_cast<std::size_t>(lineCount));
        lines_.swap(lines);
    } catch (const std::bad_alloc&) {
        ErrorNum = ErrorCreateFailed;
        ErrorMsg = QStringLiteral("Out of memory");
    }
}

void TextFile::ProcessData(QByteArrayView block) {
    for (const char c : block) {
        const bool carriageReturn = c == '\r';
        if (c == '\n' && afterCarriageReturn_) { // the second half of a CR LF
            afterCarriageReturn_ = false;
            continue;
        }
        afterCarriageReturn_ = carriageReturn;
        if (!lastLineOpen_) {
            lines_.emplace_back();
            lastLineOpen_ = true;
        }
        if (carriageReturn || c == '\n') lastLineOpen_ = false;
        else lines_.back().append(c);
    }
}

void TextFile::Load(const QString& fileName, std::int32_t lineLimit) {
    clearError();
    lineLimit = std::max(lineLimit, 0);
    const QByteArray path = QFile::encodeName(fileName);
    // Not blocking, so that a pipe or device given by mistake cannot hang the program; only regular
    // files are read.
    Descriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    const auto fail = [this](int error) {
        ErrorNum = ErrorLoadFailed;
        ErrorMsg = ErrorPrefix(Describe(error)) + CrLf + CrLf +
                   QStringLiteral("The file cannot be opened.  One possible cause is") + CrLf +
                   QStringLiteral(" that the file is already open in another program.");
    };
    struct stat info {};
    if (file.get() < 0) {
        const int error = errno;
        // A missing file in an existing folder reads as an empty one.
        if (error == ENOENT && !fileName.isEmpty() && QFileInfo(fileName).absoluteDir().exists()) {
            ErrorNum = ErrorEmptyFile;
            ErrorMsg = QStringLiteral("File Does Not Exist");
        } else {
            fail(error);
        }
        return;
    }
    if (::fstat(file.get(), &info) != 0) return fail(errno);
    if (!S_ISREG(info.st_mode)) return fail(EISDIR);
    if (info.st_size == 0) {
        ErrorNum = ErrorEmptyFile;
        ErrorMsg = QStringLiteral("File Does Not Exist");
        return;
    }

    lines_.clear();
    lastLineOpen_ = afterCarriageReturn_ = false;
    clampBlockSize();
    QByteArray block(BlockSize, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(file.get(), block.data(), static_cast<std::size_t>(block.size()));
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            lines_.clear();
            return fail(error);
        }
        if (got == 0) break;
        ProcessData(QByteArrayView(block.constData(), got));
        // A line past the limit has begun, so every line up to the limit is complete.
        if (Lines() > lineLimit) {
            lines_.resize(static_cast<std::size_t>(lineLimit));
            break;
        }
    }
    lastLineOpen_ = afterCarriageReturn_ = false;
}

void TextFile::Save(const QString& fileName) {
    if (Lines() == 0) {
        ErrorNum = ErrorNothingToSave;
        ErrorMsg = QStringLiteral("Save: There is nothing to save");
        return;
    }
    if (fileName.isEmpty()) {
        ErrorNum = ErrorNoFileName;
        ErrorMsg = QStringLiteral("Save: No File Specified");
        return;
    }
    clearError();
    clampBlockSize();
    const auto fail = [this, &fileName](int error) {
        ErrorNum = ErrorSaveFailed;
        ErrorMsg = ErrorPrefix(Describe(error)) + CrLf + CrLf +
                   QStringLiteral("The file cannot be saved with name ") + CrLf + fileName + u'.' + CrLf +
                   QStringLiteral("One possible cause is that the file") + CrLf +
                   QStringLiteral("is already open in another program.");
    };

    // Replace what a link points to, not the link.
    const QFileInfo target(fileName);
    const QString finalName = target.isSymLink() && target.exists() ? target.canonicalFilePath() : fileName;
    const QByteArray finalPath = QFile::encodeName(finalName);
    struct stat old {};
    const bool replacing = ::stat(finalPath.constData(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) return fail(EISDIR);

    const QFileInfo finalInfo(finalName);
    RemoveStaleTemporaries(finalInfo.absolutePath(), finalInfo.fileName());
    QByteArray tempPath = QFile::encodeName(finalInfo.absolutePath() + QStringLiteral("/.") +
                                            finalInfo.fileName() + QStringLiteral(".XXXXXX"));
    Descriptor temp(::mkostemp(tempPath.data(), O_CLOEXEC));
    if (temp.get() < 0) return fail(errno);
    // Held until the rename: the mark of a save in progress (a file system without locks has none).
    ::flock(temp.get(), LOCK_EX | LOCK_NB);
    const auto abandon = [&](int error) {
        ::unlink(tempPath.constData());
        fail(error);
    };

    QByteArray buffer;
    buffer.reserve(BlockSize + 256);
    for (const QByteArray& line : lines_) {
        buffer += line;
        buffer += "\r\n";
        if (buffer.size() >= BlockSize) {
            if (!WriteAll(temp.get(), buffer)) return abandon(errno);
            buffer.clear();
        }
    }
    if (!WriteAll(temp.get(), buffer)) return abandon(errno);
    if (::fchmod(temp.get(), replacing ? (old.st_mode & 07777) : NewFileMode()) != 0) return abandon(errno);
    if (::fsync(temp.get()) != 0) return abandon(errno);
    if (::rename(tempPath.constData(), finalPath.constData()) != 0) return abandon(errno);
    if (const int error = SyncFolder(QFile::encodeName(finalInfo.absolutePath()))) return fail(error);
}

} // namespace frontend
