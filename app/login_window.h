// The login window Tloginfrm: the start check, the Caps Lock lamp and the one user's login. It is
// the program's main window in the toolkit's sense: closing it ends the program.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

class QTimer;
class Tzjzkfrm;

namespace Ui {
class Tloginfrm;
}
namespace ui {
class CapsLockLamp;
}

class Tloginfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tloginfrm(QWidget* parent = nullptr);
    ~Tloginfrm() override;

    // The windows the login hands over to; set before the event loop runs.
    void setMainWindow(Tzjzkfrm* w);
    void setWelcomeWindow(QWidget* w) { welcome_ = w; }
    // The program folder holding data/bridge.ysn (by default the executable's folder).
    void setProgramDir(const QString& dir) { programDir_ = dir; }

    // The main window's caption for a user.
    static QString mainCaption(const QString& user);
    // A typed name or password without the blanks and control characters at either end.

    // Esc, like 取消, closes the window and so ends the program.
    void reject() override;

    QTimer* tmr1 = nullptr; // the start check: once, 1 ms after the event loop starts
    ui::CapsLockLamp* lamp() const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate();
    void tmr1Timer();
    void btn1Click();
    void btn2Click();

    std::unique_ptr<Ui::Tloginfrm> ui;
    QPointer<Tzjzkfrm> main_;
    QPointer<QWidget> welcome_;
    QString programDir_;
};

// The login window of the program while one exists; closing it ends the program.
inline Tloginfrm* loginfrm = nullptr;
