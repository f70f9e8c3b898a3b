// The X11 keyboard. Xlib headers define macros (None, Bool, Status) that clash with Qt: this file
// includes no Qt header.
#include "platform/keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace platform {

namespace {
Display* dpy(void* d) {
    return static_cast<Display*>(d);
}
} // namespace

X11Keyboard::X11Keyboard() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return;
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(d, &opcode, &event, &error, &major, &minor)) {
        XCloseDisplay(d);
        return;
    }
    int tmajor = 0, tminor = 0;
    xtest_ = XTestQueryExtension(d, &event, &error, &tmajor, &tminor);
    display_ = d;
}

X11Keyboard::~X11Keyboard() {
    if (display_) XCloseDisplay(dpy(display_));
}

bool X11Keyboard::capsLockOn() const {
    if (!display_) return false;
    XkbStateRec state{};
    if (XkbGetState(dpy(display_), XkbUseCoreKbd, &state) != Success) return false;
    return (state.locked_mods & LockMask) != 0;
}

void X11Keyboard::toggleCapsLock() {
    if (!display_ || !xtest_) return;
    const KeyCode caps = XKeysymToKeycode(dpy(display_), XK_Caps_Lock);
    if (!caps) return;
    // Press and release together: a key left down in the server would repeat or stick.
    XTestFakeKeyEvent(dpy(display_), caps, True, CurrentTime);
    XTestFakeKeyEvent(dpy(display_), caps, False, CurrentTime);
    XFlush(dpy(display_));
}

} // namespace platform
