// Times a program's start to the first picture it shows: starts the command, watches the X server
// for a window being mapped and for drawing into it (the DAMAGE extension), and prints the
// milliseconds from the start to the first drawing that leaves something other than black in the
// window. Then it waits for the program and exits as it did.
// Usage: first_frame <command> [argument]...
// The program's process id is printed on the first line ("pid N"), the time on the second
// ("first frame N ms", or "first frame none" when the program ended before showing anything), and
// on the third how many times a window was mapped until then ("maps N": 1 when the window is
// shown once, not shown, dropped and shown again).

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// True when a row across the middle of the window holds a pixel that is not black: the window
// background the server paints on mapping is black, the game's pictures never are.
bool ShowsSomething(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.width <= 0) {
        return false;
    }
    XImage* row = XGetImage(display, window, 0, attributes.height / 2, attributes.width, 1,
                            AllPlanes, ZPixmap);
    if (row == nullptr) {
        return false;
    }
    bool something = false;
    for (int x = 0; x < attributes.width && !something; ++x) {
        something = (XGetPixel(row, x, 0) & 0xFFFFFF) != 0;
    }
    XDestroyImage(row);
    return something;
}

int ExitCodeOf(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return 1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Errors about windows that vanished between an event and a look at them are expected.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// Waits for the first picture of the child; returns its time in ms, or a negative number when the
// child ended first.
double WaitForFirstFrame(Display* display, pid_t child, Clock::time_point start, int& maps) {
    int damageEvent = 0;
    int damageError = 0;
    if (XDamageQueryExtension(display, &damageEvent, &damageError) == 0) {
        std::fprintf(stderr, "first_frame: the X server has no DAMAGE extension\n");
        return -1;
    }
    std::vector<Damage> damages;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                ++maps;
                damages.push_back(XDamageCreate(display, event.xmap.window, XDamageReportNonEmpty));
            } else if (event.type == damageEvent + XDamageNotify) {
                const auto& notify = reinterpret_cast<const XDamageNotifyEvent&>(event);
                XDamageSubtract(display, notify.damage, None, None);
                if (ShowsSomething(display, notify.drawable)) {
                    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                }
            }
        }
        if (waitpid(child, nullptr, WNOHANG) == child) {
            return -1;
        }
        poll(&connection, 1, 5);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_frame <command> [argument]...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_frame: no display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[1], argv + 1);
        std::perror("first_frame: cannot start the command");
        _exit(127);
    }
    std::printf("pid %d\n", static_cast<int>(child));
    std::fflush(stdout);
    int maps = 0;
    const double ms = WaitForFirstFrame(display, child, start, maps);
    if (ms >= 0) {
        std::printf("first frame %.1f ms\n", ms);
    } else {
        std::printf("first frame none\n");
    }
    std::printf("maps %d\n", maps);
    std::fflush(stdout);
    XCloseDisplay(display);
    return ExitCodeOf(child);
}
