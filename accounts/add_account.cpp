// The add-account window.
#include "accounts/add_account.h"

#include "accounts/account_ops.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/amount_check.h"
#include "ui/calculator_hook.h"
#include "ui/dashboard.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/window_style.h"
#include "ui_add_account.h"

Taddfrm::Taddfrm(QWidget* owner) : QDialog(owner), form(std::make_unique<Ui::Taddfrm>()) {
    form->setupUi(this);
    ui::applyStandardStyle(this);
    ui::attachCalculator(form->edt2);
    connect(form->btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(form->btn2, &QPushButton::clicked, this, ui::guarded([this] { btn2Click(); }));
}

Taddfrm::~Taddfrm() = default;

void Taddfrm::btn1Click() {
    if (form->edt1->text().isEmpty()) {
        ui::warn(QStringLiteral("账户名称不能为空！"));
        form->edt1->setFocus();
        return;
    }
    if (form->edt2->text().isEmpty()) {
        ui::warn(QStringLiteral("初始金额不能为空！"));
        form->edt2->setFocus();
        return;
    }
    const QSqlDatabase db = store::dmod1->con1();
    const QString name = store::trimmedText(form->edt1->text());
    const auto refuseName = [this] {
        ui::warn(QStringLiteral("该账户名称已经存在"));
        form->edt1->clear();
        form->edt1->setFocus();
    };
    const auto refuseAmount = [this] {
        ui::warn(QStringLiteral("\"起始金额\"必须是不小于0的数字"));
        form->edt2->clear();
        form->edt2->setFocus();
    };
    if (accounts::accountNameTaken(db, name)) return refuseName();
    const QString amountText = form->edt2->text();
    const std::optional<store::Money> opening = ui::amountCheck(amountText);
    // The sign is judged on the number as typed: -0.001 rounds to 0.00 but is still below zero.
    if (!opening || store::parseAmount(amountText).negative) return refuseAmount();

    const QString note = store::trimmedText(form->mmo1->toPlainText());
    switch (accounts::addAccount(db, name, *opening, note)) {
    case accounts::Outcome::Done:
        break;
    case accounts::Outcome::NameTaken:
        return refuseName();
    default:
        return refuseAmount();
    }
    store::requery(*store::dmod1);
    ui::triggerDashboardRefresh();
    ui::inform(QStringLiteral("  恭喜，新账户添加成功！"));
    accept();
}

void Taddfrm::btn2Click() {
    reject();
}
