// The two-level classification of income and expense: Categories and the Subcategories inside them.
// Each writing operation runs in one transaction and re-checks its own duplicate and usage rules
// inside it. The cascades (a Category's rename reaching its Subcategories and the entries, its delete
// taking its Subcategories, a Subcategory's rename reaching the entries) are the schema's foreign keys.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace entries {

// The tables of one side of the classification. Each name is at once a table and a column: the
// Category table holds one column of its own name, the Subcategory table holds both, and 收支表
// names an entry's Category and Subcategory in columns of the same names.
struct ClassificationTables {
    QString category;    // 收入项目 / 支出项目
    QString subcategory; // 收入名称 / 支出名称
};

const ClassificationTables& incomeTables();
const ClassificationTables& expenseTables();

// Why an operation wrote nothing. Database failures are not outcomes: they throw store::DbError.
enum class ClassOutcome {
    Done,
    Duplicate, // the name is taken (see each operation for where it looks)
    InUse,     // an entry still names the Category or Subcategory
    Missing,   // the Category or Subcategory addressed is not there (any more)
};

// Every Category, in the order they were added, oldest first.
QStringList categories(const QSqlDatabase& db, const ClassificationTables& t);

// The Subcategories of one Category, in the order they were added, oldest first.
QStringList subcategories(const QSqlDatabase& db, const ClassificationTables& t, const QString& category);

// Whether any entry names the Category, or the Subcategory under its Category: what the windows
// ask before they confirm a delete.
bool categoryInUse(const QSqlDatabase& db, const ClassificationTables& t, const QString& category);
bool subcategoryInUse(const QSqlDatabase& db, const ClassificationTables& t, const QString& category,
                      const QString& name);

// A new Category, stored as given (callers trim). Refuses Duplicate when the name exists.
[[nodiscard]] ClassOutcome addCategory(const QSqlDatabase& db, const ClassificationTables& t,
                                       const QString& name);

// Renames a Category; its Subcategories and the entries that name it follow. Refuses Duplicate when
// the new name exists (the old one included) and Missing when the old one is gone.
[[nodiscard]] ClassOutcome renameCategory(const QSqlDatabase& db, const ClassificationTables& t,
                                          const QString& oldName, const QString& newName);

// Deletes a Category with its Subcategories. Refuses InUse while any entry names the Category, and
// Missing when it is gone.
[[nodiscard]] ClassOutcome deleteCategory(const QSqlDatabase& db, const ClassificationTables& t,
                                          const QString& name);

// A new Subcategory under a Category. The same name may stand under two Categories: refuses
// Duplicate only for the pair, and Missing when the Category is gone.
[[nodiscard]] ClassOutcome addSubcategory(const QSqlDatabase& db, const ClassificationTables& t,
                                          const QString& category, const QString& name);

// Renames every Subcategory that bears the old name, under whatever Category it stands, and the
// entries that name those rows. Refuses Duplicate when the new name stands under any Category, and
// Missing when no row bears the old name.
[[nodiscard]] ClassOutcome renameSubcategory(const QSqlDatabase& db, const ClassificationTables& t,
                                             const QString& oldName, const QString& newName);

// Deletes one Subcategory of a Category. Refuses InUse while any entry names the pair, and Missing
// when the pair is gone.
[[nodiscard]] ClassOutcome deleteSubcategory(const QSqlDatabase& db, const ClassificationTables& t,
                                             const QString& category, const QString& name);

} // namespace entries
