// The top-level windows a program shows on the test's X server, seen from outside the program.
#pragma once

#include <QList>
#include <QString>

namespace xwindows {

struct Window {
    unsigned long id = 0;
    QString title;
    QString wmClass;      // the class part of WM_CLASS
    bool hasIcon = false; // _NET_WM_ICON is set
};

// False when no X server is reachable through DISPLAY.
bool available();
// The viewable top-level windows of the screen.
QList<Window> shown();
// Asks a window to close, the way a window manager's close button does.
void close(unsigned long id);

} // namespace xwindows
