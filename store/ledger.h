// The small ledger operations many windows share: account list re-query, totals, balance lookup,
// password scramble, and the conversions between stored values and Money / dates.
#pragma once

#include "store/db.h"
#include "store/money.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <optional>

namespace store {

class Tdmod1;

// Typed text as the ledger keeps it: blanks (full-width ones too), line breaks and other control
// characters removed at both ends; inner ones stay.
QString trimmedText(const QString& text);

// A stored amount (integer fen; NULL counts as 0).
Money moneyOf(const QVariant& v);
// A date as stored: yyyy-MM-dd.
QString isoDate(QDate d);

// Re-reads the account list the main window's grid shows: newest account first.
void requery(Tdmod1& dm);

// Sum of an amount column over every row of a table. The 余额 totals of 借入 and 借出 are read from
// 借贷合计, where triggers keep them, rather than summed over every loan.
Money columnTotal(const QSqlDatabase& db, const QString& column, const QString& table);
// Sum of an amount column over the rows dated within one calendar month (both ends inclusive);
// rows whose column is unset add nothing.
Money monthTotal(const QSqlDatabase& db, const QString& column, const QString& table, int year, int month);
// The same for the month of today's date (store::clock()).
Money monthTotal(const QSqlDatabase& db, const QString& column, const QString& table);

// The 余额 of the account with exactly this name; nothing when no account has it.
std::optional<Money> balanceLookup(const QSqlDatabase& db, const QString& name);

// Whether the ledger behind an open connection can be written. A change is made and rolled back,
// so the file stays as it was; it needs the file and its folder (for the rollback journal) to be
// writable. Gives the engine's error when it cannot be written; nothing when it can, or when
// another program holds the write lock, which says nothing about the file.
std::optional<DbError> writeProbe(const QSqlDatabase& db);

// Counts a successful login: dlcount up by one, and the first login's date into startdd, in one
// transaction. Gives the new count.
qint64 countLogin(const QSqlDatabase& db, QDate today);

// The stored form of a password: for each byte of its GBK encoding, b*(b+8)*17-1980 in 32-bit
// unsigned arithmetic, written in decimal and concatenated. Empty for an empty password. Throws
// std::runtime_error when the encoder is missing (the encoding is a parameter for that test only).
QString scramble(const QString& password, const char* encoding = "GBK");

} // namespace store
