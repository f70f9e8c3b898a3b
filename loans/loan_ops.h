// Borrowing and Lending operations: add, correct, delete, and paying back (a repayment on a
// Borrowing, a collection on a Lending). Each writing operation runs in one transaction and
// re-checks its rules on the stored figures, so whatever the caller saw, every account's 余额 stays
// its opening amount moved by its running totals and every loan's 余额 its amount less what came back.
#pragma once

#include "store/money.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace store {
class Tdmod1;
}

namespace loans {

enum class Kind { Borrowing, Lending };

// The names one side of the loans uses, and the way its money moves.
struct LoanTable {
    QString table;           // 借入 / 借出
    QString amount;          // the amount lent or borrowed: 借入金额 / 借出金额
    QString back;            // what came back so far: 偿还金额 / 收回金额
    QString accumulator;     // the settlement account's running total of loans: 借入 / 借出
    QString backAccumulator; // the paying or receiving account's running total: 付还款 / 收借款
    // +1 when the loan brings money into its settlement account (a Borrowing), -1 when it takes
    // money out (a Lending); paying back moves the other way.
    int sign;
};
const LoanTable& tableOf(Kind kind);

// Why an operation wrote nothing. Database failures are not outcomes: they throw store::DbError.
enum class Outcome {
    Done,
    NoSuchLoan,       // the id addresses no row
    NoSuchAccount,    // the named account does not exist
    BadAmount,        // below 0 or above the amount limit (add, correct); not above 0 (pay back)
    BelowReturned,    // a corrected amount below what already came back
    Overdraw,         // an account would have to give money it does not hold
    PartlyReturned,   // a loan partly paid back cannot be deleted
    AboveOutstanding, // paying back more than is still outstanding
};

// What the add and correct windows write.
struct LoanFields {
    QDate date;
    QString account; // the settlement account, by name
    store::Money amount;
    QString person; // 借款人, stored as given
    QString note;   // 备注, stored as given
};

// A new loan: 余额 its amount, nothing paid back. The settlement account's running total rises by
// the amount, its 余额 rises (Borrowing) or falls (Lending). Refuses BadAmount, NoSuchAccount and,
// for a Lending above the account's balance, Overdraw.
[[nodiscard]] Outcome addLoan(const QSqlDatabase& db, Kind kind, const LoanFields& f, qint64* id = nullptr);

// Rewrites a loan: the previous settlement account gets the stored amount's movement undone, the
// chosen one gets the new amount's, and 余额 becomes the new amount less what came back. Refuses, in
// this order, NoSuchLoan, BadAmount, BelowReturned, NoSuchAccount and Overdraw: for a Borrowing when
// the money to take back off its account (the stored amount on a move, the decrease on the same
// account) exceeds that account's balance; for a Lending when the money to take from the chosen
// account (the new amount on a move, the increase on the same account) exceeds its balance.
[[nodiscard]] Outcome correctLoan(const QSqlDatabase& db, Kind kind, qint64 id, const LoanFields& f);

// Removes a loan and undoes the outstanding amount's movement on its settlement account (a loan
// fully paid back leaves the account as it is). Refuses NoSuchLoan, PartlyReturned and, for a
// Borrowing whose account no longer holds the outstanding amount, Overdraw.
[[nodiscard]] Outcome deleteLoan(const QSqlDatabase& db, Kind kind, qint64 id);

// Pays an amount back on a loan through any account: the loan's returned total rises and its 余额
// falls; the account's 付还款 or 收借款 rises, its 余额 falls (repayment) or rises (collection).
// Refuses, in this order, NoSuchLoan, BadAmount, AboveOutstanding, NoSuchAccount and, for a
// repayment above the paying account's balance, Overdraw.
[[nodiscard]] Outcome payBack(const QSqlDatabase& db, Kind kind, qint64 id, const QString& account,
                              store::Money amount);
[[nodiscard]] inline Outcome repay(const QSqlDatabase& db, qint64 id, const QString& account,
                                   store::Money amount) {
    return payBack(db, Kind::Borrowing, id, account, amount);
}
[[nodiscard]] inline Outcome collect(const QSqlDatabase& db, qint64 id, const QString& account,
                                     store::Money amount) {
    return payBack(db, Kind::Lending, id, account, amount);
}

// The statement that lists one side: newest date first, newest recorded first within a date.
QString listStatement(Kind kind);
// Re-reads the data module's list of one side (qryJR or qryJC).
void relist(store::Tdmod1& dm, Kind kind);

// The totals of one side's list in one row: its amounts, what came back, what is outstanding, and
// the number of loans. Kept by the ledger's triggers, so reading them costs the same for any count.
QString footerStatement(Kind kind);

// What is still outstanding over all loans of one side (the dashboard's 待还款 and 待收款).
store::Money outstandingTotal(const QSqlDatabase& db, Kind kind);

} // namespace loans
