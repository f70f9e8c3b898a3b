// Shared ledger operations over the data module's connection.
#include "store/ledger.h"

#include "store/clock.h"
#include "store/db.h"
#include "store/dmod1.h"

#include <QSqlError>
#include <QSqlQueryModel>
#include <QStringEncoder>
#include <stdexcept>

namespace store {

namespace {
// Table and column names come from the program, never from the user; quoting keeps them safe.
QString ident(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}
} // namespace

QString trimmedText(const QString& text) {
    const auto cut = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    qsizetype begin = 0, end = text.size();
    while (begin < end && cut(text[begin]))
        ++begin;
    while (end > begin && cut(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

Money moneyOf(const QVariant& v) {
    return Money::fromFen(v.isNull() ? 0 : v.toLongLong());
}

QString isoDate(QDate d) {
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

void requery(Tdmod1& dm) {
    dm.qry1->setQuery(QStringLiteral("select * from 账户 order by id desc"), dm.con1());
    if (dm.qry1->lastError().isValid()) throw DbError(dm.qry1->lastError());
}

Money columnTotal(const QSqlDatabase& db, const QString& column, const QString& table) {
    if (column == QStringLiteral("余额") &&
        (table == QStringLiteral("借入") || table == QStringLiteral("借出")))
        return moneyOf(scalar(db, QStringLiteral("SELECT 余额 FROM 借贷合计 WHERE 表名 = ?"), {table}));
    return moneyOf(
        scalar(db, QStringLiteral("SELECT COALESCE(SUM(%1), 0) FROM %2").arg(ident(column), ident(table))));
}

Money monthTotal(const QSqlDatabase& db, const QString& column, const QString& table, int year, int month) {
    const QDate first(year, month, 1);
    const QDate last = first.addMonths(1).addDays(-1);
    return moneyOf(scalar(db,
                          QStringLiteral("SELECT COALESCE(SUM(%1), 0) FROM %2 WHERE 日期 BETWEEN ? AND ?")
                              .arg(ident(column), ident(table)),
                          {isoDate(first), isoDate(last)}));
}

Money monthTotal(const QSqlDatabase& db, const QString& column, const QString& table) {
    const QDate today = clock().today();
    return monthTotal(db, column, table, today.year(), today.month());
}

std::optional<Money> balanceLookup(const QSqlDatabase& db, const QString& name) {
    const QVariant v = scalar(db, QStringLiteral("SELECT 余额 FROM 账户 WHERE 账户名称 = ?"), {name});
    if (!v.isValid()) return std::nullopt;
    return moneyOf(v);
}

std::optional<DbError> writeProbe(const QSqlDatabase& db) {
    try {
        Transaction t(db); // never committed: leaving the scope rolls the change back
        const int version = scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
        // Rewriting the header's version makes SQLite write page 1 and create the journal.
        exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version));
    } catch (const DbError& e) {
        if (lockedByAnother(e)) return std::nullopt;
        return e;
    }
    return std::nullopt;
}

qint64 countLogin(const QSqlDatabase& db, QDate today) {
    Transaction t(db);
    const qint64 before =
        scalar(db, QStringLiteral("select dlcount from dlcount order by rowid limit 1")).toLongLong();
    if (before == 0) exec(db, QStringLiteral("update dlcount set startdd=?"), {isoDate(today)});
    exec(db, QStringLiteral("update dlcount set dlcount=(dlcount+1)"));
    t.commit();
    return before + 1;
}

QString scramble(const QString& password, const char* encoding) {
    // Another encoding would give another scramble for any non-ASCII password and lock its owner
    // out for good, so a missing encoder stops the login instead of guessing.
    QStringEncoder gbk(encoding);
    if (!gbk.isValid())
        throw std::runtime_error(
            QStringLiteral("本机缺少 %1 编码，无法核对密码。").arg(QLatin1String(encoding)).toStdString());
    const QByteArray bytes = gbk.encode(password);
    QString out;
    out.reserve(bytes.size() * 6);
    for (char c : bytes) {
        const quint32 b = static_cast<unsigned char>(c);
        out += QString::number(b * (b + 8) * 17 - 1980u);
    }
    return out;
}

} // namespace store
