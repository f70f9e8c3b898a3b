// Statement running over the ledger connection: errors become DbError, operations run in one
// transaction.
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <stdexcept>

namespace store {

// A failed statement or connection step, carrying the engine's own text and, when the engine
// gave one, its result code (SQLITE_BUSY, SQLITE_FULL, ...; 0 when unknown).
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text, int code = 0);
    // The error of a failed Qt SQL call, with its full text and the engine's result code.
    explicit DbError(const QSqlError& error);
    QString text() const { return text_; }
    int code() const { return code_; }

private:
    QString text_;
    int code_ = 0;
};

// The fullest text of an error: the engine's message, or the driver's when the engine said
// nothing (a failed prepare or a lost connection leaves databaseText() empty).
QString errorText(const QSqlError& e);

// Whether a statement failed because another connection held the lock past the busy timeout.
bool lockedByAnother(const DbError& e);

// What a user can do about a failure, in one Chinese sentence: the ledger is used by another
// program, cannot be written, the disk is full, or the file is damaged. Empty for other failures.
QString failureAdvice(const DbError& e);

// Prepares and runs one statement with positional '?' parameters; throws DbError on failure.
// Values are always bound, never spliced into the text; a null QString is bound as empty text
// (only an invalid QVariant writes NULL).
QSqlQuery exec(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> params = {});

// The first column of the first row of a query, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> params = {});

// Runs an operation's statements as one unit: commit() makes them land, leaving the scope without
// it (a thrown DbError) rolls every one of them back. The write lock is taken at the start
// (BEGIN IMMEDIATE): a transaction that first reads and later writes would otherwise meet another
// process's lock with a read lock already held, and SQLite then fails at once instead of waiting
// out the connection's busy timeout.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    void rollback() noexcept;

    QSqlDatabase db_;
    bool done_ = false;
};

} // namespace store
