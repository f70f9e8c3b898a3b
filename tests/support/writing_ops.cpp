// The table of writing operations.
#include "support/writing_ops.h"

#include "accounts/account_ops.h"
#include "admin/user_ops.h"
#include "entries/classification_ops.h"
#include "entries/entry_ops.h"
#include "loans/loan_ops.h"
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

qint64 loanId(const QSqlDatabase& db, loans::Kind kind, const char* which) {
    const QVariant id = store::scalar(
        db,
        QStringLiteral("SELECT %1(id) FROM %2").arg(QString::fromUtf8(which), loans::tableOf(kind).table));
    if (id.isNull()) throw std::logic_error("the prepared ledger lacks a loan the operation needs");
    return id.toLongLong();
}
qint64 firstLoan(const QSqlDatabase& db, loans::Kind kind) {
    return loanId(db, kind, "MIN");
}
qint64 lastLoan(const QSqlDatabase& db, loans::Kind kind) {
    return loanId(db, kind, "MAX");
}

qint64 firstEntry(const QSqlDatabase& db, entries::Kind kind) {
    const QVariant id = store::scalar(db, QStringLiteral("SELECT MIN(id) FROM 收支表 WHERE 收支类别 = ?"),
                                      {entries::columnsOf(kind).kind});
    if (id.isNull()) throw std::logic_error("the prepared ledger lacks an entry the operation needs");
    return id.toLongLong();
}

