// Alt+F8 as an X11 passive grab on the root window, read from the xcb event stream.
#include "platform/hotkey.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

namespace platform {

namespace {

class NullHotKey : public HotKey {
public:
    bool grab() override { return false; }
    void release() override {}
};

// Lock keys change the modifier state; Alt+F8 must work with Caps Lock or Num Lock on, so the
// grab covers every combination of them.
constexpr unsigned kLockMasks[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

bool grabFailed = false;
int recordError(Display*, XErrorEvent*) {
    grabFailed = true;
    return 0;
}

class X11HotKey : public HotKey, public QAbstractNativeEventFilter {
public:
    explicit X11HotKey(Display* dpy) : dpy_(dpy) {}
    ~X11HotKey() override { release(); }

    bool grab() override {
        if (grabbed_) return true;
        keycode_ = XKeysymToKeycode(dpy_, XK_F8);
        if (keycode_ == 0) return false;
        XSync(dpy_, False);
        grabFailed = false;
        XErrorHandler previous = XSetErrorHandler(recordError);
        for (unsigned lock : kLockMasks)
            XGrabKey(dpy_, keycode_, Mod1Mask | lock, DefaultRootWindow(dpy_), True, GrabModeAsync,
                     GrabModeAsync);
        XSync(dpy_, False);
        XSetErrorHandler(previous);
        if (grabFailed) {
            ungrab();
            return false;
        }
        grabbed_ = true;
        QCoreApplication::instance()->installNativeEventFilter(this);
        return true;
    }

    void release() override {
        if (!grabbed_) return;
        grabbed_ = false;
        QCoreApplication::instance()->removeNativeEventFilter(this);
        ungrab();
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* ev = static_cast<const xcb_generic_event_t*>(message);
        if ((ev->response_type & 0x7f) != XCB_KEY_PRESS) return false;
        const auto* key = static_cast<const xcb_key_press_event_t*>(message);
        const unsigned mods = key->state & (ShiftMask | ControlMask | Mod1Mask | Mod4Mask);
        if (key->detail != keycode_ || mods != Mod1Mask) return false;
        Q_EMIT pressed();
        return true;
    }

private:
    void ungrab() {
        XErrorHandler previous = XSetErrorHandler(recordError);
        for (unsigned lock : kLockMasks)
            XUngrabKey(dpy_, keycode_, Mod1Mask | lock, DefaultRootWindow(dpy_));
        XSync(dpy_, False);
        XSetErrorHandler(previous);
    }

    Display* dpy_;
    KeyCode keycode_ = 0;
    bool grabbed_ = false;
};

std::function<std::unique_ptr<HotKey>()>& factory() {
    static std::function<std::unique_ptr<HotKey>()> f;
    return f;
}

} // namespace

std::unique_ptr<HotKey> makeHotKey() {
    if (factory()) return factory()();
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        if (Display* dpy = x11->display()) return std::make_unique<X11HotKey>(dpy);
    return std::make_unique<NullHotKey>();
}

void setHotKeyFactory(std::function<std::unique_ptr<HotKey>()> factory_) {
    factory() = std::move(factory_);
}

} // namespace platform
