// The platform services in force.
#include "platform/services.h"

#include "platform/calculator.h"
#include "platform/keyboard.h"

#include <QGuiApplication>

namespace platform {

namespace {
NullKeyboard nullKeyboard;
NullCalculator nullCalculator;
Keyboard* installedKeyboard = nullptr;
Calculator* installedCalculator = nullptr;
} // namespace

Keyboard& keyboard() {
    return installedKeyboard ? *installedKeyboard : nullKeyboard;
}

void setKeyboard(Keyboard* k) {
    installedKeyboard = k;
}

Calculator& calculator() {
    return installedCalculator ? *installedCalculator : nullCalculator;
}

void setCalculator(Calculator* c) {
    installedCalculator = c;
}

void installPlatformServices() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    static X11Keyboard x11Keyboard;
    static DesktopCalculator desktopCalculator;
    setKeyboard(&x11Keyboard);
    setCalculator(&desktopCalculator);
}

} // namespace platform
