// Files written whole and safely in folders that others may write to as well (a shared
// temporary folder): new files get unique names and are created exclusively, never through a
// link, and a finished file replaces its target by a rename within the target's folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace common {

// A file this process has just created; the caller closes fd.
struct CreatedFile {
    std::string path;
    int fd = -1;
};

// Creates a new, empty file named prefix + six random characters + suffix, exclusively: an
// existing file or link of that name is never opened, another name is tried instead. The mode is
// 0666 less the umask. Empty when no file could be created.
std::optional<CreatedFile> createUniqueFile(std::string_view prefix, std::string_view suffix);

// Whether path may be replaced by a new file: nothing is there, or a regular file (not a link,
// a folder, a device or a pipe).
bool isReplaceable(const std::string& path);

// Writes bytes as the file path: into a unique file beside it, flushed to the disk, renamed over
// path, and the folder flushed. False, with nothing left behind and any old file intact, when
// path is not replaceable or a step fails.
bool writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace common
