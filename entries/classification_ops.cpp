// Classification operations over the ledger connection.
#include "entries/classification_ops.h"

#include "store/db.h"

#include <QSqlQuery>

namespace entries {

namespace {

// The table and column names come from the two fixed descriptors, never from typed text; every name
// a user typed is bound.
// In the text, {C} stands for the Category table (and column), {S} for the Subcategory's.
QString sql(const char* text, const ClassificationTables& t) {
    return QString::fromUtf8(text)
        .replace(QLatin1String("{C}"), t.category)
        .replace(QLatin1String("{S}"), t.subcategory);
}

QStringList column(QSqlQuery q) {
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

bool exists(const QSqlDatabase& db, const QString& statement, std::initializer_list<QVariant> params) {
    return store::scalar(db, statement, params).isValid();
}

bool categoryExists(const QSqlDatabase& db, const ClassificationTables& t, const QString& name) {
    return exists(db, sql("SELECT 1 FROM {C} WHERE {C} = ?", t), {name});
}

} // namespace

const ClassificationTables& incomeTables() {
    static const ClassificationTables t{QStringLiteral("收入项目"), QStringLiteral("收入名称")};
    return t;
}

const ClassificationTables& expenseTables() {
    static const ClassificationTables t{QStringLiteral("支出项目"), QStringLiteral("支出名称")};
    return t;
}

// The classification tables have no key that follows insertion; their rowid does (a rename keeps a
// row's rowid), while an unordered select would come back in name order through the unique key.
QStringList categories(const QSqlDatabase& db, const ClassificationTables& t) {
    return column(store::exec(db, sql("SELECT {C} FROM {C} ORDER BY rowid", t)));
}

QStringList subcategories(const QSqlDatabase& db, const ClassificationTables& t, const QString& category) {
    return column(store::exec(db, sql("SELECT {S} FROM {S} WHERE {C} = ? ORDER BY rowid", t), {category}));
}

bool categoryInUse(const QSqlDatabase& db, const ClassificationTables& t, const QString& category) {
    return exists(db, sql("SELECT 1 FROM 收支表 WHERE {C} = ?", t), {category});
}

bool subcategoryInUse(const QSqlDatabase& db, const ClassificationTables& t, const QString& category,
                      const QString& name) {
    return exists(db, sql("SELECT 1 FROM 收支表 WHERE {C} = ? AND {S} = ?", t), {category, name});
}

ClassOutcome addCategory(const QSqlDatabase& db, const ClassificationTables& t, const QString& name) {
    store::Transaction tx(db);
    if (categoryExists(db, t, name)) return ClassOutcome::Duplicate;
    store::exec(db, sql("INSERT INTO {C} ({C}) VALUES (?)", t), {name});
    tx.commit();
    return ClassOutcome::Done;
}

ClassOutcome renameCategory(const QSqlDatabase& db, const ClassificationTables& t, const QString& oldName,
                            const QString& newName) {
    store::Transaction tx(db);
    if (categoryExists(db, t, newName)) return ClassOutcome::Duplicate;
    if (!categoryExists(db, t, oldName)) return ClassOutcome::Missing;
    store::exec(db, sql("UPDATE {C} SET {C} = ? WHERE {C} = ?", t), {newName, oldName});
    tx.commit();
    return ClassOutcome::Done;
}

ClassOutcome deleteCategory(const QSqlDatabase& db, const ClassificationTables& t, const QString& name) {
    store::Transaction tx(db);
    if (!categoryExists(db, t, name)) return ClassOutcome::Missing;
    if (categoryInUse(db, t, name)) return ClassOutcome::InUse;
    store::exec(db, sql("DELETE FROM {C} WHERE {C} = ?", t), {name});
    tx.commit();
    return ClassOutcome::Done;
}

ClassOutcome addSubcategory(const QSqlDatabase& db, const ClassificationTables& t, const QString& category,
                            const QString& name) {
    store::Transaction tx(db);
    if (!categoryExists(db, t, category)) return ClassOutcome::Missing;
    if (exists(db, sql("SELECT 1 FROM {S} WHERE {C} = ? AND {S} = ?", t), {category, name}))
        return ClassOutcome::Duplicate;
    store::exec(db, sql("INSERT INTO {S} ({C}, {S}) VALUES (?, ?)", t), {category, name});
    tx.commit();
    return ClassOutcome::Done;
}

ClassOutcome renameSubcategory(const QSqlDatabase& db, const ClassificationTables& t, const QString& oldName,
                               const QString& newName) {
    store::Transaction tx(db);
    // Looking under every Category keeps the rename below from ever meeting a pair that exists.
    if (exists(db, sql("SELECT 1 FROM {S} WHERE {S} = ?", t), {newName})) return ClassOutcome::Duplicate;
    if (!exists(db, sql("SELECT 1 FROM {S} WHERE {S} = ?", t), {oldName})) return ClassOutcome::Missing;
    store::exec(db, sql("UPDATE {S} SET {S} = ? WHERE {S} = ?", t), {newName, oldName});
    tx.commit();
    return ClassOutcome::Done;
}

ClassOutcome deleteSubcategory(const QSqlDatabase& db, const ClassificationTables& t, const QString& category,
                               const QString& name) {
    store::Transaction tx(db);
    if (!exists(db, sql("SELECT 1 FROM {S} WHERE {C} = ? AND {S} = ?", t), {category, name}))
        return ClassOutcome::Missing;
    if (subcategoryInUse(db, t, category, name)) return ClassOutcome::InUse;
    store::exec(db, sql("DELETE FROM {S} WHERE {C} = ? AND {S} = ?", t), {category, name});
    tx.commit();
    return ClassOutcome::Done;
}

} // namespace entries
