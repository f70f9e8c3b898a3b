// The add and correct windows of Borrowings and Lendings: TaddJRfrm "添加借入款记录", TaddJCfrm
// "添加借出款纪录", TupdateJRfrm "修改借入款项", Tupdatejcfrm "修改借出款记录". Both sides share one
// form and one implementation; every difference between them is a field of LoanSide.
#pragma once

#include "loans/loan_ops.h"
#include "store/money.h"
#include "ui/dialogs.h"

#include <QDialog>
#include <QSqlRecord>
#include <QStringList>
#include <memory>
#include <optional>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class LoanEditForm;
}

namespace loans {

// A refusal of the correct window's balance check: its text and icon, whether the amount is put
// back to the stored one and whether the focus goes to it.
struct BalanceRefusal {
    QString text;
    ui::Icon icon;
    bool restore;
    bool focus;
};

// Everything in which the borrowing and the lending windows differ.
struct LoanSide {
    Kind kind;
    QString amountField; // the amount's column, also its label text before "："
    bool showsBalance;   // the selected account's balance stands under the account choice
    QString addName, addCaption;
    QString correctName, correctCaption;
    QStringList addTabOrder, correctTabOrder;
    // Add window.
    QString addAmountRefusal;
    bool addRefusesOverdraw; // the amount may not exceed the account's balance (re-read at 确定)
    QString overdrawRefusal;
    QString addPersonRefusal;
    bool addTrims; // 借款人 and 备注 are stored trimmed, otherwise as typed
    QString addDone;
    // Correct window.
    QString correctAmountRefusal;
    QString correctPersonRefusal;
    QString belowReturnedRefusal;
    BalanceRefusal movedShort; // the loan moves to another account
    BalanceRefusal sameShort;  // it stays on its account
    QString correctDone;
};

const LoanSide& borrowingSide();
const LoanSide& lendingSide();

// The form both windows show.
class LoanForm : public QDialog {
    Q_OBJECT
public:
    const LoanSide& side() const { return side_; }

protected:
    LoanForm(QWidget* owner, const LoanSide& side, bool correcting);
    ~LoanForm() override;
    void showBalance();
    void fillAccounts(const QString& first);

    const LoanSide& side_;
    std::unique_ptr<Ui::LoanEditForm> form;
    QGroupBox* grp1 = nullptr;
    QGroupBox* grp2 = nullptr;
    QLabel* lbl8 = nullptr;
    QLabel* lbl1 = nullptr;
    QDateEdit* dtp1 = nullptr;
    QLabel* lbl2 = nullptr;
    QComboBox* cbb1 = nullptr;
    QLabel* lbl6 = nullptr;
    QLabel* lbl7 = nullptr;
    QLabel* lbl3 = nullptr;
    QLineEdit* edt1 = nullptr;
    QLabel* lbl4 = nullptr;
    QLineEdit* edt2 = nullptr;
    QLabel* lbl5 = nullptr;
    QLineEdit* edt3 = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;
    // The selected account's balance as last looked up (nothing when it has none).
    std::optional<store::Money> balance_;
};

class LoanAddWindow : public LoanForm {
    Q_OBJECT
public:
    LoanAddWindow(QWidget* owner, const LoanSide& side);

private:
    void FormCreate();
    void btn1Click();
    void refuseAmount(const QString& text);
};

class LoanCorrectWindow : public LoanForm {
    Q_OBJECT
public:
    // current: the list's current row.
    LoanCorrectWindow(QWidget* owner, const LoanSide& side, const QSqlRecord& current);

private:
    void FormCreate();
    void btn1Click();
    void restoreAmount(bool focus);

    QSqlRecord row_;
};

} // namespace loans

class TaddJRfrm : public loans::LoanAddWindow {
    Q_OBJECT
public:
    explicit TaddJRfrm(QWidget* owner = nullptr) : LoanAddWindow(owner, loans::borrowingSide()) {}
};

class TaddJCfrm : public loans::LoanAddWindow {
    Q_OBJECT
public:
    explicit TaddJCfrm(QWidget* owner = nullptr) : LoanAddWindow(owner, loans::lendingSide()) {}
};

class TupdateJRfrm : public loans::LoanCorrectWindow {
    Q_OBJECT
public:
    TupdateJRfrm(QWidget* owner, const QSqlRecord& current)
        : LoanCorrectWindow(owner, loans::borrowingSide(), current) {}
};

class Tupdatejcfrm : public loans::LoanCorrectWindow {
    Q_OBJECT
public:
    Tupdatejcfrm(QWidget* owner, const QSqlRecord& current)
        : LoanCorrectWindow(owner, loans::lendingSide(), current) {}
};
