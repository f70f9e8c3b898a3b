// The user, the welcome switch and clearing the ledger.
#include "admin/user_ops.h"

#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>

namespace admin {

User readUser(const QSqlDatabase& db) {
    QSqlQuery q = store::exec(db, QStringLiteral("select 用户名, 密码 from 用户 order by rowid limit 1"));
    if (!q.next()) return {};
    return {q.value(0).toString(), q.value(1).toString()};
}

void renameUser(const QSqlDatabase& db, const QString& name) {
    store::Transaction t(db);
    store::exec(db, QStringLiteral("update 用户 set 用户名=?"), {name});
    t.commit();
}

void setPassword(const QSqlDatabase& db, const QString& password) {
    store::Transaction t(db);
    store::exec(db, QStringLiteral("update 用户 set 密码=?"), {store::scramble(password)});
    t.commit();
}

bool welcomeSwitch(const QSqlDatabase& db) {
    return store::scalar(db, QStringLiteral("select flag from flag order by rowid limit 1")).toBool();
}

void setWelcomeSwitch(const QSqlDatabase& db, bool on) {
    store::Transaction t(db);
    store::exec(db, QStringLiteral("update flag set flag=?"), {on ? 1 : 0});
    t.commit();
}

void clearLedger(const QSqlDatabase& db) {
    store::Transaction t(db);
    // Entries go before the classification they name; the Subcategories go with their Categories
    // through the cascade.
    for (const char* table : {"收支表", "借出", "借入", "收入项目", "支出项目", "账户"})
        store::exec(db, QStringLiteral("delete from %1").arg(QString::fromUtf8(table)));
    t.commit();
}

namespace {
QList<QSqlQueryModel*> sharedLists(const store::Tdmod1& dm) {
    return {dm.qry1, dm.qrysr, dm.qryzc, dm.qryJR, dm.qryJC};
}
} // namespace

ListStatements listStatements(const store::Tdmod1& dm) {
    ListStatements out;
    for (const QSqlQueryModel* m : sharedLists(dm)) {
        const QSqlQuery q = m->query();
        out.lists.append({q.lastQuery(), q.boundValues()});
    }
    return out;
}

void reopenLists(store::Tdmod1& dm, const ListStatements& statements) {
    const QList<QSqlQueryModel*> lists = sharedLists(dm);
    for (qsizetype i = 1; i < lists.size() && i < statements.lists.size(); ++i) {
        const ListStatements::Statement& s = statements.lists[i];
        if (s.sql.isEmpty()) {
            lists[i]->setQuery(QSqlQuery());
            continue;
        }
        QSqlQuery q(dm.con1());
        if (!q.prepare(s.sql)) throw store::DbError(q.lastError());
        for (const QVariant& v : s.values)
            q.addBindValue(v);
        if (!q.exec()) throw store::DbError(q.lastError());
        lists[i]->setQuery(std::move(q));
    }
    store::requery(dm);
}

} // namespace admin
