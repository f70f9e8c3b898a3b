// Statement running and transactions over a QSqlDatabase.
#include "store/db.h"

#include <QSqlError>

namespace store {

namespace {
QString errorText(const QSqlError& e) {
    QString t = e.databaseText();
    if (t.isEmpty()) t = e.text();
    if (t.isEmpty()) t = e.driverText();
    return t;
}
} // namespace

DbError::DbError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}

QSqlQuery exec(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> params) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw DbError(errorText(q.lastError()));
    for (const QVariant& p : params) {
        // A null QString would be bound as NULL; text the program writes is never NULL.
        if (p.typeId() == QMetaType::QString && p.toString().isNull())
            q.addBindValue(QString(QLatin1String("")));
        else
            q.addBindValue(p);
    }
    if (!q.exec()) throw DbError(errorText(q.lastError()));
    return q;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, std::initializer_list<QVariant> params) {
    QSqlQuery q = exec(db, sql, params);
    if (!q.next()) {
        if (q.lastError().isValid()) throw DbError(errorText(q.lastError()));
        return {};
    }
    return q.value(0);
}

Transaction::Transaction(const QSqlDatabase& db) : db_(db) {
    if (!db_.transaction()) throw DbError(errorText(db_.lastError()));
}

Transaction::~Transaction() {
    if (!done_) db_.rollback();
}

void Transaction::commit() {
    if (!db_.commit()) {
        const QString text = errorText(db_.lastError());
        db_.rollback();
        done_ = true;
        throw DbError(text);
    }
    done_ = true;
}

} // namespace store
