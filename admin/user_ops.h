// The one user's name and password, the welcome switch, and clearing the ledger's records.
#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

namespace store {
class Tdmod1;
}

namespace admin {

struct User {
    QString name;
    QString storedPassword; // the scramble kept in 用户.密码
};

// The row of 用户 (the first one, should there ever be more).
User readUser(const QSqlDatabase& db);

// Stores a new user name as given (callers trim).
void renameUser(const QSqlDatabase& db, const QString& name);
// Stores the scramble of a new password as given (callers trim).
void setPassword(const QSqlDatabase& db, const QString& password);

// Whether the welcome window shows at start-up.
bool welcomeSwitch(const QSqlDatabase& db);
void setWelcomeSwitch(const QSqlDatabase& db, bool on);

// Deletes every entry, Borrowing, Lending, Category (with its Subcategories) and account, in one
// transaction. The user, the welcome switch and the login count stay.
void clearLedger(const QSqlDatabase& db);

// The statements the shared lists (qry1, qrysr, qryzc, qryJR, qryJC) were last filled with.
struct ListStatements {
    struct Statement {
        QString sql;
        QVariantList values;
    };
    QList<Statement> lists;
};
ListStatements listStatements(const store::Tdmod1& dm);

// After the ledger changed under the shared lists: each list runs its statement again on the
// connection (one never filled stays empty), the account list always.
void reopenLists(store::Tdmod1& dm, const ListStatements& statements);

} // namespace admin
