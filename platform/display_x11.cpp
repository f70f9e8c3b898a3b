// The X display check. Xlib's macros clash with Qt: this file includes no Qt header.
#include "platform/display.h"

#include <X11/Xlib.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace platform {

namespace {
bool runsOnX11(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0) platform = argv[i + 1];
    if (platform && *platform) return std::strncmp(platform, "xcb", 3) == 0;
    // Without a choice Qt takes xcb on X11 and may take Wayland in a Wayland session.
    return std::getenv("WAYLAND_DISPLAY") == nullptr;
}
} // namespace

bool displayReachable(int argc, char** argv, int waitMs) {
    if (!runsOnX11(argc, argv)) return true;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (Display* d = XOpenDisplay(nullptr)) {
            XCloseDisplay(d);
            return true;
        }
        if (std::chrono::steady_clock::now() >= until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

} // namespace platform
