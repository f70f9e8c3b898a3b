// Borrowing and Lending operations over the ledger connection.
#include "loans/loan_ops.h"

#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <optional>

using store::Money;

namespace loans {

namespace {

struct StoredLoan {
    QString account;
    Money amount;
    Money back;
    Money outstanding;
};

std::optional<StoredLoan> storedLoan(const QSqlDatabase& db, const LoanTable& t, qint64 id) {
    QSqlQuery q = store::exec(
        db,
        QStringLiteral("SELECT 结算账户, %1, %2, 余额 FROM %3 WHERE id = ?").arg(t.amount, t.back, t.table),
        {id});
    if (!q.next()) return std::nullopt;
    return StoredLoan{q.value(0).toString(), store::moneyOf(q.value(1)), store::moneyOf(q.value(2)),
                      store::moneyOf(q.value(3))};
}

// Moves an account's running total by amount and its 余额 by sign * amount, together.
void moveAccount(const QSqlDatabase& db, const QString& account, const QString& column, Money amount,
                 int sign) {
    store::exec(db,
                QStringLiteral("UPDATE 账户 SET %1 = %1 + ?, 余额 = 余额 + ? WHERE 账户名称 = ?").arg(column),
                {amount.fen(), sign * amount.fen(), account});
}

bool validAmount(Money m) {
    return m >= Money() && m <= Money::limit();
}

} // namespace

const LoanTable& tableOf(Kind kind) {
    static const LoanTable borrowing{QStringLiteral("借入"),     QStringLiteral("借入金额"),
                                     QStringLiteral("偿还金额"), QStringLiteral("借入"),
                                     QStringLiteral("付还款"),   +1};
    static const LoanTable lending{QStringLiteral("借出"),     QStringLiteral("借出金额"),
                                   QStringLiteral("收回金额"), QStringLiteral("借出"),
                                   QStringLiteral("收借款"),   -1};
    return kind == Kind::Borrowing ? borrowing : lending;
}

Outcome addLoan(const QSqlDatabase& db, Kind kind, const LoanFields& f, qint64* id) {
    const LoanTable& t = tableOf(kind);
    if (!validAmount(f.amount)) return Outcome::BadAmount;
    store::Transaction tx(db);
    const std::optional<Money> balance = store::balanceLookup(db, f.account);
    if (!balance) return Outcome::NoSuchAccount;
    if (kind == Kind::Lending && f.amount > *balance) return Outcome::Overdraw;
    const QSqlQuery q = store::exec(
        db,
        QStringLiteral("INSERT INTO %1 (日期, 结算账户, %2, 借款人, 备注, 余额) VALUES (?, ?, ?, ?, ?, ?)")
            .arg(t.table, t.amount),
        {store::isoDate(f.date), f.account, f.amount.fen(), f.person, f.note, f.amount.fen()});
    if (id) *id = q.lastInsertId().toLongLong();
    moveAccount(db, f.account, t.accumulator, f.amount, t.sign);
    tx.commit();
    return Outcome::Done;
}

Outcome correctLoan(const QSqlDatabase& db, Kind kind, qint64 id, const LoanFields& f) {
    const LoanTable& t = tableOf(kind);
    store::Transaction tx(db);
    const std::optional<StoredLoan> loan = storedLoan(db, t, id);
    if (!loan) return Outcome::NoSuchLoan;
    if (!validAmount(f.amount)) return Outcome::BadAmount;
    if (f.amount < loan->back) return Outcome::BelowReturned;
    const std::optional<Money> chosen = store::balanceLookup(db, f.account);
    if (!chosen) return Outcome::NoSuchAccount;
    const bool same = f.account == loan->account;
    if (kind == Kind::Borrowing) {
        // The borrowed money goes back out of the account it came into; it must still be there.
        const Money taken = same ? loan->amount - f.amount : loan->amount;
        const std::optional<Money> previous = same ? chosen : store::balanceLookup(db, loan->account);
        if (previous && taken > *previous) return Outcome::Overdraw;
    } else {
        const Money given = same ? f.amount - loan->amount : f.amount;
        if (given > *chosen) return Outcome::Overdraw;
    }
    moveAccount(db, loan->account, t.accumulator, -loan->amount, t.sign);
    store::exec(
        db,
        QStringLiteral("UPDATE %1 SET 日期 = ?, 结算账户 = ?, %2 = ?, 借款人 = ?, 备注 = ?, 余额 = ? - %3 "
                       "WHERE id = ?")
            .arg(t.table, t.amount, t.back),
        {store::isoDate(f.date), f.account, f.amount.fen(), f.person, f.note, f.amount.fen(), id});
    moveAccount(db, f.account, t.accumulator, f.amount, t.sign);
    tx.commit();
    return Outcome::Done;
}

Outcome deleteLoan(const QSqlDatabase& db, Kind kind, qint64 id) {
    const LoanTable& t = tableOf(kind);
    store::Transaction tx(db);
    const std::optional<StoredLoan> loan = storedLoan(db, t, id);
    if (!loan) return Outcome::NoSuchLoan;
    if (!loan->back.isZero() && !loan->outstanding.isZero()) return Outcome::PartlyReturned;
    if (kind == Kind::Borrowing && !loan->outstanding.isZero() &&
        store::balanceLookup(db, loan->account).value_or(Money()) < loan->outstanding)
        return Outcome::Overdraw;
    moveAccount(db, loan->account, t.accumulator, -loan->outstanding, t.sign);
    store::exec(db, QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(t.table), {id});
    tx.commit();
    return Outcome::Done;
}

Outcome payBack(const QSqlDatabase& db, Kind kind, qint64 id, const QString& account, Money amount) {
    const LoanTable& t = tableOf(kind);
    store::Transaction tx(db);
    const std::optional<StoredLoan> loan = storedLoan(db, t, id);
    if (!loan) return Outcome::NoSuchLoan;
    if (amount <= Money() || amount > Money::limit()) return Outcome::BadAmount;
    if (amount > loan->outstanding) return Outcome::AboveOutstanding;
    const std::optional<Money> balance = store::balanceLookup(db, account);
    if (!balance) return Outcome::NoSuchAccount;
    if (kind == Kind::Borrowing && amount > *balance) return Outcome::Overdraw;
    store::exec(
        db, QStringLiteral("UPDATE %1 SET %2 = %2 + ?, 余额 = 余额 - ? WHERE id = ?").arg(t.table, t.back),
        {amount.fen(), amount.fen(), id});
    moveAccount(db, account, t.backAccumulator, amount, -t.sign);
    tx.commit();
    return Outcome::Done;
}

QString listStatement(Kind kind) {
    return QStringLiteral("SELECT * FROM %1 ORDER BY 日期 DESC, id DESC").arg(tableOf(kind).table);
}

void relist(store::Tdmod1& dm, Kind kind) {
    QSqlQueryModel* m = kind == Kind::Borrowing ? dm.qryJR : dm.qryJC;
    m->setQuery(listStatement(kind), dm.con1());
    if (m->lastError().isValid()) throw store::DbError(m->lastError());
}

QString footerStatement(Kind kind) {
    return QStringLiteral("SELECT 金额, 归还, 余额, 笔数 FROM 借贷合计 WHERE 表名 = '%1'")
        .arg(tableOf(kind).table);
}

Money outstandingTotal(const QSqlDatabase& db, Kind kind) {
    return store::columnTotal(db, QStringLiteral("余额"), tableOf(kind).table);
}

} // namespace loans
