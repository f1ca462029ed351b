// TempDir: the folder for the program's temporary files (graph files, PostScript output).
#ifndef FRONTEND_PLATFORM_TEMP_DIR_H
#define FRONTEND_PLATFORM_TEMP_DIR_H

#include <QString>

namespace frontend {

class TempDir {
public:
    virtual ~TempDir() = default;
    // Always ends in a separator, so that a file name can be appended directly.
    virtual QString path() = 0;
};

} // namespace frontend

#endif
