// The top-level windows on the test's X server, read with Xlib.
#include "x_windows.h"

#include <QByteArray>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace xwindows {

namespace {

// The program's windows come and go while they are read: a window gone between the listing and
// the reading of its attributes is an error reply, which Xlib's default handler answers by ending
// the test. Such a window is passed over instead.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

struct Connection {
    Display* display = open();
    static Display* open() {
        XSetErrorHandler(ignoreErrors);
        return XOpenDisplay(nullptr);
    }
    ~Connection() {
        if (display) XCloseDisplay(display);
    }
};

QByteArray property(Display* d, ::Window w, const char* name, Atom type) {
    const Atom atom = XInternAtom(d, name, False);
    Atom actualType = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    QByteArray bytes;
    if (XGetWindowProperty(d, w, atom, 0, 1 << 16, False, type, &actualType, &format, &items, &after,
                           &data) == Success &&
        data) {
        // 32-bit items come back as longs.
        const int unit = format == 32 ? int(sizeof(long)) : format / 8;
        bytes = QByteArray(reinterpret_cast<const char*>(data), int(items) * unit);
        XFree(data);
    }
    return bytes;
}

} // namespace

bool available() {
    return Connection().display != nullptr;
}

QList<Window> shown() {
    Connection c;
    QList<Window> windows;
    if (!c.display) return windows;
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(c.display, DefaultRootWindow(c.display), &root, &parent, &children, &count))
        return windows;
    const Atom utf8 = XInternAtom(c.display, "UTF8_STRING", False);
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(c.display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        Window w;
        w.id = children[i];
        w.title = QString::fromUtf8(property(c.display, children[i], "_NET_WM_NAME", utf8));
        // WM_CLASS holds the instance name and the class name, each ended by a zero byte.
        const QList<QByteArray> wmClass = property(c.display, children[i], "WM_CLASS", XA_STRING).split('\0');
        if (wmClass.size() > 1) w.wmClass = QString::fromLatin1(wmClass.at(1));
        w.hasIcon = !property(c.display, children[i], "_NET_WM_ICON", XA_CARDINAL).isEmpty();
        windows.append(w);
    }
    if (children) XFree(children);
    return windows;
}

void close(unsigned long id) {
    Connection c;
    if (!c.display) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(c.display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(c.display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(c.display, id, False, NoEventMask, &event);
    XFlush(c.display);
}

} // namespace xwindows
