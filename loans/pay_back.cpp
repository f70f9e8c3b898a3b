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

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    : QDialog(owner), side_(side), row_(current) {
    setObjectName(side.name);
    setWindowTitle(side.caption);
    ui::applyStandardStyle(this);

    const auto named = [](QWidget* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };
    grpHead = new QGroupBox(this);
    named(grpHead, side.headGroup);
    grpAmount = new QGroupBox(this);
    named(grpAmount, side.amountGroup);
    lbl1 = new QLabel(side.lead, grpHead);
    named(lbl1, QStringLiteral("lbl1"));
    lblHead = new QLabel(grpHead);
    named(lblHead, side.headName);
    lblHead->setStyleSheet(QStringLiteral("color: #2b5f94; font-weight: bold;"));
    lbl7 = new QLabel(side.outstandingLabel, grpHead);
    named(lbl7, QStringLiteral("lbl7"));
    dbtxt2 = new QLabel(grpHead);
    named(dbtxt2, QStringLiteral("dbtxt2"));
    dbtxt2->setStyleSheet(QStringLiteral("color: #b0482a; font-weight: bold;"));
    dbtxt2->setAccessibleName(side.outstandingLabel);

    auto* head = new QGridLayout(grpHead);
    head->setContentsMargins(14, 10, 14, 10);
    head->setVerticalSpacing(8);
    auto* who = new QHBoxLayout;
    who->setSpacing(2);
    who->addWidget(lbl1);
    who->addWidget(lblHead);
    who->addStretch();
    head->addLayout(who, 0, 0, 1, 2);
    head->addWidget(lbl7, 1, 0, Qt::AlignRight);
    head->addWidget(dbtxt2, 1, 1);

    lbl3 = new QLabel(side.amountLabel, grpAmount);
    named(lbl3, QStringLiteral("lbl3"));
    edt1 = new QLineEdit(grpAmount);
    named(edt1, QStringLiteral("edt1"));
    lbl4 = new QLabel(QStringLiteral("结算账户："), grpAmount);
    named(lbl4, QStringLiteral("lbl4"));
    cbb1 = new QComboBox(grpAmount);
    named(cbb1, QStringLiteral("cbb1"));
    edt1->setMinimumWidth(200);
    cbb1->setMinimumWidth(200);
    lbl3->setBuddy(edt1);
    lbl4->setBuddy(cbb1);
    auto* amount = new QGridLayout(grpAmount);
    amount->setContentsMargins(14, 10, 14, 10);
    amount->setVerticalSpacing(8);
    amount->addWidget(lbl3, 0, 0, Qt::AlignRight);
    amount->addWidget(edt1, 0, 1);
    amount->addWidget(lbl4, 1, 0, Qt::AlignRight);
    amount->addWidget(cbb1, 1, 1);
    if (side.limitedByBalance) {
        lblBalance = new QLabel(QStringLiteral("结算账户余额："), grpAmount);
        named(lblBalance, QStringLiteral("lbl5"));
        lbl6 = new QLabel(grpAmount);
        named(lbl6, QStringLiteral("lbl6"));
        lbl6->setAccessibleName(QStringLiteral("结算账户余额"));
        amount->addWidget(lblBalance, 2, 0, Qt::AlignRight);
        amount->addWidget(lbl6, 2, 1);
    }

    btn1 = new QPushButton(QStringLiteral("确定"), this);
    named(btn1, QStringLiteral("btn1"));
    btn1->setDefault(true);
    btn2 = new QPushButton(QStringLiteral("取消"), this);
    named(btn2, QStringLiteral("btn2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn1);
    buttons->addWidget(btn2);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(10, 10, 10, 10);
    main->setSpacing(8);
    main->addWidget(grpHead);
    main->addWidget(grpAmount);
    main->addLayout(buttons);

    ui::attachCalculator(edt1);
    setTabOrder(edt1, cbb1);
    setTabOrder(cbb1, btn1);
    setTabOrder(btn1, btn2);
    connect(btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(btn2, &QPushButton::clicked, this, ui::guarded([this] { reject(); }));
    FormCreate();
    if (side.limitedByBalance)
        connect(cbb1, &QComboBox::currentIndexChanged, this, ui::guarded([this] { cbb1Change(); }));
    edt1->setFocus();
}

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
