// Mode "wv" on a virtual X display: the window stays until q is pressed in it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "test_support.h"

// Last: Xlib's macros clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace pgplot {
namespace {

using namespace std::chrono_literals;

class VirtualDisplay {
  public:
    VirtualDisplay() {
        const std::string candidate = ":" + std::to_string(100 + getpid() % 400);
        pid_ = fork();
        if (pid_ == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDERR_FILENO);
            dup2(null, STDOUT_FILENO);
            execlp("Xvfb", "Xvfb", candidate.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int wait = 0; wait < 100 && pid_ > 0; ++wait) {
            std::this_thread::sleep_for(50ms);
            // The connection stays open: the server resets whenever its last client leaves.
            if ((display_ = XOpenDisplay(candidate.c_str())) != nullptr) {
                name_ = candidate;
                return;
            }
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1; // no Xvfb, or the display is taken
            }
        }
    }
    ~VirtualDisplay() {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& name() const { return name_; }
    Display* display() const { return display_; }

  private:
    pid_t pid_ = -1;
    Display* display_ = nullptr;
    std::string name_;
};

// The viewable top-level windows of the display.
std::vector<Window> windows(Display* display) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    std::vector<Window> result;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable) {
            result.push_back(children[i]);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return result;
}

void pressKey(Display* display, Window window, KeySym key) {
    XKeyEvent event{};
    event.display = display;
    event.window = window;
    event.root = DefaultRootWindow(display);
    event.same_screen = True;
    event.keycode = XKeysymToKeycode(display, key);
    event.type = KeyPress;
    XSendEvent(display, window, True, KeyPressMask, reinterpret_cast<XEvent*>(&event));
    event.type = KeyRelease;
    XSendEvent(display, window, True, KeyReleaseMask, reinterpret_cast<XEvent*>(&event));
    XFlush(display);
}

bool running(pid_t pid, int& status) {
    return waitpid(pid, &status, WNOHANG) == 0;
}

// Ends the program if a failed check leaves it waiting.
struct KillOnExit {
    pid_t pid;
    ~KillOnExit() {
        int status = 0;
        if (pid > 0 && running(pid, status)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
    }
};

TEST(ScreenMode, WindowStaysUntilQIsPressed) {
    VirtualDisplay virtualDisplay;
    if (virtualDisplay.name().empty()) {
        GTEST_SKIP() << "no Xvfb";
    }
    testing::ScratchFolder folder;
    const auto config = folder.write(
        "pgtemp.cfg", testing::crlfLines({"-fn" + folder.fixture("decay.dat"), "-xm0\t7", "-ym0\t100", "-at1",
                                          "-eb1\t 1\t0", "-ey$", "-p11\t3", "-a1100", "-a2-0.4", "-!!"}));
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("DISPLAY", virtualDisplay.name().c_str(), 1);
        setenv("PGPLOT_MESSAGES", "stderr", 1);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(PGPLOT_PROGRAM, PGPLOT_PROGRAM, "wv", config.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const KillOnExit guard{pid};
    Display* display = virtualDisplay.display();
    int status = 0;
    std::vector<Window> shown;
    for (int wait = 0; wait < 100 && shown.empty() && running(pid, status); ++wait) {
        std::this_thread::sleep_for(50ms);
        shown = windows(display);
    }
    ASSERT_EQ(shown.size(), 1u) << "the graph window did not appear";
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(running(pid, status));

    pressKey(display, shown[0], XK_a);
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(running(pid, status)) << "another key closed the window";

    pressKey(display, shown[0], XK_q);
    bool ended = false;
    for (int wait = 0; wait < 100 && !ended; ++wait) {
        std::this_thread::sleep_for(50ms);
        ended = !running(pid, status);
    }
    ASSERT_TRUE(ended) << "q did not close the window";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
} // namespace pgplot
