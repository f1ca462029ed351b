#include "window_messages.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "config.h"

namespace pgplot {

namespace {

constexpr std::size_t kWrapColumn = 72;
constexpr int kMargin = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

// The text as lines: at its own line breaks, and at blanks before column 72.
std::vector<std::string> wrap(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view paragraph = text.substr(start, end - start);
        while (paragraph.size() > kWrapColumn) {
            std::size_t cut = paragraph.rfind(' ', kWrapColumn);
            if (cut == std::string_view::npos || cut == 0) {
                cut = kWrapColumn;
            }
            lines.emplace_back(paragraph.substr(0, cut));
            paragraph = paragraph.substr(cut);
            paragraph.remove_prefix(std::min(paragraph.find_first_not_of(' '), paragraph.size()));
        }
        lines.emplace_back(paragraph);
        start = end + 1;
    }
    return lines;
}

class Box {
  public:
    Box(Display* display, std::string_view caption, std::vector<std::string> lines)
        : display_(display), lines_(std::move(lines)) {
        font_ = XLoadQueryFont(display_, "fixed");
        const int screen = DefaultScreen(display_);
        lineHeight_ = font_ != nullptr ? font_->ascent + font_->descent + 2 : 15;
        int textWidth = 200;
        for (const auto& line : lines_) {
            textWidth =
                std::max(textWidth, font_ != nullptr ? XTextWidth(font_, line.c_str(), int(line.size()))
                                                     : int(line.size()) * 7);
        }
        width_ = textWidth + 2 * kMargin;
        height_ = int(lines_.size()) * lineHeight_ + 3 * kMargin + kButtonHeight;
        window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 100, 100, unsigned(width_),
                                      unsigned(height_), 1, BlackPixel(display_, screen),
                                      WhitePixel(display_, screen));
        const std::string title(caption);
        XStoreName(display_, window_, title.c_str());
        XSizeHints hints{};
        hints.flags = PMinSize | PMaxSize;
        hints.min_width = hints.max_width = width_;
        hints.min_height = hints.max_height = height_;
        XSetWMNormalHints(display_, window_, &hints);
        deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display_, window_, &deleteWindow_, 1);
        XSelectInput(display_, window_, ExposureMask | KeyPressMask | ButtonPressMask);
        gc_ = XCreateGC(display_, window_, 0, nullptr);
        if (font_ != nullptr) {
            XSetFont(display_, gc_, font_->fid);
        }
        XMapRaised(display_, window_);
    }
    ~Box() {
        XFreeGC(display_, gc_);
        if (font_ != nullptr) {
            XFreeFont(display_, font_);
        }
        XDestroyWindow(display_, window_);
        XFlush(display_);
    }

    void runUntilClosed() {
        for (;;) {
            XEvent event;
            XNextEvent(display_, &event);
            switch (event.type) {
            case Expose:
                draw();
                break;
            case KeyPress: {
                const KeySym key = XLookupKeysym(&event.xkey, 0);
                if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space) {
                    return;
                }
                break;
            }
            case ButtonPress:
                if (onButton(event.xbutton.x, event.xbutton.y)) {
                    return;
                }
                break;
            case ClientMessage:
                if (Atom(event.xclient.data.l[0]) == deleteWindow_) {
                    return;
                }
                break;
            default:
                break;
            }
        }
    }

  private:
    int buttonLeft() const { return (width_ - kButtonWidth) / 2; }
    int buttonTop() const { return height_ - kMargin - kButtonHeight; }
    bool onButton(int x, int y) const {
        return x >= buttonLeft() && x <= buttonLeft() + kButtonWidth && y >= buttonTop() &&
               y <= buttonTop() + kButtonHeight;
    }
    void draw() {
        int y = kMargin + lineHeight_;
        for (const auto& line : lines_) {
            XDrawString(display_, window_, gc_, kMargin, y, line.c_str(), int(line.size()));
            y += lineHeight_;
        }
        XDrawRectangle(display_, window_, gc_, buttonLeft(), buttonTop(), kButtonWidth, kButtonHeight);
        XDrawString(display_, window_, gc_, buttonLeft() + kButtonWidth / 2 - 6,
                    buttonTop() + kButtonHeight / 2 + 4, "OK", 2);
    }

    Display* display_;
    std::vector<std::string> lines_;
    XFontStruct* font_ = nullptr;
    Window window_{};
    GC gc_{};
    Atom deleteWindow_{};
    int lineHeight_ = 15, width_ = 0, height_ = 0;
};

} // namespace

void WindowMessageShell::box(std::string_view caption, std::string_view text) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        StderrMessageShell::box(caption, text);
        return;
    }
    {
        Box window(display, caption, wrap(text));
        window.runUntilClosed();
    }
    XCloseDisplay(display);
}

std::unique_ptr<MessageShell> messageShellFor(const std::string& modeWord) {
    const char* display = std::getenv("DISPLAY");
    const char* route = std::getenv("PGPLOT_MESSAGES");
    const bool toStderr = route != nullptr && std::string_view(route) == "stderr";
    if (LCASE(modeWord) == "wv" && display != nullptr && *display != '\0' && !toStderr) {
        return std::make_unique<WindowMessageShell>();
    }
    return std::make_unique<StderrMessageShell>();
}

} // namespace pgplot
