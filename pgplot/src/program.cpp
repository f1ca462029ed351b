#include "program.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "config.h"
#include "datafile.h"
#include "graph.h"
#include "util.h"

namespace pgplot {

namespace {

// Where a system-wide installation keeps the support files.
constexpr const char* kInstalledColourFile = "/usr/local/pgplot/rgb.txt";

std::string programFolder(const std::string& argv0) {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        self = std::filesystem::absolute(argv0, error);
    }
    return self.parent_path().string() + "/";
}

void setSupportFileFolder(const std::string& argv0) {
    std::error_code error;
    if (!std::filesystem::exists(kInstalledColourFile, error)) {
        setenv("PGPLOT_DIR", (programFolder(argv0) + "pgfiles").c_str(), 1);
    }
}

void printToPort(int port, const std::string& psFile) {
    if (port == 0) {
        messageShell().box(
            "No printer port",
            "PGPlot attempted to send plot to printer, but no\nLPT printer port was specified.\n"
            "Please correct configuration and try again.");
        return;
    }
    const std::string portName = "LPT" + std::to_string(port);
    if (copyFileToPort(psFile, portDevice(port))) {
        messageShell().box("Send File to Printer",
                           "PGPlot attempted to send a Postscript file to printer port " + portName +
                               "\nThis port must be connected to a Postscript printer.");
    } else {
        messageShell().box("Print failure", "PGPlot could not print the Postscript file");
    }
}

} // namespace

int plotModeOf(const std::string& word) {
    if (word.size() < 2) {
        return 0;
    }
    const std::string mode = LCASE(word);
    if (mode == "wv") {
        return kScreen;
    }
    if (mode == "ps") {
        return kPostScriptFile;
    }
    if (mode == "pt") {
        return kPrinterPort;
    }
    return 0;
}

std::string temporaryDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    if (folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string portDevice(int port) {
    return "/dev/lp" + std::to_string(port - 1);
}

bool copyFileToPort(const std::string& file, const std::string& device) {
    const int in = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    // A port is a device that exists: it is never created.
    const int out = ::open(device.c_str(), O_WRONLY | O_CLOEXEC);
    bool ok = out >= 0;
    char buffer[65536];
    while (ok) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        for (ssize_t done = 0; ok && done < got;) {
            const ssize_t put = ::write(out, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno == EINTR) {
                continue;
            }
            ok = put > 0;
            done += put;
        }
    }
    if (out >= 0 && ::close(out) != 0) {
        ok = false;
    }
    ::close(in);
    return ok;
}

int MAIN(const std::vector<std::string>& args, PgplotApi& pg) {
    try {
        setSupportFileFolder(args.empty() ? std::string() : args[0]);
        const int mode = plotModeOf(args.size() > 1 ? args[1] : std::string());
        if (mode == 0) {
            STOPWITH("command line entry not recognized");
        }
        // The whole path: arguments come as a list, so blanks inside it are part of it.
        const std::string configName(trimRight(args.size() > 2 ? std::string_view(args[2]) : ""));

        Config cfg;
        cfg.PSFILE = temporaryDirectory() + "pgtemp.ps";
        Graph graph(pg, cfg, mode);
        bool firstSection = true;
        while (!cfg.LASTSECTION) {
            const SectionEnd end = GETCONFIG(cfg, configName);
            if (end == SectionEnd::NothingRead) {
                break;
            }
            SectionData data = allocateSection(COUNTPOINTS(cfg.DATAFILE), cfg.XEBARON);
            READ_DATA_FILE(cfg.DATAFILE, cfg, data);
            if (firstSection) {
                graph.GRAPHSTART(data);
                firstSection = false;
            }
            graph.GRAPHDATA(data);
            // A file without its end line ends after the last section it holds.
            if (end == SectionEnd::EndOfFile) {
                break;
            }
        }
        graph.GRAPHCLOSE();
        if (mode == kPrinterPort) {
            printToPort(cfg.ILPT, std::string(trimRight(cfg.PSFILE)));
        }
        messageShell().stopMessage("stopped in main, normal exit");
        return 0;
    } catch (const ProgramStop& stop) {
        if (stop.kind == ProgramStop::Kind::FatalError) {
            messageShell().box("Fatal Error", stop.message);
        } else {
            messageShell().stopMessage(stop.message);
        }
        return 1;
    }
}

} // namespace pgplot
