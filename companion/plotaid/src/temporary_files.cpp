// The temporary graph files: removing them, writing the data file, checking for a path.
#include <common/whole_file.h>
#include <plotaid/plotaid.h>
#include <utilcore/utilcore.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>
#include <sys/stat.h>

namespace plotaid {
namespace {

std::string temporaryDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

// 0 when the file is gone afterwards, -1 when it is still there.
int16_t removeFile(const std::string& path) {
    if (std::remove(path.c_str()) == 0 || errno == ENOENT) return 0;
    return -1;
}

int16_t removeAll(std::initializer_list<const char*> names) {
    int16_t status = 0;
    for (const char* name : names)
        if (removeFile(temporaryDirectory() + name) != 0) status = -1;
    return status;
}

} // namespace
} // namespace plotaid

extern "C" {

void deltemp(int16_t* status) {
    const int16_t result = plotaid::removeAll({"pgtemp.dat", "pgtemp.cfg", "pgtemp.ps"});
    if (status) *status = result;
}

void deltemp2(int16_t* status) {
    const int16_t result = plotaid::removeAll({"pgtemp2.dat"});
    if (status) *status = result;
}

void myexist(const char* path, int16_t* status) {
    std::string name;
    if (path != nullptr) {
        std::string_view field(path, PLOTAID_PATH_LEN);
        field = field.substr(0, field.find('\0'));
        name = field.substr(0, field.find_last_not_of(' ') + 1);
    }
    struct stat info {};
    const bool exists = !name.empty() && ::stat(name.c_str(), &info) == 0;
    if (status) *status = exists ? -1 : 0;
}

void pgdat(const float* x, const float* y, const float* yerr, const int16_t* n, const int16_t* yerrFlag) {
    const int count = (n && x && y) ? *n : 0;
    const bool withErrors = yerrFlag && *yerrFlag != 0 && yerr;
    const int16_t layout = withErrors ? 1 : 0;
    const float noError = 0.0f;
    std::string text;
    text.reserve(static_cast<size_t>(count > 0 ? count : 0) * 40);
    char line[UTILCORE_LINE_LEN];
    for (int i = 0; i < count; ++i) {
        int16_t status = 0;
        data2str(line, &x[i], &y[i], withErrors ? &yerr[i] : &noError, &noError, &layout, &status);
        std::size_t used = UTILCORE_LINE_LEN;
        while (used > 0 && line[used - 1] == ' ') --used;
        text.append(line, used);
        text += "\r\n";
    }
    common::writeWholeFile(plotaid::temporaryDirectory() + "pgtemp.dat", text);
}

} // extern "C"
