// The platform services in force. Each is null until the program installs the ones of its
// platform; tests install doubles.
#pragma once

namespace platform {

class Keyboard;
class Calculator;

Keyboard& keyboard();
// Installs a keyboard (nullptr brings back the null one). The caller keeps ownership.
void setKeyboard(Keyboard* k);

Calculator& calculator();
// Installs a calculator service (nullptr brings back the null one). The caller keeps ownership.
void setCalculator(Calculator* c);

// Chooses the services by the Qt platform: on X11 (xcb) the X11 keyboard and the desktop calculator,
// elsewhere the null ones. Call once the application object exists; they live until the process ends.
void installPlatformServices();

} // namespace platform
