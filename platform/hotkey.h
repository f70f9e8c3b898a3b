// The system-wide hot key Alt+F8 behind a small interface: grabbed on the X11 root window, a null
// service elsewhere (offscreen, Wayland, tests).
#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace platform {

class HotKey : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~HotKey() override = default;

    // Takes Alt+F8 for the program; false when the system refused it (another program holds it,
    // or the platform has no global keys). A refusal is not reported to the user.
    virtual bool grab() = 0;
    // Gives the key back; harmless when it was not taken.
    virtual void release() = 0;

Q_SIGNALS:
    void pressed();
};

// The hot key of the platform the program runs on.
std::unique_ptr<HotKey> makeHotKey();

// Replaces what makeHotKey() builds (an empty function brings back the platform's service).
void setHotKeyFactory(std::function<std::unique_ptr<HotKey>()> factory);

} // namespace platform
