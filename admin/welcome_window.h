// The welcome window Twelcomefrm: a borderless greeting before the login, with the initial user's
// hint, a switch to stop showing it and a button on to the login.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

namespace Ui {
class Twelcomefrm;
}

class Twelcomefrm : public QDialog {
    Q_OBJECT
public:
    // loginWindow is shown again when this window goes away.
    explicit Twelcomefrm(QWidget* loginWindow, QWidget* parent = nullptr);
    ~Twelcomefrm() override;

    // The hint under the button (shown only while the welcome switch is on).
    static QString hintText();

    // The close key (Esc) closes the window like the button and Alt+F4 do.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate();
    void chk1Click();
    void btn1Click();
    void FormClose();

    std::unique_ptr<Ui::Twelcomefrm> ui;
    QPointer<QWidget> login_;
};

// The welcome window of the program while one exists.
inline Twelcomefrm* welcomefrm = nullptr;
