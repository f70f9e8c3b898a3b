// The repayment window TJRHKfrm "还款" and the collection window TJCSKfrm "收款": money paid back on
// the list's current Borrowing out of an account, or received back on a Lending into one. One
// implementation serves both; every difference is a field of PayBackSide.
#pragma once

#include "loans/loan_ops.h"
#include "store/money.h"

#include <QDialog>
#include <QSqlRecord>
#include <QString>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class PayBackForm;
}

namespace loans {

struct PayBackSide {
    Kind kind;
    QString name, caption;
    QString headGroup, amountGroup; // the two group boxes' names: top (who and how much), bottom
    QString lead;                   // lbl1: the line before the person's name
    QString headName, headSuffix;   // the label that carries the name, and what follows it
    QString outstandingLabel;       // lbl7
    QString amountLabel;            // lbl3
    QString amountRefusal;
    QString aboveRefusal;
    // The outstanding amount is compared with the number as typed (100.004 is above 100.00), not
    // with the amount it would be stored as.
    bool judgesTypedAmount;
    // The paying account's balance is shown and limits the amount.
    bool limitedByBalance;
    QString done;
};

const PayBackSide& repaymentSide();
const PayBackSide& collectionSide();

class PayBackWindow : public QDialog {
    Q_OBJECT
public:
    // current: the list's current row.
    PayBackWindow(QWidget* owner, const PayBackSide& side, const QSqlRecord& current);
    ~PayBackWindow() override;

private:
    void FormCreate();
    void cbb1Change();
    void btn1Click();
    void refuseAmount(const QString& text);

    const PayBackSide& side_;
    QSqlRecord row_;
    std::unique_ptr<Ui::PayBackForm> form;
    std::optional<store::Money> balance_;
    QGroupBox* grpHead = nullptr;
    QGroupBox* grpAmount = nullptr;
    QLabel* lbl1 = nullptr;
    QLabel* lblHead = nullptr;
    QLabel* lbl7 = nullptr;
    QLabel* dbtxt2 = nullptr;
    QLabel* lbl3 = nullptr;
    QLineEdit* edt1 = nullptr;
    QLabel* lbl4 = nullptr;
    QComboBox* cbb1 = nullptr;
    QLabel* lblBalance = nullptr;
    QLabel* lbl6 = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;
};

} // namespace loans

class TJRHKfrm : public loans::PayBackWindow {
    Q_OBJECT
public:
    TJRHKfrm(QWidget* owner, const QSqlRecord& current)
        : PayBackWindow(owner, loans::repaymentSide(), current) {}
};

class TJCSKfrm : public loans::PayBackWindow {
    Q_OBJECT
public:
    TJCSKfrm(QWidget* owner, const QSqlRecord& current)
        : PayBackWindow(owner, loans::collectionSide(), current) {}
};
