// Ledger entry operations: record, correct and delete an income or expense entry, and the listing
// of one kind under the browsers' filters. Each writing operation runs in one transaction and
// judges the balances on the stored figures inside it, so no sequence of calls, however stale the
// caller's view, can drive an account below zero.
#pragma once

#include "store/money.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace entries {

enum class Kind { Income, Expense };

// The stored names that differ between the kinds.
struct KindColumns {
    QString kind;        // 收支类别: 收入 / 支出
    QString category;    // 收入项目 / 支出项目 (also the Category table)
    QString subcategory; // 收入名称 / 支出名称 (also the Subcategory table)
    QString amount;      // 收入金额 / 支出金额
    int sign;            // how the entry moves its account's 余额: +1 income, -1 expense
};
const KindColumns& columnsOf(Kind kind);

// What an entry says, apart from its id and kind.
struct EntryValues {
    QDate date;
    QString category;
    QString subcategory;
    store::Money amount;
    QString account;
    QString remark;
};

// Why an operation wrote nothing. Database failures are not outcomes: they throw store::DbError.
enum class Outcome {
    Done,
    NotPositive,   // an amount that is not above 0.00
    BeyondLimit,   // an amount above Money::limit(), which no account total could carry
    NoSuchAccount, // the settlement account does not exist
    NoSuchEntry,   // no entry of this kind has the id (deleted meanwhile)
    Overdraw,      // an account that gives money would end below zero
};

// The Categories of a kind and the Subcategories of one Category, in the order they were made.
QStringList categories(const QSqlDatabase& db, Kind kind);
QStringList subcategories(const QSqlDatabase& db, Kind kind, const QString& category);

// Stores a new entry and moves its account (income: 收入 and 余额 up; expense: 支出 up, 余额 down).
// Refuses NotPositive, BeyondLimit, NoSuchAccount and, for an expense above the balance, Overdraw. The new id
// goes to *newId when given.
[[nodiscard]] Outcome recordEntry(const QSqlDatabase& db, Kind kind, const EntryValues& values,
                                  qint64* newId = nullptr);

// Rewrites an entry: the entry as stored is taken off its account, the new values put on theirs.
// Refuses NotPositive, BeyondLimit, NoSuchEntry, NoSuchAccount (the new account) and Overdraw (income already
// spent when it is lowered or moved; an expense raised or moved beyond what its account holds).
[[nodiscard]] Outcome correctEntry(const QSqlDatabase& db, Kind kind, qint64 id, const EntryValues& values);

// Removes an entry and takes it off its account. Refuses NoSuchEntry, and Overdraw for income that
// has already been spent.
[[nodiscard]] Outcome deleteEntry(const QSqlDatabase& db, Kind kind, qint64 id);

// The browsers' filters; a switch that is off ignores its value.
struct ListFilter {
    bool byDate = true;
    QDate from;
    QDate to;
    bool byCategory = false;
    QString category;
    bool bySubcategory = false; // only with byCategory
    QString subcategory;
};

} // namespace entries
