// The repayment and collection windows.
#include "loans/pay_back.h"

#include "accounts/account_ops.h"
#include "loans/loan_ui.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/amount_check.h"
#include "ui/calculator_hook.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/window_style.h"
#include "ui_pay_back.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using store::Money;

namespace loans {

const PayBackSide& repaymentSide() {
    static const PayBackSide side{
        Kind::Borrowing,
        QStringLiteral("JRHKfrm"),
        QStringLiteral("还款"),
        QStringLiteral("grp2"),
        QStringLiteral("grp1"),
        QStringLiteral("您现在正准备给:"),
        QStringLiteral("lbl2"),
        QStringLiteral("还款"),
        QStringLiteral("待还款余额："),
        QStringLiteral("本次还款金额："),
        QStringLiteral("\"本次还款金额\"不能为空，且必须为正的数字!"),
        QStringLiteral("您超出了需要还款的额度，请重新输入！\n\n  如果有利息产生请纳入支出款项！"),
        true,
        true,
        QStringLiteral("本次还款成功！"),
    };
    return side;
}

const PayBackSide& collectionSide() {
    static const PayBackSide side{
        Kind::Lending,
        QStringLiteral("JCSKfrm"),
        QStringLiteral("收款"),
        QStringLiteral("grp1"),
        QStringLiteral("grp2"),
        QStringLiteral("您现在正准备向："),
        QStringLiteral("lbl5"),
        QStringLiteral("收款。"),
        QStringLiteral("待收款余额："),
        QStringLiteral("本次收款金额："),
        QStringLiteral("\"本次收款金额\"不能为空，且必须为正的数字!"),
        QStringLiteral("您超出了需要收款的额度，请重新输入！\n\n  如果有利息产生请纳入收入款项！"),
        false,
        false,
        QStringLiteral("本次收款成功！"),
    };
    return side;
}

PayBackWindow::PayBackWindow(QWidget* owner, const PayBackSide& side, const QSqlRecord& current)
    : QDialog(owner), side_(side), row_(current), form(std::make_unique<Ui::PayBackForm>()) {
    form->setupUi(this);
    setObjectName(side.name);
    setWindowTitle(side.caption);
    ui::applyStandardStyle(this);
    grpHead = form->grpHead;
    grpAmount = form->grpAmount;
    lbl1 = form->lbl1;
    lblHead = form->lblHead;
    lbl7 = form->lbl7;
    dbtxt2 = form->dbtxt2;
    lbl3 = form->lbl3;
    edt1 = form->edt1;
    lbl4 = form->lbl4;
    cbb1 = form->cbb1;
    btn1 = form->btn1;
    btn2 = form->btn2;
    // The two sides name their boxes and labels differently; the balance row is the repayment's.
    grpHead->setObjectName(side.headGroup);
    grpAmount->setObjectName(side.amountGroup);
    if (side.limitedByBalance) {
        lblBalance = form->lblBalance;
        lbl6 = form->lbl6;
        lblBalance->setObjectName(QStringLiteral("lbl5"));
    } else {
        delete form->lblBalance;
        delete form->lbl6;
        form->lblBalance = form->lbl6 = nullptr;
    }
    lblHead->setObjectName(side.headName);
    lbl1->setText(side.lead);
    lbl7->setText(side.outstandingLabel);
    dbtxt2->setAccessibleName(side.outstandingLabel);
    lbl3->setText(side.amountLabel);

    ui::attachCalculator(edt1);
    connect(btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(btn2, &QPushButton::clicked, this, ui::guarded([this] { reject(); }));
    FormCreate();
    if (side.limitedByBalance)
        connect(cbb1, &QComboBox::currentIndexChanged, this, ui::guarded([this] { cbb1Change(); }));
    edt1->setFocus();
}

PayBackWindow::~PayBackWindow() = default;

void PayBackWindow::FormCreate() {
    lblHead->setText(row_.value(QStringLiteral("借款人")).toString() + side_.headSuffix);
    dbtxt2->setText(rowMoneyText(row_, QStringLiteral("余额")));
    cbb1->clear();
    cbb1->addItems(accounts::accountNames(store::dmod1->con1()));
    cbb1->setCurrentIndex(cbb1->count() ? 0 : -1);
    if (side_.limitedByBalance) cbb1Change();
}

void PayBackWindow::cbb1Change() {
    balance_ = store::balanceLookup(store::dmod1->con1(), cbb1->currentText());
    lbl6->setText(balance_ ? balance_->generalText() : QString());
}

void PayBackWindow::refuseAmount(const QString& text) {
    ui::warn(text);
    edt1->clear();
    edt1->setFocus();
}

void PayBackWindow::btn1Click() {
    const qint64 id = row_.value(QStringLiteral("id")).toLongLong();
    const QString text = edt1->text();
    const QString account = cbb1->currentText();
    const std::optional<Money> amount = ui::amountCheck(text);
    // An amount that is stored as 0.00 would pay nothing back: refused on either side.
    if (!amount || *amount <= Money()) return refuseAmount(side_.amountRefusal);
    const Money outstanding = rowMoney(row_, QStringLiteral("余额"));
    const bool above = side_.judgesTypedAmount ? store::parseAmount(text).exactCompare(outstanding) > 0
                                               : *amount > outstanding;
    if (above) return refuseAmount(side_.aboveRefusal);
    const QString overdraw = QStringLiteral("该结算账户余额不足！");
    if (side_.limitedByBalance && *amount > balance_.value_or(Money())) return refuseAmount(overdraw);

    switch (payBack(store::dmod1->con1(), side_.kind, id, account, *amount)) {
    case Outcome::Done:
        break;
    case Outcome::AboveOutstanding:
        return refuseAmount(side_.aboveRefusal);
    case Outcome::Overdraw:
        return refuseAmount(overdraw);
    case Outcome::NoSuchAccount:
        reportGone(side_.kind, QStringLiteral("账户“%1”").arg(account));
    case Outcome::NoSuchLoan:
        reportGone(side_.kind, QStringLiteral("该记录"));
    default:
        return refuseAmount(side_.amountRefusal);
    }
    refreshAfterChange(side_.kind);
    ui::inform(side_.done);
    accept();
}

} // namespace loans
