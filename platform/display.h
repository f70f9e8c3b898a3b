// The display the program is about to open, checked before Qt opens it: Qt ends a program that
// cannot reach its display with a fatal error, that is SIGABRT and a core dump.
#pragma once

namespace platform {

// Whether the X display that Qt will open (DISPLAY) answers, waiting up to waitMs for one that is
// still starting. True when Qt will not run on X11 (another platform is named, by QT_QPA_PLATFORM
// or "-platform", or a Wayland session is there), since there is nothing to check then.
bool displayReachable(int argc, char** argv, int waitMs);

} // namespace platform
