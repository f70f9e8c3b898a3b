// The main window Tzjzkfrm: the hub with the dashboard, the clock, the account grid and the
// commands that open every other window.
#pragma once

#include "store/money.h"
#include "ui_main_window.h"

#include <QMainWindow>
#include <QSqlRecord>
#include <memory>
#include <optional>

class QTimer;

namespace platform {
class HotKey;
}

// The widgets and commands are public: the windows of the account, entry, loan, statistics and
// administration subsystems wire their own commands (btn14, btn16, btn15, act1 … act10, N9) and read
// the month box.
class Tzjzkfrm : public QMainWindow, public Ui_Tzjzkfrm {
    Q_OBJECT
public:
    explicit Tzjzkfrm(QWidget* parent = nullptr);
    ~Tzjzkfrm() override;

    // Called by the login once the user is in (the caption is already set): shows the window and
    // from now on lets the hot key hide and show the program.
    void loggedIn();

    // The month the month box shows.
    int shownYear() const { return year_; }
    int shownMonth() const { return month_; }

    // The account grid's current row of store::dmod1->qry1; an empty record when there are no
    // accounts.
    QSqlRecord currentAccountRow() const;

    QTimer* tmr1 = nullptr; // the clock, every second
    QTimer* tmr2 = nullptr; // the deferred dashboard refresh, one-shot

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tmr1Timer();
    void tmr2Timer();
    void btn1Click();
    void btn7Click();
    void btn13Click();
    void hotKeyPressed();
    void showMonth();
    void monthFigures();
    void bindGrid();
    void setArtwork();

    int year_ = 0;
    int month_ = 0;
    // The month box's figures as computed (nothing before the first refresh): the statistics
    // window takes them as amounts, never by reading the labels back.
    std::optional<store::Money> monthIncome_;
    std::optional<store::Money> monthExpense_;
    bool loggedIn_ = false;
    bool visible_ = true;
    std::unique_ptr<platform::HotKey> hotKey_;
};

// The main window while it exists.
inline Tzjzkfrm* zjzkfrm = nullptr;
