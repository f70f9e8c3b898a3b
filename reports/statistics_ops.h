// The figures of the monthly and annual statistics: each is one SQLite aggregate over a date range
// of 收支表, read through indexes that carry the columns it adds up.
#pragma once

#include "store/money.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <optional>
#include <vector>

namespace reports {

// The month the dashboard shows, with its income and expense as the dashboard computed them
// (nothing before its first refresh).
struct ShownMonth {
    int year = 0;
    int month = 0; // 1 to 12
    std::optional<store::Money> income;
    std::optional<store::Money> expense;
};

// What tells an income entry's columns from an expense entry's.
struct EntryKind {
    QString kind;           // 收支类别: 收入 / 支出
    QString categoryColumn; // 收入项目 / 支出项目
    QString nameColumn;     // 收入名称 / 支出名称
    QString amountColumn;   // 收入金额 / 支出金额
};
const EntryKind& incomeKind();
const EntryKind& expenseKind();

// Both days included.
struct Period {
    QDate first;
    QDate last;
    static Period month(int year, int month);
    static Period year(int year);
};

struct Totals {
    store::Money income;
    store::Money expense;
    store::Money surplus() const { return income - expense; }
};

struct DayTotals {
    QDate day;
    Totals totals;
};

struct MonthTotals {
    int month = 0;
    Totals totals;
};

// One Subcategory's sum; entries are grouped by name alone, so a name used under two Categories
// is one slice.
struct Share {
    QString name;
    store::Money amount;
};

// One row per day of the month that has entries, ascending: 日期, 收入总额, 支出总额 (fen).
QSqlQuery daySummaryQuery(const QSqlDatabase& db, int year, int month);
std::vector<DayTotals> dayTotals(const QSqlDatabase& db, int year, int month);

// One row per month of the year that has entries, ascending.
std::vector<MonthTotals> monthTotals(const QSqlDatabase& db, int year);

// One row per Subcategory name with entries of the kind in the period, ascending by name.
std::vector<Share> subcategoryShares(const QSqlDatabase& db, const EntryKind& kind, const Period& period);

// The entries of one kind on one day, newest first: 日期, category, name, amount, 结算账户, 备注.
QSqlQuery dayEntriesQuery(const QSqlDatabase& db, const EntryKind& kind, QDate day);

// The statements behind the figures (positional parameters: the period's first and last day, or
// the kind and the day), for reading their plans.
namespace sql {
QString daySummary();
QString monthTotals();
QString subcategoryShares(const EntryKind& kind);
QString dayEntries(const EntryKind& kind);
} // namespace sql

// Everything the statistics window draws beside its grids, read when it opens. Days and months add
// up both amount columns over every entry, whatever its kind, since an entry carries an amount only
// in its own kind's column.
struct Statistics {
    Totals year;                     // the sum of the months
    std::vector<Share> monthIncome;  // month pie of income
    std::vector<Share> monthExpense; // month pie of expense
    std::vector<DayTotals> days;     // month bars by day
    std::vector<MonthTotals> months; // year bars by month
    std::vector<Share> yearIncome;   // year pie of income
    std::vector<Share> yearExpense;  // year pie of expense
};
Statistics loadStatistics(const QSqlDatabase& db, int year, int month);

} // namespace reports
