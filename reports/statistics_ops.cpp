// The statistics' aggregates.
#include "reports/statistics_ops.h"

#include "store/db.h"
#include "store/ledger.h"

#include <QSqlError>

namespace reports {

using store::isoDate;
using store::Money;
using store::moneyOf;

namespace {

// The kind goes into the text as a literal rather than a parameter: only then can the engine
// pick the partial index that holds exactly that kind's entries. It is the program's own text.
QString kindLiteral(const EntryKind& kind) {
    QString q = kind.kind;
    q.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

// A grid model needs a query it can move back and forth in.
QSqlQuery scrollableQuery(const QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QSqlQuery q(db);
    if (!q.prepare(sql)) throw store::DbError(q.lastError());
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec()) throw store::DbError(q.lastError());
    return q;
}

} // namespace

namespace sql {
QString daySummary() {
    return QStringLiteral(
        "SELECT 日期, COALESCE(SUM(收入金额), 0) AS 收入总额, COALESCE(SUM(支出金额), 0) AS "
        "支出总额 FROM 收支表 WHERE 日期 BETWEEN ? AND ? GROUP BY 日期 ORDER BY 日期");
}
// Grouping straight by month would sort every entry of the year first; grouped by day they come
// in the index's order, and only those few rows are sorted.
QString monthTotals() {
    return QStringLiteral(
        "SELECT CAST(substr(日期, 6, 2) AS INTEGER) AS 月份, SUM(收入), SUM(支出) FROM "
        "(SELECT 日期, COALESCE(SUM(收入金额), 0) AS 收入, COALESCE(SUM(支出金额), 0) AS 支出 "
        "FROM 收支表 WHERE 日期 BETWEEN ? AND ? GROUP BY 日期) GROUP BY 月份 ORDER BY 月份");
}
// One sum per name over that name's range of the kind's index, rather than a grouping that sorts
// all the period's entries: the names come from the classification, which every entry's name is
// bound to. A name without entries in the period has no sum (NULL) and no slice.
QString subcategoryShares(const EntryKind& kind) {
    return QStringLiteral("SELECT 名称, (SELECT SUM(%2) FROM 收支表 WHERE 收支类别 = %3 AND %1 = 名称 "
                          "AND 日期 BETWEEN ? AND ?) FROM (SELECT DISTINCT %1 AS 名称 FROM %1) ORDER BY 名称")
        .arg(kind.nameColumn, kind.amountColumn, kindLiteral(kind));
}
QString dayEntries(const EntryKind& kind) {
    return QStringLiteral("SELECT 日期, %1, %2, %3, 结算账户, 备注 FROM 收支表 "
                          "WHERE 收支类别 = ? AND 日期 = ? ORDER BY 日期 DESC, id DESC")
        .arg(kind.categoryColumn, kind.nameColumn, kind.amountColumn);
}
} // namespace sql

const EntryKind& incomeKind() {
    static const EntryKind k{QStringLiteral("收入"), QStringLiteral("收入项目"), QStringLiteral("收入名称"),
                             QStringLiteral("收入金额")};
    return k;
}

const EntryKind& expenseKind() {
    static const EntryKind k{QStringLiteral("支出"), QStringLiteral("支出项目"), QStringLiteral("支出名称"),
                             QStringLiteral("支出金额")};
    return k;
}

Period Period::month(int year, int month) {
    const QDate first(year, month, 1);
    return {first, first.addMonths(1).addDays(-1)};
}

Period Period::year(int year) {
    return {QDate(year, 1, 1), QDate(year, 12, 31)};
}

QSqlQuery daySummaryQuery(const QSqlDatabase& db, int year, int month) {
    const Period p = Period::month(year, month);
    return scrollableQuery(db, sql::daySummary(), {isoDate(p.first), isoDate(p.last)});
}

std::vector<DayTotals> dayTotals(const QSqlDatabase& db, int year, int month) {
    const Period p = Period::month(year, month);
    QSqlQuery q = store::exec(db, sql::daySummary(), {isoDate(p.first), isoDate(p.last)});
    std::vector<DayTotals> rows;
    while (q.next())
        rows.push_back({QDate::fromString(q.value(0).toString(), Qt::ISODate),
                        {moneyOf(q.value(1)), moneyOf(q.value(2))}});
    return rows;
}

std::vector<MonthTotals> monthTotals(const QSqlDatabase& db, int year) {
    const Period p = Period::year(year);
    QSqlQuery q = store::exec(db, sql::monthTotals(), {isoDate(p.first), isoDate(p.last)});
    std::vector<MonthTotals> rows;
    while (q.next())
        rows.push_back({q.value(0).toInt(), {moneyOf(q.value(1)), moneyOf(q.value(2))}});
    return rows;
}

std::vector<Share> subcategoryShares(const QSqlDatabase& db, const EntryKind& kind, const Period& period) {
    QSqlQuery q =
        store::exec(db, sql::subcategoryShares(kind), {isoDate(period.first), isoDate(period.last)});
    std::vector<Share> rows;
    while (q.next())
        if (!q.value(1).isNull()) rows.push_back({q.value(0).toString(), moneyOf(q.value(1))});
    return rows;
}

QSqlQuery dayEntriesQuery(const QSqlDatabase& db, const EntryKind& kind, QDate day) {
    return scrollableQuery(db, sql::dayEntries(kind), {kind.kind, isoDate(day)});
}

Statistics loadStatistics(const QSqlDatabase& db, int year, int month) {
    const Period m = Period::month(year, month);
    const Period y = Period::year(year);
    Statistics s;
    s.monthIncome = subcategoryShares(db, incomeKind(), m);
    s.monthExpense = subcategoryShares(db, expenseKind(), m);
    s.days = dayTotals(db, year, month);
    s.months = monthTotals(db, year);
    // The year is its months: adding up their sums saves reading the year's entries once more.
    for (const MonthTotals& mt : s.months) {
        s.year.income += mt.totals.income;
        s.year.expense += mt.totals.expense;
    }
    s.yearIncome = subcategoryShares(db, incomeKind(), y);
    s.yearExpense = subcategoryShares(db, expenseKind(), y);
    return s;
}

} // namespace reports
