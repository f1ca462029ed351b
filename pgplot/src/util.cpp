#include "util.h"

#include <iostream>

namespace pgplot {

namespace {

std::unique_ptr<MessageShell>& installedShell() {
    static std::unique_ptr<MessageShell> shell = std::make_unique<StderrMessageShell>();
    return shell;
}

std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return line;
}

} // namespace

void StderrMessageShell::box(std::string_view caption, std::string_view text) {
    std::cerr << caption << ": " << oneLine(text) << '\n';
}

void StderrMessageShell::stopMessage(std::string_view text) {
    std::cerr << "Stop: " << oneLine(text) << '\n';
}

void StderrMessageShell::textOutput(std::string_view line) {
    std::cerr << oneLine(line) << '\n';
}

MessageShell& messageShell() {
    return *installedShell();
}

std::unique_ptr<MessageShell> installMessageShell(std::unique_ptr<MessageShell> shell) {
    installedShell().swap(shell);
    return shell;
}

void ERRMSG(std::string_view message) {
    messageShell().box("Warning", message);
}

void ERRSTOP(std::string_view message) {
    throw ProgramStop{ProgramStop::Kind::FatalError, std::string(trimRight(message))};
}

void STOPWITH(std::string_view message) {
    throw ProgramStop{ProgramStop::Kind::StopMessage, std::string(message)};
}

void STATERR(int status) {
    if (status == 0) {
        return;
    }
    messageShell().textOutput("error allocating array, error no. " + std::to_string(status));
    STOPWITH("stop program; please try again");
}

std::string_view trimRight(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

} // namespace pgplot
