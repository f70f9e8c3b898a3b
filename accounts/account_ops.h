// Fund account operations: add, rename, change the note, delete, and transfers between accounts.
// Each writing operation runs in one transaction and re-checks its own preconditions inside it, so
// a caller that skipped a check (or looked at stale figures) still cannot break the ledger.
#pragma once

#include "store/money.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace accounts {

// Why an operation wrote nothing. Database failures are not outcomes: they throw store::DbError.
enum class Outcome {
    Done,
    NameTaken,     // another account already bears the name
    NoSuchAccount, // the id or name addresses no account
    BadAmount,     // an opening amount below 0 or above the amount limit
    NotEmpty,      // an accumulator of the account is not 0
    SameAccount,   // source and target of a transfer are one account
    NotPositive,   // a transfer amount that is not above 0
    Overdraw,      // a transfer amount above the source account's balance
};

// Every account name, oldest account first: what the account choice lists offer.
QStringList accountNames(const QSqlDatabase& db);

// Whether an account other than the one with id exceptId bears exactly this name.
bool accountNameTaken(const QSqlDatabase& db, const QString& name, qint64 exceptId = 0);

// A new account: 起始金额 and 余额 the opening amount, every accumulator 0. The name and note are
// stored as given (callers trim). Refuses NameTaken and BadAmount.
[[nodiscard]] Outcome addAccount(const QSqlDatabase& db, const QString& name, store::Money opening,
                                 const QString& note);

// Gives the account a new name and note, and carries the new name into 结算账户 of the entries,
// Borrowings and Lendings that named the old one. Refuses NameTaken and NoSuchAccount.
[[nodiscard]] Outcome renameAccount(const QSqlDatabase& db, qint64 id, const QString& name,
                                    const QString& note);

// Replaces the account's note. Refuses NoSuchAccount.
[[nodiscard]] Outcome setAccountNote(const QSqlDatabase& db, qint64 id, const QString& note);

// Removes the account while all eight accumulators are exactly 0. Refuses NotEmpty and NoSuchAccount.
[[nodiscard]] Outcome deleteAccount(const QSqlDatabase& db, qint64 id);

// Moves an amount from one account to another (source: 转出 up, 余额 down; target: 转入 up, 余额 up).
// Refuses, in this order, SameAccount, NotPositive, NoSuchAccount and Overdraw; the whole balance
// may go.
[[nodiscard]] Outcome transfer(const QSqlDatabase& db, const QString& source, const QString& target,
                               store::Money amount);

} // namespace accounts