void expectDone(entries::Outcome o) {
    if (o != entries::Outcome::Done) throw std::logic_error("the entry operation refused");
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

void expectDone(entries::ClassOutcome o) {
    if (o != entries::ClassOutcome::Done) throw std::logic_error("the classification operation refused");
}

void expectDone(loans::Outcome o) {
    if (o != loans::Outcome::Done) throw std::logic_error("the loan operation refused");
}

// Both sides classified, with entries naming a Category and a Subcategory of each, and one
// Category with Subcategories that no entry names: the cascades reach more than one table.
void classification(LedgerFixture& fx) {
    fx.bookEntry(QStringLiteral("2026-05-11"), true, 880000, QStringLiteral("银行卡"));
    fx.bookEntry(QStringLiteral("2026-05-12"), false, 3200, QStringLiteral("银行卡"));
    const entries::ClassificationTables& e = entries::expenseTables();
    expectDone(entries::addSubcategory(fx.db(), e, QStringLiteral("饮食"), QStringLiteral("晚餐")));
    expectDone(entries::addCategory(fx.db(), e, QStringLiteral("交通")));
    expectDone(entries::addSubcategory(fx.db(), e, QStringLiteral("交通"), QStringLiteral("地铁")));
    expectDone(entries::addSubcategory(fx.db(), e, QStringLiteral("交通"), QStringLiteral("公交")));
}

void classified(LedgerFixture& fx) {
    accountsWithRecords(fx);
    classification(fx);
}

loans::LoanFields loanFields(const char* account, qint64 fen, const char* person) {
    return {QDate(2026, 5, 14), QString::fromUtf8(account), Money::fromFen(fen), QString::fromUtf8(person),
            QStringLiteral("备注")};
}

// A Borrowing partly repaid and a Lending partly collected, besides the Borrowing the accounts
// already have: paying back and correcting move a loan and two accounts.
void loansOnly(LedgerFixture& fx) {
    const QSqlDatabase db = fx.db();
    expectDone(loans::addLoan(db, loans::Kind::Borrowing, loanFields("银行卡", 60000, "小李")));
    expectDone(loans::repay(db, lastLoan(db, loans::Kind::Borrowing), QStringLiteral("现金"),
                            Money::fromFen(10000)));
    expectDone(loans::addLoan(db, loans::Kind::Lending, loanFields("银行卡", 40000, "小张")));
    expectDone(loans::collect(db, lastLoan(db, loans::Kind::Lending), QStringLiteral("现金"),
                              Money::fromFen(15000)));
    expectDone(loans::addLoan(db, loans::Kind::Lending, loanFields("现金", 5000, "小赵")));
}

void withLoans(LedgerFixture& fx) {
    accountsWithRecords(fx);
    loansOnly(fx);
}

QList<WritingOp> makeTable() {
    const QDate today(2026, 5, 15);
    using loans::Kind;
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

        {QStringLiteral("add-category"), classified,
         [](const QSqlDatabase& db) {
             expectDone(entries::addCategory(db, entries::incomeTables(), QStringLiteral("理财")));
         }},
        {QStringLiteral("add-subcategory"), classified,
         [](const QSqlDatabase& db) {
             expectDone(entries::addSubcategory(db, entries::expenseTables(), QStringLiteral("交通"),
                                                QStringLiteral("打车")));
         }},
        // Carries into the Category's Subcategories and the entries that name it.
        {QStringLiteral("rename-category"), classified,
         [](const QSqlDatabase& db) {
             expectDone(entries::renameCategory(db, entries::expenseTables(), QStringLiteral("饮食"),
                                                QStringLiteral("餐饮")));
         }},
        {QStringLiteral("rename-subcategory"), classified,
         [](const QSqlDatabase& db) {
             expectDone(entries::renameSubcategory(db, entries::incomeTables(), QStringLiteral("月薪"),
                                                   QStringLiteral("工资收入")));
         }},
        // Takes the Category's Subcategories with it.
        {QStringLiteral("delete-category"), classified,
         [](const QSqlDatabase& db) {
             expectDone(entries::deleteCategory(db, entries::expenseTables(), QStringLiteral("交通")));
         }},
        {QStringLiteral("delete-subcategory"), classified,
         [](const QSqlDatabase& db) {
             expectDone(entries::deleteSubcategory(db, entries::expenseTables(), QStringLiteral("饮食"),
                                                   QStringLiteral("晚餐")));
         }},

        {QStringLiteral("record-income"), classified,
         [](const QSqlDatabase& db) {
             expectDone(entries::recordEntry(db, entries::Kind::Income,
                                             {QDate(2026, 5, 14), QStringLiteral("工资"),
                                              QStringLiteral("月薪"), Money::fromFen(450000),
                                              QStringLiteral("现金"), QStringLiteral("备注")}));
         }},
        {QStringLiteral("record-expense"), classified,
         [](const QSqlDatabase& db) {
             expectDone(
                 entries::recordEntry(db, entries::Kind::Expense,
                                      {QDate(2026, 5, 14), QStringLiteral("交通"), QStringLiteral("地铁"),
                                       Money::fromFen(400), QStringLiteral("银行卡"), QString()}));
         }},
        // Moves the entry to the other account with a new amount and Subcategory: both accounts change.
        {QStringLiteral("correct-entry"), classified,
         [](const QSqlDatabase& db) {
             expectDone(entries::correctEntry(
                 db, entries::Kind::Expense, firstEntry(db, entries::Kind::Expense),
                 {QDate(2026, 5, 9), QStringLiteral("饮食"), QStringLiteral("晚餐"), Money::fromFen(2000),
                  QStringLiteral("银行卡"), QStringLiteral("改")}));
         }},
        {QStringLiteral("delete-entry"), classified,
         [](const QSqlDatabase& db) {
             expectDone(
                 entries::deleteEntry(db, entries::Kind::Income, firstEntry(db, entries::Kind::Income)));
         }},

        {QStringLiteral("add-borrowing"), withLoans,
         [](const QSqlDatabase& db) {
             expectDone(loans::addLoan(db, Kind::Borrowing, loanFields("现金", 25000, "老李")));
         }},
        {QStringLiteral("add-lending"), withLoans,
         [](const QSqlDatabase& db) {
             expectDone(loans::addLoan(db, Kind::Lending, loanFields("银行卡", 25000, "老李")));
         }},
        // Moves the loan to the other account with a new amount: both accounts change.
        {QStringLiteral("correct-borrowing"), withLoans,
         [](const QSqlDatabase& db) {
             expectDone(loans::correctLoan(db, Kind::Borrowing, lastLoan(db, Kind::Borrowing),
                                           loanFields("现金", 70000, "小李子")));
         }},
        {QStringLiteral("correct-lending"), withLoans,
         [](const QSqlDatabase& db) {
             expectDone(loans::correctLoan(db, Kind::Lending, lastLoan(db, Kind::Lending),
                                           loanFields("银行卡", 8000, "小赵")));
         }},
        {QStringLiteral("delete-borrowing"), withLoans,
         [](const QSqlDatabase& db) {
             expectDone(loans::deleteLoan(db, Kind::Borrowing, firstLoan(db, Kind::Borrowing)));
         }},
        {QStringLiteral("delete-lending"), withLoans,
         [](const QSqlDatabase& db) {
             expectDone(loans::deleteLoan(db, Kind::Lending, lastLoan(db, Kind::Lending)));
         }},
        {QStringLiteral("repay"), withLoans,
         [](const QSqlDatabase& db) {
             expectDone(loans::repay(db, lastLoan(db, Kind::Borrowing), QStringLiteral("银行卡"),
                                     Money::fromFen(50000)));
         }},
        {QStringLiteral("collect"), withLoans,
         [](const QSqlDatabase& db) {
             expectDone(loans::collect(db, firstLoan(db, Kind::Lending), QStringLiteral("银行卡"),
                                       Money::fromFen(25000)));
         }},

        {QStringLiteral("rename-user"), nullptr,
         [](const QSqlDatabase& db) { admin::renameUser(db, QStringLiteral("王小明")); }},
        {QStringLiteral("set-password"), nullptr,
         [](const QSqlDatabase& db) { admin::setPassword(db, QStringLiteral("新密码123")); }},
        {QStringLiteral("welcome-switch"), nullptr,
         [](const QSqlDatabase& db) { admin::setWelcomeSwitch(db, false); }},
        // Every kind of record there is goes at once.
        {QStringLiteral("clear-ledger"),
         [](LedgerFixture& fx) {
             accountsWithRecords(fx);
             classification(fx);
             loansOnly(fx);
         },
         [](const QSqlDatabase& db) { admin::clearLedger(db); }},
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
