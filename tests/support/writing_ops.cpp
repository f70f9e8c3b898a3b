// The table of writing operations.
#include "support/writing_ops.h"

#include "accounts/account_ops.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <stdexcept>

using store::Money;

namespace {

qint64 accountId(const QSqlDatabase& db, const QString& name) {
    const QVariant id = store::scalar(db, QStringLiteral("SELECT id FROM 账户 WHERE 账户名称 = ?"), {name});
    if (!id.isValid()) throw std::logic_error("the prepared ledger lacks an account the operation needs");
    return id.toLongLong();
}

void expectDone(accounts::Outcome o) {
    if (o != accounts::Outcome::Done) throw std::logic_error("the account operation refused");
}

// Two accounts with figures, an entry and a loan naming the first, so that renames and transfers
// touch more than one row and more than one table.
void accountsWithRecords(LedgerFixture& fx) {
    fx.insertAccount(QStringLiteral("现金"), Money::fromFen(50000), QStringLiteral("钱包"));
    fx.insertAccount(QStringLiteral("银行卡"), Money::fromFen(120000));
    fx.bookEntry(QStringLiteral("2026-05-10"), false, 1250, QStringLiteral("现金"));
    store::exec(fx.db(), QStringLiteral("INSERT INTO 借入 (日期, 结算账户, 借入金额, 余额, 借款人) "
                                        "VALUES ('2026-05-01', '现金', 30000, 30000, '老王')"));
    fx.moveAccount(QStringLiteral("现金"), QStringLiteral("借入"), Money::fromFen(30000));
}

QList<WritingOp> makeTable() {
    const QDate today(2026, 5, 15);
    return {
        {QStringLiteral("add-account"), accountsWithRecords,
         [](const QSqlDatabase& db) {
             expectDone(accounts::addAccount(db, QStringLiteral("支付宝"), Money::fromFen(8800),
                                             QStringLiteral("零钱")));
         }},
        {QStringLiteral("rename-account"), accountsWithRecords,
         [](const QSqlDatabase& db) {
             expectDone(accounts::renameAccount(db, accountId(db, QStringLiteral("现金")),
                                                QStringLiteral("零用钱"), QStringLiteral("新备注")));
         }},
        {QStringLiteral("account-note"), accountsWithRecords,
         [](const QSqlDatabase& db) {
             expectDone(accounts::setAccountNote(db, accountId(db, QStringLiteral("银行卡")),
                                                 QStringLiteral("工资卡\n尾号 1234")));
         }},
        {QStringLiteral("delete-account"),
         [](LedgerFixture& fx) {
             accountsWithRecords(fx);
             fx.insertAccount(QStringLiteral("旧卡"), Money::fromFen(0));
         },
         [](const QSqlDatabase& db) {
             expectDone(accounts::deleteAccount(db, accountId(db, QStringLiteral("旧卡"))));
         }},
        {QStringLiteral("transfer"), accountsWithRecords,
         [](const QSqlDatabase& db) {
             expectDone(accounts::transfer(db, QStringLiteral("银行卡"), QStringLiteral("现金"),
                                           Money::fromFen(20050)));
         }},
        {QStringLiteral("login-count"), nullptr,
         [today](const QSqlDatabase& db) { store::countLogin(db, today); }},
    };
}

} // namespace

const QList<WritingOp>& writingOps() {
    static const QList<WritingOp> table = makeTable();
    return table;
}

const WritingOp* findWritingOp(const QString& name) {
    for (const WritingOp& op : writingOps())
        if (op.name == name) return &op;
    return nullptr;
}

QString ledgerDump(const QSqlDatabase& db) {
    QStringList out;
    QSqlQuery tables =
        store::exec(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    for (const QString& table : names) {
        out << QStringLiteral("[%1]").arg(table);
        QSqlQuery rows = store::exec(db, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
        while (rows.next()) {
            QStringList cells;
            const QSqlRecord r = rows.record();
            for (int i = 0; i < r.count(); ++i)
                cells << (r.isNull(i) ? QStringLiteral("NULL") : r.value(i).toString());
            out << cells.join(QLatin1Char('|'));
        }
    }
    return out.join(QLatin1Char('\n'));
}
