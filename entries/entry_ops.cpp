// Ledger entry operations over the ledger connection.
#include "entries/entry_ops.h"

#include "store/db.h"
#include "store/ledger.h"

#include <QSqlError>
#include <QSqlQuery>
#include <map>
#include <optional>

using store::Money;

namespace entries {

namespace {

struct Stored {
    QString account;
    Money amount;
};

std::optional<Stored> storedEntry(const QSqlDatabase& db, Kind kind, qint64 id) {
    const KindColumns& c = columnsOf(kind);
    QSqlQuery q = store::exec(
        db, QStringLiteral("SELECT 结算账户, %1 FROM 收支表 WHERE id = ? AND 收支类别 = ?").arg(c.amount),
        {id, c.kind});
    if (!q.next()) return std::nullopt;
    return Stored{q.value(0).toString(), store::moneyOf(q.value(1))};
}

// The net change each touched account's 余额 would take. An account whose balance goes down must
// not end below zero; one that only gains is never refused.
using Moves = std::map<QString, Money>;

Outcome judge(const QSqlDatabase& db, const Moves& moves) {
    for (const auto& [account, delta] : moves) {
        if (delta >= Money()) continue;
        const std::optional<Money> balance = store::balanceLookup(db, account);
        if (balance && *balance + delta < Money()) return Outcome::Overdraw;
    }
    return Outcome::Done;
}

void moveAccount(const QSqlDatabase& db, Kind kind, const QString& account, Money amount) {
    const KindColumns& c = columnsOf(kind);
    store::exec(db,
                QStringLiteral("UPDATE 账户 SET %1 = %1 + ?, 余额 = 余额 + ? WHERE 账户名称 = ?").arg(c.kind),
                {amount.fen(), c.sign * amount.fen(), account});
}

} // namespace

const KindColumns& columnsOf(Kind kind) {
    static const KindColumns income{QStringLiteral("收入"), QStringLiteral("收入项目"),
                                    QStringLiteral("收入名称"), QStringLiteral("收入金额"), +1};
    static const KindColumns expense{QStringLiteral("支出"), QStringLiteral("支出项目"),
                                     QStringLiteral("支出名称"), QStringLiteral("支出金额"), -1};
    return kind == Kind::Income ? income : expense;
}

QStringList categories(const QSqlDatabase& db, Kind kind) {
    const QString t = columnsOf(kind).category;
    QSqlQuery q = store::exec(db, QStringLiteral("SELECT %1 FROM %1 ORDER BY rowid").arg(t));
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QStringList subcategories(const QSqlDatabase& db, Kind kind, const QString& category) {
    const KindColumns& c = columnsOf(kind);
    QSqlQuery q = store::exec(
        db, QStringLiteral("SELECT %1 FROM %1 WHERE %2 = ? ORDER BY rowid").arg(c.subcategory, c.category),
        {category});
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

Outcome recordEntry(const QSqlDatabase& db, Kind kind, const EntryValues& v, qint64* newId) {
    if (v.amount <= Money()) return Outcome::NotPositive;
    if (v.amount > Money::limit()) return Outcome::BeyondLimit;
    const KindColumns& c = columnsOf(kind);
    store::Transaction t(db);
    if (!store::balanceLookup(db, v.account)) return Outcome::NoSuchAccount;
    if (const Outcome o = judge(db, {{v.account, Money::fromFen(c.sign * v.amount.fen())}});
        o != Outcome::Done)
        return o;
    const QSqlQuery q = store::exec(
        db,
        QStringLiteral(
            "INSERT INTO 收支表 (日期, %1, %2, %3, 结算账户, 备注, 收支类别) VALUES (?, ?, ?, ?, ?, ?, ?)")
            .arg(c.category, c.subcategory, c.amount),
        {store::isoDate(v.date), v.category, v.subcategory, v.amount.fen(), v.account, v.remark, c.kind});
    const qint64 id = q.lastInsertId().toLongLong();
    moveAccount(db, kind, v.account, v.amount);
    t.commit();
    if (newId) *newId = id;
    return Outcome::Done;
}

Outcome correctEntry(const QSqlDatabase& db, Kind kind, qint64 id, const EntryValues& v) {
    if (v.amount <= Money()) return Outcome::NotPositive;
    if (v.amount > Money::limit()) return Outcome::BeyondLimit;
    const KindColumns& c = columnsOf(kind);
    store::Transaction t(db);
    const std::optional<Stored> old = storedEntry(db, kind, id);
    if (!old) return Outcome::NoSuchEntry;
    if (!store::balanceLookup(db, v.account)) return Outcome::NoSuchAccount;
    Moves moves;
    moves[old->account] -= Money::fromFen(c.sign * old->amount.fen());
    moves[v.account] += Money::fromFen(c.sign * v.amount.fen());
    if (const Outcome o = judge(db, moves); o != Outcome::Done) return o;
    moveAccount(db, kind, old->account, -old->amount);
    store::exec(db,
                QStringLiteral("UPDATE 收支表 SET 日期 = ?, %1 = ?, %2 = ?, %3 = ?, 结算账户 = ?, 备注 = ? "
                               "WHERE id = ?")
                    .arg(c.category, c.subcategory, c.amount),
                {store::isoDate(v.date), v.category, v.subcategory, v.amount.fen(), v.account, v.remark, id});
    moveAccount(db, kind, v.account, v.amount);
    t.commit();
    return Outcome::Done;
}

Outcome deleteEntry(const QSqlDatabase& db, Kind kind, qint64 id) {
    const KindColumns& c = columnsOf(kind);
    store::Transaction t(db);
    const std::optional<Stored> old = storedEntry(db, kind, id);
    if (!old) return Outcome::NoSuchEntry;
    if (const Outcome o = judge(db, {{old->account, Money::fromFen(-c.sign * old->amount.fen())}});
        o != Outcome::Done)
        return o;
    moveAccount(db, kind, old->account, -old->amount);
    store::exec(db, QStringLiteral("DELETE FROM 收支表 WHERE id = ?"), {id});
    t.commit();
    return Outcome::Done;
}

} // namespace entries
