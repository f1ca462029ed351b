// Message boxes as windows of their own on the X display, for the program on the screen.
#pragma once

#include "util.h"

namespace pgplot {

// Boxes are X11 windows with the caption as title, the text and an OK button; they return when
// OK, Return, Escape or the window's close button is pressed. Stop messages and text output go
// to standard error. Without a display every box goes to standard error too.
class WindowMessageShell : public StderrMessageShell {
  public:
    void box(std::string_view caption, std::string_view text) override;
};

// The shell for a run: windows for mode "wv" with a display, unless PGPLOT_MESSAGES=stderr;
// standard error otherwise.
std::unique_ptr<MessageShell> messageShellFor(const std::string& modeWord);

} // namespace pgplot
