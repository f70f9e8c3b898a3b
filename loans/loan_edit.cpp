// The add and correct windows of Borrowings and Lendings.
#include "loans/loan_edit.h"

#include "accounts/account_ops.h"
#include "loans/loan_ui.h"
#include "store/clock.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/amount_check.h"
#include "ui/calculator_hook.h"
#include "ui/guard.h"
#include "ui/window_style.h"
#include "ui_loan_edit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using store::Money;

namespace loans {

namespace {

const QStringList fieldsFirst = {"edt1", "edt2", "edt3", "cbb1", "dtp1"};

// The correct windows keep a frame of their own and open at one place on the screen.
class PlaceOnShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && !o->property("yunshan_placed").toBool()) {
            o->setProperty("yunshan_placed", true);
            static_cast<QWidget*>(o)->move(240, 150);
        }
        return false;
    }
};

} // namespace

const LoanSide& borrowingSide() {
    static const LoanSide side{
        Kind::Borrowing,
        QStringLiteral("借入金额"),
        false,
        QStringLiteral("addJRfrm"),
        QStringLiteral("添加借入款记录"),
        QStringLiteral("updateJRfrm"),
        QStringLiteral("修改借入款项"),
        fieldsFirst,
        {"dtp1", "cbb1", "edt1", "edt2", "edt3"},
        QStringLiteral("\"借入金额\"不能为空，且必须为正的数字"),
        false,
        QString(),
        QStringLiteral("\"借款人\"不能为空"),
        false,
        QStringLiteral(" 借入记录添加成功！"),
        QStringLiteral("\"借入金额\"不能为空且必须为正的数字！"),
        QStringLiteral("\"借款人\"不能为空"),
        QStringLiteral("借入金额不能小于已偿还金额！"),
        {QStringLiteral("原账户该笔借入款已经被使用，结算账户余额不足！"), ui::Icon::None, false, false},
        {QStringLiteral("该笔借入款已经被使用，结算账户余额不足!"), ui::Icon::None, true, true},
        QStringLiteral("\n借入记录更新成功！\n"),
    };
    return side;
}

const LoanSide& lendingSide() {
    static const LoanSide side{
        Kind::Lending,
        QStringLiteral("借出金额"),
        true,
        QStringLiteral("addJCfrm"),
        QStringLiteral("添加借出款纪录"),
        QStringLiteral("updatejcfrm"),
        QStringLiteral("修改借出款记录"),
        fieldsFirst,
        fieldsFirst,
        QStringLiteral("\"借出金额\"不能为空，且必须为正的数字！"),
        true,
        QStringLiteral("转出账户余额不足！"),
        QStringLiteral("\"借款人\"不能为空！"),
        true,
        QStringLiteral("借出记录添加成功!"),
        QStringLiteral("\"借出金额\"不能为空且必须为正的数字！"),
        QStringLiteral("\"借款人\"不能为空"),
        QStringLiteral("借出金额不能小于已收还款金额！"),
        {QStringLiteral("该结算账户余额不足！"), ui::Icon::Warning, true, false},
        {QStringLiteral("该结算账户余额不足！"), ui::Icon::Warning, true, false},
        QStringLiteral("借出记录更新成功！"),
    };
    return side;
}

