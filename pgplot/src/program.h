// The main program of the graph program: command line, sections, printer port.
#pragma once

#include <string>
#include <vector>

#include "pgplot_api.h"

namespace pgplot {

// Runs the program with its command line (args[0] the program itself) and returns the exit
// status: 0 after a normal end, 1 after a fatal error or a stop.
int MAIN(const std::vector<std::string>& args, PgplotApi& pg);

// The mode of the command line's mode word: 2 "wv", 1 "ps", 3 "pt" (first two characters, any
// case); 0 for anything else.
int plotModeOf(const std::string& word);

// The system's temporary directory with a trailing separator.
std::string temporaryDirectory();

// Copies file to the printer port device (a character device written directly); false when
// either cannot be opened or the copy is incomplete.
bool copyFileToPort(const std::string& file, const std::string& device);

// The Linux device of printer port 1 to 4.
std::string portDevice(int port);

} // namespace pgplot
