// The main window Tzjzkfrm: the hub with the dashboard, the clock, the account grid and the
// commands that open every other window.
#pragma once

#include <QMainWindow>

class Tzjzkfrm : public QMainWindow {
    Q_OBJECT
public:
    explicit Tzjzkfrm(QWidget* parent = nullptr);

    // Called by the login once the user is in (the caption is already set): shows the window and
    // from now on lets the hot key hide and show the program.
    void loggedIn();
};
