#include <common/whole_file.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

namespace common {
namespace {

constexpr int kNameAttempts = 100;
constexpr std::string_view kNameCharacters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

std::string randomPart() {
    static std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kNameCharacters.size() - 1);
    std::string part(6, ' ');
    for (char& c : part)
        c = kNameCharacters[pick(generator)];
    return part;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // A file system that cannot flush a folder says so with EINVAL; there is nothing more to do.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

} // namespace

std::optional<CreatedFile> createUniqueFile(std::string_view prefix, std::string_view suffix) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string path = std::string(prefix) + randomPart() + std::string(suffix);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return CreatedFile{std::move(path), fd};
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

bool isReplaceable(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode);
}

bool writeWholeFile(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/' || !isReplaceable(path)) return false;
    const std::optional<CreatedFile> part = createUniqueFile(path + ".", ".part");
    if (!part) return false;
    const bool written = writeAll(part->fd, bytes) && ::fsync(part->fd) == 0;
    const bool closed = ::close(part->fd) == 0;
    // Checked once more just before the rename, which never writes through what it replaces.
    if (written && closed && isReplaceable(path) && std::rename(part->path.c_str(), path.c_str()) == 0)
        return syncFolder(folderOf(path));
    std::remove(part->path.c_str());
    return false;
}

} // namespace common
