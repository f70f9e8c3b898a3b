// The list windows TJRfrm "借入款项管理" and TJCfrm "借出款项管理": every Borrowing or Lending with
// its totals, and the commands to add, correct, delete and pay back. One implementation serves both;
// every difference is a field of LoanListSide.
#pragma once

#include "loans/loan_ops.h"

#include <QDialog>
#include <QString>
#include <memory>

class QAction;
class QKeyEvent;
class QGroupBox;
class QMenu;
class QPushButton;

namespace ui {
class FooterGrid;
}

namespace Ui {
class LoanListForm;
}

namespace loans {

struct LoanListSide {
    Kind kind;
    QString name, caption;
    QString gridName;
    QString payBackText;       // btn3
    QString countFormat;       // the 备注 column's footer
    QString deleteName;        // the grid menu's 删除 entry
    QString separatorName;     // the separator before 还款
    QString payBackName;       // the grid menu's 还款 entry
    QString trailingSeparator; // a separator after 还款, when there is one
    QString partlyReturned;    // the delete refusal of a loan partly paid back
    bool deleteChecksBalance;  // a Borrowing's money must still be in its account
};

const LoanListSide& borrowingList();
const LoanListSide& lendingList();

class LoanListWindow : public QDialog {
    Q_OBJECT
public:
    LoanListWindow(QWidget* owner, const LoanListSide& side);
    ~LoanListWindow() override;
    ui::FooterGrid* grid() const { return dbgrdh; }

protected:
    // The list has no cancel button: Esc does not close it.
    void keyPressEvent(QKeyEvent* e) override;

private:
    void btn1Click();
    void btn4Click();
    void btn2Click();
    void btn3Click();

    const LoanListSide& side_;
    std::unique_ptr<Ui::LoanListForm> form;
    QGroupBox* grp1 = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn4 = nullptr;
    QPushButton* btn2 = nullptr;
    QPushButton* btn3 = nullptr;
    ui::FooterGrid* dbgrdh = nullptr;
    QMenu* pm1 = nullptr;
    QMenu* pm2 = nullptr;
};

// The main window's commands 借入管理 and 借出管理: open a list above owner.
void borrowingsCommand(QWidget* owner);
void lendingsCommand(QWidget* owner);

} // namespace loans

class TJRfrm : public loans::LoanListWindow {
    Q_OBJECT
public:
    explicit TJRfrm(QWidget* owner = nullptr) : LoanListWindow(owner, loans::borrowingList()) {}
};

class TJCfrm : public loans::LoanListWindow {
    Q_OBJECT
public:
    explicit TJCfrm(QWidget* owner = nullptr) : LoanListWindow(owner, loans::lendingList()) {}
};
