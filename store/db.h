// Statement running over the ledger connection: errors become DbError, operations run in one
// transaction.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <stdexcept>

namespace store {

// A failed statement or connection step, carrying the engine's own text.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text);
    QString text() const { return text_; }

private:
    QString text_;
};

// Prepares and runs one statement with positional '?' parameters; throws DbError on failure.
// Values are always bound, never spliced into the text; a null QString is bound as empty text
// (only an invalid QVariant writes NULL).
QSqlQuery exec(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> params = {});

// The first column of the first row of a query, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> params = {});

// Runs an operation's statements as one unit: commit() makes them land, leaving the scope without
// it (a thrown DbError) rolls every one of them back.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    QSqlDatabase db_;
    bool done_ = false;
};

} // namespace store
