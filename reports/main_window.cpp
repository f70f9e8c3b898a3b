// The main window.
#include "reports/main_window.h"

Tzjzkfrm::Tzjzkfrm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("zjzkfrm"));
    setFixedSize(981, 643);
}

void Tzjzkfrm::loggedIn() { show(); }
