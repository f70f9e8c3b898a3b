// The main window's account commands.
#include "accounts/account_commands.h"

#include "accounts/account_ops.h"
#include "accounts/add_account.h"
#include "accounts/transfer_window.h"
#include "accounts/update_account.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/dashboard.h"
#include "ui/dialogs.h"

#include <QSqlRecord>

namespace accounts {

namespace {

bool hasRow(const QSqlRecord& current) {
    return !current.value(QStringLiteral("id")).toString().isEmpty();
}

const char* const accumulators[] = {"收入", "支出", "借入", "付还款", "借出", "收借款", "转入", "转出"};

} // namespace

void addAccountCommand(QWidget* owner) {
    Taddfrm addfrm(owner);
    ui::dialogs().runModal(addfrm);
}

void editAccountCommand(QWidget* owner, const QSqlRecord& current) {
    if (!hasRow(current)) return ui::warn(QStringLiteral("\n没有可操作记录！\n"));
    Tupdatefrm updatefrm(owner, current);
    ui::dialogs().runModal(updatefrm);
}

void deleteAccountCommand(const QSqlRecord& current) {
    if (!hasRow(current)) return ui::inform(QStringLiteral("没有可操作记录!"));
    const QString notEmpty = QStringLiteral("\n对不起，该账户下有收支记录不能删除!\n");
    for (const char* column : accumulators)
        if (!store::moneyOf(current.value(QString::fromUtf8(column))).isZero()) return ui::warn(notEmpty);
    if (!ui::dialogs().confirm(QStringLiteral("删除记录"), QStringLiteral("你确定要删除该资金账户？"),
                               ui::Icon::Question))
        return;
    // The row may have moved on since the grid read it: the operation judges the stored figures.
    const Outcome outcome =
        deleteAccount(store::dmod1->con1(), current.value(QStringLiteral("id")).toLongLong());
    store::requery(*store::dmod1);
    if (outcome == Outcome::NotEmpty) return ui::warn(notEmpty);
    ui::triggerDashboardRefresh();
}

void transferCommand(QWidget* owner) {
    if (accountNames(store::dmod1->con1()).size() < 2)
        return ui::warn(QStringLiteral("\n至少需要两个资金账户才能转账!请先添加资金账户。\n"));
    TZKfrm ZKfrm(owner);
    ui::dialogs().runModal(ZKfrm);
}

} // namespace accounts
