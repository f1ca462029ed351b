// pgplot MODE CONFIG: draws the graph that the configuration file describes.
#include <string>
#include <vector>

#include "giza_api.h"
#include "program.h"
#include "window_messages.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    pgplot::installMessageShell(pgplot::messageShellFor(args.size() > 1 ? args[1] : std::string()));
    const auto pg = pgplot::makeGizaApi();
    return pgplot::MAIN(args, *pg);
}
