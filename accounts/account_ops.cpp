// Fund account operations over the ledger connection.
#include "accounts/account_ops.h"

#include "store/db.h"
#include "store/ledger.h"

#include <QSqlQuery>
#include <optional>

using store::Money;

namespace accounts {

namespace {

std::optional<QString> nameOf(const QSqlDatabase& db, qint64 id) {
    const QVariant v = store::scalar(db, QStringLiteral("SELECT 账户名称 FROM 账户 WHERE id = ?"), {id});
    if (!v.isValid()) return std::nullopt;
    return v.toString();
}

} // namespace

QStringList accountNames(const QSqlDatabase& db) {
    QSqlQuery q = store::exec(db, QStringLiteral("SELECT 账户名称 FROM 账户 ORDER BY id"));
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

bool accountNameTaken(const QSqlDatabase& db, const QString& name, qint64 exceptId) {
    return store::scalar(db, QStringLiteral("SELECT 1 FROM 账户 WHERE 账户名称 = ? AND id <> ?"),
                         {name, exceptId})
        .isValid();
}

Outcome addAccount(const QSqlDatabase& db, const QString& name, Money opening, const QString& note) {
    if (opening < Money() || opening > Money::limit()) return Outcome::BadAmount;
    store::Transaction t(db);
    if (accountNameTaken(db, name)) return Outcome::NameTaken;
    store::exec(db, QStringLiteral("INSERT INTO 账户 (账户名称, 起始金额, 备注, 余额) VALUES (?, ?, ?, ?)"),
                {name, opening.fen(), note, opening.fen()});
    t.commit();
    return Outcome::Done;
}

Outcome renameAccount(const QSqlDatabase& db, qint64 id, const QString& name, const QString& note) {
    store::Transaction t(db);
    const std::optional<QString> old = nameOf(db, id);
    if (!old) return Outcome::NoSuchAccount;
    if (accountNameTaken(db, name, id)) return Outcome::NameTaken;
    store::exec(db, QStringLiteral("UPDATE 账户 SET 账户名称 = ?, 备注 = ? WHERE id = ?"), {name, note, id});
    // Entries and loans name their account; without this, correcting or deleting them later would
    // move no account at all.
    for (const char* table : {"收支表", "借入", "借出"})
        store::exec(
            db, QStringLiteral("UPDATE %1 SET 结算账户 = ? WHERE 结算账户 = ?").arg(QString::fromUtf8(table)),
            {name, *old});
    t.commit();
    return Outcome::Done;
}

Outcome setAccountNote(const QSqlDatabase& db, qint64 id, const QString& note) {
    store::Transaction t(db);
    if (!nameOf(db, id)) return Outcome::NoSuchAccount;
    store::exec(db, QStringLiteral("UPDATE 账户 SET 备注 = ? WHERE id = ?"), {note, id});
    t.commit();
    return Outcome::Done;
}

Outcome deleteAccount(const QSqlDatabase& db, qint64 id) {
    store::Transaction t(db);
    QSqlQuery q = store::exec(db,
                              QStringLiteral("SELECT 收入, 支出, 借入, 付还款, 借出, 收借款, 转入, 转出 "
                                             "FROM 账户 WHERE id = ?"),
                              {id});
    if (!q.next()) return Outcome::NoSuchAccount;
    for (int i = 0; i < 8; ++i)
        if (!store::moneyOf(q.value(i)).isZero()) return Outcome::NotEmpty;
    q.finish();
    store::exec(db, QStringLiteral("DELETE FROM 账户 WHERE id = ?"), {id});
    t.commit();
    return Outcome::Done;
}

Outcome transfer(const QSqlDatabase& db, const QString& source, const QString& target, Money amount) {
    if (source == target) return Outcome::SameAccount;
    if (amount <= Money()) return Outcome::NotPositive;
    store::Transaction t(db);
    const std::optional<Money> balance = store::balanceLookup(db, source);
    if (!balance || !store::balanceLookup(db, target)) return Outcome::NoSuchAccount;
    if (amount > *balance) return Outcome::Overdraw;
    store::exec(db, QStringLiteral("UPDATE 账户 SET 转出 = 转出 + ?, 余额 = 余额 - ? WHERE 账户名称 = ?"),
                {amount.fen(), amount.fen(), source});
    store::exec(db, QStringLiteral("UPDATE 账户 SET 转入 = 转入 + ?, 余额 = 余额 + ? WHERE 账户名称 = ?"),
                {amount.fen(), amount.fen(), target});
    t.commit();
    return Outcome::Done;
}

} // namespace accounts