LoanForm::LoanForm(QWidget* owner, const LoanSide& side, bool correcting)
    : QDialog(owner), side_(side), form(std::make_unique<Ui::LoanEditForm>()) {
    form->setupUi(this);
    setObjectName(correcting ? side.correctName : side.addName);
    setWindowTitle(correcting ? side.correctCaption : side.addCaption);
    grp1 = form->grp1;
    grp2 = form->grp2;
    lbl8 = form->lbl8;
    lbl1 = form->lbl1;
    dtp1 = form->dtp1;
    lbl2 = form->lbl2;
    cbb1 = form->cbb1;
    lbl3 = form->lbl3;
    edt1 = form->edt1;
    lbl4 = form->lbl4;
    edt2 = form->edt2;
    lbl5 = form->lbl5;
    edt3 = form->edt3;
    btn1 = form->btn1;
    btn2 = form->btn2;
    lbl8->setText(
        QStringLiteral("说明：\"%1\"默认小数点为两位，多余部分将被自动四舍五入。").arg(side.amountField));
    lbl3->setText(side.amountField + QStringLiteral("："));
    if (side.showsBalance) {
        lbl6 = form->lbl6;
        lbl7 = form->lbl7;
    } else {
        // The borrowing windows show no balance.
        delete form->lbl6;
        delete form->lbl7;
        form->lbl6 = form->lbl7 = nullptr;
    }
    for (auto [l, w] :
         {std::pair<QLabel*, QWidget*>{lbl1, dtp1}, {lbl2, cbb1}, {lbl3, edt1}, {lbl4, edt2}, {lbl5, edt3}})
        l->setBuddy(w);

    ui::attachCalculator(edt1);
    const QStringList& order = correcting ? side.correctTabOrder : side.addTabOrder;
    QWidget* previous = nullptr;
    for (const QString& name : order + QStringList{QStringLiteral("btn1"), QStringLiteral("btn2")}) {
        QWidget* w = findChild<QWidget*>(name);
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
    findChild<QWidget*>(order.first())->setFocus();
    connect(btn2, &QPushButton::clicked, this, ui::guarded([this] { reject(); }));
    if (side.showsBalance)
        connect(cbb1, &QComboBox::currentIndexChanged, this, ui::guarded([this] { showBalance(); }));
}

LoanForm::~LoanForm() = default;

void LoanForm::showBalance() {
    balance_ = store::balanceLookup(store::dmod1->con1(), cbb1->currentText());
    if (lbl7) lbl7->setText(balance_ ? balance_->generalText() : QString());
}

void LoanForm::fillAccounts(const QString& first) {
    const QSignalBlocker quiet(cbb1);
    cbb1->clear();
    if (!first.isNull()) cbb1->addItem(first);
    cbb1->addItems(accounts::accountNames(store::dmod1->con1()));
    cbb1->setCurrentIndex(cbb1->count() ? 0 : -1);
}

LoanAddWindow::LoanAddWindow(QWidget* owner, const LoanSide& side) : LoanForm(owner, side, false) {
    ui::applyStandardStyle(this);
    connect(btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    FormCreate();
}

void LoanAddWindow::FormCreate() {
    dtp1->setDate(store::clock().today());
    fillAccounts(QString());
    if (side_.showsBalance) showBalance();
}

void LoanAddWindow::refuseAmount(const QString& text) {
    ui::warn(text);
    edt1->clear();
    edt1->setFocus();
}

void LoanAddWindow::btn1Click() {
    const QSqlDatabase db = store::dmod1->con1();
    // The balance may have moved since it was shown; the label keeps the figure it showed.
    if (side_.addRefusesOverdraw) balance_ = store::balanceLookup(db, cbb1->currentText());
    const QString account = cbb1->currentText();
    if (account.isEmpty()) return ui::warn(QStringLiteral("还没有建立资金账户，请先去添加！"));
    const QString text = edt1->text();
    const std::optional<Money> amount = ui::amountCheck(text);
    // Positive as typed: 0.001 passes, and is stored as 0.00.
    if (!amount || store::parseAmount(text).exactCompare(Money()) <= 0)
        return refuseAmount(side_.addAmountRefusal);
    if (side_.addRefusesOverdraw && *amount > balance_.value_or(Money()))
        return refuseAmount(side_.overdrawRefusal);
    if (edt2->text().isEmpty()) {
        ui::warn(side_.addPersonRefusal);
        edt2->setFocus();
        return;
    }
    const auto stored = [this](const QString& t) { return side_.addTrims ? store::trimmedText(t) : t; };
    const LoanFields f{dtp1->date(), account, *amount, stored(edt2->text()), stored(edt3->text())};
    switch (addLoan(db, side_.kind, f)) {
    case Outcome::Done:
        break;
    case Outcome::Overdraw:
        return refuseAmount(side_.overdrawRefusal);
    case Outcome::NoSuchAccount:
        reportGone(side_.kind, QStringLiteral("账户“%1”").arg(account));
    default:
        return refuseAmount(side_.addAmountRefusal);
    }
    refreshAfterChange(side_.kind);
    ui::inform(side_.addDone);
    accept();
}

LoanCorrectWindow::LoanCorrectWindow(QWidget* owner, const LoanSide& side, const QSqlRecord& current)
    : LoanForm(owner, side, true), row_(current) {
    // Not the standard style: a frame that resizes, with minimise and maximise boxes.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    installEventFilter(new PlaceOnShow(this));
    connect(btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    FormCreate();
}

void LoanCorrectWindow::FormCreate() {
    const QString date = row_.value(QStringLiteral("日期")).toString();
    dtp1->setDate(date.isEmpty() ? store::clock().today() : QDate::fromString(date, Qt::ISODate));
    // The row's own account heads the list, and comes again among all the others.
    fillAccounts(row_.value(QStringLiteral("结算账户")).toString());
    edt1->setText(rowMoneyText(row_, side_.amountField));
    edt2->setText(row_.value(QStringLiteral("借款人")).toString());
    edt3->setText(row_.value(QStringLiteral("备注")).toString());
    showBalance();
}

void LoanCorrectWindow::restoreAmount(bool focus) {
    edt1->setText(rowMoneyText(row_, side_.amountField));
    if (focus) edt1->setFocus();
}

void LoanCorrectWindow::btn1Click() {
    const LoanTable& t = tableOf(side_.kind);
    const QString text = edt1->text();
    const store::AmountParse typed = store::parseAmount(text);
    const std::optional<Money> amount = ui::amountCheck(text);
    if (!amount || typed.exactCompare(Money()) <= 0) {
        ui::warn(side_.correctAmountRefusal);
        return restoreAmount(true);
    }
    if (edt2->text().isEmpty()) {
        ui::warn(side_.correctPersonRefusal);
        edt2->setFocus();
        return;
    }
    const auto belowReturned = [this] {
        ui::warn(side_.belowReturnedRefusal);
        restoreAmount(true);
    };
    if (typed.exactCompare(rowMoney(row_, t.back)) < 0) return belowReturned();

    const QString account = cbb1->currentText();
    const bool same = account == row_.value(QStringLiteral("结算账户")).toString();
    const Money stored = rowMoney(row_, t.amount);
    const Money balance = balance_.value_or(Money());
    bool shortOfMoney;
    if (side_.kind == Kind::Borrowing)
        // The borrowed money leaves the account again: on the same account the typed decrease
        // (stored minus typed) must be there, on a move the whole stored amount.
        shortOfMoney = same ? typed.exactCompare(stored - balance) < 0 : stored > balance;
    else
        // Lent money leaves the chosen account: the rise on the same account, all of it on a move.
        shortOfMoney = same ? *amount - stored > balance : *amount > balance;
    const auto refuseShort = [this, same] {
        const BalanceRefusal& r = same ? side_.sameShort : side_.movedShort;
        ui::dialogs().message(ui::ownTitle(), r.text, r.icon);
        if (r.restore) restoreAmount(r.focus);
    };
    if (shortOfMoney) return refuseShort();

    const LoanFields f{dtp1->date(), account, *amount, store::trimmedText(edt2->text()),
                       store::trimmedText(edt3->text())};
    switch (correctLoan(store::dmod1->con1(), side_.kind, row_.value(QStringLiteral("id")).toLongLong(), f)) {
    case Outcome::Done:
        break;
    case Outcome::BelowReturned:
        return belowReturned();
    case Outcome::Overdraw:
        return refuseShort();
    case Outcome::NoSuchAccount:
        reportGone(side_.kind, QStringLiteral("账户“%1”").arg(account));
    case Outcome::NoSuchLoan:
        reportGone(side_.kind, QStringLiteral("该记录"));
    default:
        ui::warn(side_.correctAmountRefusal);
        return restoreAmount(true);
    }
    refreshAfterChange(side_.kind);
    ui::inform(side_.correctDone);
    accept();
}

} // namespace loans
