// The keyboard service: the Caps Lock toggle state and synthesised Caps Lock key strokes.
#pragma once

namespace platform {

class Keyboard {
public:
    virtual ~Keyboard() = default;
    virtual bool capsLockOn() const = 0;
    // Sends one Caps Lock stroke (press and release) to the system, which flips the state.
    virtual void toggleCapsLock() = 0;
};

// Reports Caps Lock off and sends nothing (offscreen, Wayland, tests).
class NullKeyboard : public Keyboard {
public:
    bool capsLockOn() const override { return false; }
    void toggleCapsLock() override {}
};

// The X11 keyboard: state through XKB, strokes through XTest. Without a display (or without those
// extensions) it behaves like the null keyboard.
class X11Keyboard : public Keyboard {
public:
    X11Keyboard();
    ~X11Keyboard() override;
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    bool capsLockOn() const override;
    void toggleCapsLock() override;

private:
    void* display_ = nullptr; // Display*, kept opaque so that Xlib's macros stay out of Qt code
    bool xtest_ = false;
};

} // namespace platform
