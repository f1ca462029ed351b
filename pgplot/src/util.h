// Module UTIL of the graph program: messages, early ends, allocation status.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace pgplot {

// The program ends early by throwing this; the main program shows it and picks the exit status.
struct ProgramStop {
    enum class Kind {
        FatalError, // "Fatal Error" box, then the program ends
        StopMessage // the text as the program's stop message, no box
    };
    Kind kind;
    std::string message;
};

// Where every box, stop message and line of text output goes. The program installs one at
// start-up (a window box on the screen, or standard error); tests install a recorder.
class MessageShell {
  public:
    virtual ~MessageShell() = default;
    // A box with a caption, the text and an OK button; returns when it is closed.
    virtual void box(std::string_view caption, std::string_view text) = 0;
    // The program's last word when it stops.
    virtual void stopMessage(std::string_view text) = 0;
    // One line in the program's text output (the device listing, allocation failures).
    virtual void textOutput(std::string_view line) = 0;
};

// Writes everything to standard error, one line per message with the caption first; line
// breaks inside a message become blanks.
class StderrMessageShell : public MessageShell {
  public:
    void box(std::string_view caption, std::string_view text) override;
    void stopMessage(std::string_view text) override;
    void textOutput(std::string_view line) override;
};

MessageShell& messageShell();
// Installs shell and returns the one it replaces.
std::unique_ptr<MessageShell> installMessageShell(std::unique_ptr<MessageShell> shell);

// A "Warning" box; drawing goes on.
void ERRMSG(std::string_view message);
// A "Fatal Error" box with the message (trailing blanks removed); the program ends.
[[noreturn]] void ERRSTOP(std::string_view message);
// The program stops with the message, without a box.
[[noreturn]] void STOPWITH(std::string_view message);
// Nothing for 0; otherwise reports the allocation failure and stops.
void STATERR(int status);

std::string_view trimRight(std::string_view text);

} // namespace pgplot
