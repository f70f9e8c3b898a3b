// The reference model's steps for the classification of income and expense: Categories and their
// Subcategories, with the renames that carry into Subcategories and entries.
#include "entries/classification_ops.h"
#include "reference_model.h"
#include "store/db.h"

#include <QSqlQuery>

namespace model {

namespace {

// Few names, so that steps meet taken names and missing ones. A Subcategory name may also be a
// Category's, and the same Subcategory name stands under two Categories.
QString categoryName(Rng& rng) {
    static const QStringList names = {QStringLiteral("工资"), QStringLiteral("饮食"), QStringLiteral("交通"),
                                      QStringLiteral("O'Brien")};
    return pick(rng, names);
}

QString subcategoryName(Rng& rng) {
    static const QStringList names = {QStringLiteral("月薪"), QStringLiteral("午餐"), QStringLiteral("晚餐"),
                                      QStringLiteral("地铁"), QStringLiteral("工资")};
    return pick(rng, names);
}

struct SideOf {
    bool income;
    const entries::ClassificationTables& tables() const {
        return income ? entries::incomeTables() : entries::expenseTables();
    }
    Classification& in(Model& m) const { return income ? m.income : m.expense; }
    const Classification& in(const Model& m) const { return income ? m.income : m.expense; }
    QString text() const { return income ? QStringLiteral("income") : QStringLiteral("expense"); }
};

SideOf side(Rng& rng) {
    return {rng() % 2 == 0};
}

// Mostly a Category the side has, now and then any name.
QString someCategory(Rng& rng, const Classification& c) {
    if (c.categories.isEmpty() || rng() % 4 == 0) return categoryName(rng);
    return pick(rng, c.categories);
}

std::pair<QString, QString> somePair(Rng& rng, const Classification& c) {
    if (c.subcategories.isEmpty() || rng() % 4 == 0) return {someCategory(rng, c), subcategoryName(rng)};
    return c.subcategories.at(int(rng() % quint64(c.subcategories.size())));
}

QString outcomeName(entries::ClassOutcome o) {
    switch (o) {
    case entries::ClassOutcome::Done:
        return QStringLiteral("Done");
    case entries::ClassOutcome::Duplicate:
        return QStringLiteral("Duplicate");
    case entries::ClassOutcome::InUse:
        return QStringLiteral("InUse");
    case entries::ClassOutcome::Missing:
        return QStringLiteral("Missing");
    }
    return QStringLiteral("?");
}

Step addCategory(Rng& rng, const Model&) {
    const SideOf s = side(rng);
    const QString name = categoryName(rng);
    return {QStringLiteral("%1: add Category %2").arg(s.text(), name),
            [=](const QSqlDatabase& db) { return outcomeName(entries::addCategory(db, s.tables(), name)); },
            [=](Model& m) {
                Classification& c = s.in(m);
                if (c.hasCategory(name)) return QStringLiteral("Duplicate");
                c.categories << name;
                return QStringLiteral("Done");
            }};
}

Step renameCategory(Rng& rng, const Model& m0) {
    const SideOf s = side(rng);
    const QString from = someCategory(rng, s.in(m0));
    const QString to = categoryName(rng);
    return {QStringLiteral("%1: rename Category %2 to %3").arg(s.text(), from, to),
            [=](const QSqlDatabase& db) {
                return outcomeName(entries::renameCategory(db, s.tables(), from, to));
            },
            [=](Model& m) {
                Classification& c = s.in(m);
                if (c.hasCategory(to)) return QStringLiteral("Duplicate");
                if (!c.hasCategory(from)) return QStringLiteral("Missing");
                c.categories[c.categories.indexOf(from)] = to;
                for (auto& [category, name] : c.subcategories)
                    if (category == from) category = to;
                m.renameCategoryInEntries(s.income, from, to);
                return QStringLiteral("Done");
            }};
}

Step deleteCategory(Rng& rng, const Model& m0) {
    const SideOf s = side(rng);
    const QString name = someCategory(rng, s.in(m0));
    return {
        QStringLiteral("%1: delete Category %2").arg(s.text(), name),
        [=](const QSqlDatabase& db) { return outcomeName(entries::deleteCategory(db, s.tables(), name)); },
        [=](Model& m) {
            Classification& c = s.in(m);
            if (!c.hasCategory(name)) return QStringLiteral("Missing");
            if (m.classifiedEntries(s.income, name)) return QStringLiteral("InUse");
            c.categories.removeAll(name);
            c.subcategories.removeIf([&](const auto& p) { return p.first == name; });
            return QStringLiteral("Done");
        }};
}

Step addSubcategory(Rng& rng, const Model& m0) {
    const SideOf s = side(rng);
    const QString category = someCategory(rng, s.in(m0));
    const QString name = subcategoryName(rng);
    return {QStringLiteral("%1: add Subcategory %2 under %3").arg(s.text(), name, category),
            [=](const QSqlDatabase& db) {
                return outcomeName(entries::addSubcategory(db, s.tables(), category, name));
            },
            [=](Model& m) {
                Classification& c = s.in(m);
                if (!c.hasCategory(category)) return QStringLiteral("Missing");
                if (c.hasPair(category, name)) return QStringLiteral("Duplicate");
                c.subcategories.append({category, name});
                return QStringLiteral("Done");
            }};
}

Step renameSubcategory(Rng& rng, const Model& m0) {
    const SideOf s = side(rng);
    const QString from = somePair(rng, s.in(m0)).second;
    const QString to = subcategoryName(rng);
    return {QStringLiteral("%1: rename Subcategory %2 to %3").arg(s.text(), from, to),
            [=](const QSqlDatabase& db) {
                return outcomeName(entries::renameSubcategory(db, s.tables(), from, to));
            },
            [=](Model& m) {
                Classification& c = s.in(m);
                const auto named = [&c](const QString& n) {
                    return std::any_of(c.subcategories.cbegin(), c.subcategories.cend(),
                                       [&n](const auto& p) { return p.second == n; });
                };
                if (named(to)) return QStringLiteral("Duplicate");
                if (!named(from)) return QStringLiteral("Missing");
                for (auto& [category, name] : c.subcategories)
                    if (name == from) name = to;
                m.renameSubcategoryInEntries(s.income, from, to);
                return QStringLiteral("Done");
            }};
}

Step deleteSubcategory(Rng& rng, const Model& m0) {
    const SideOf s = side(rng);
    const auto [category, name] = somePair(rng, s.in(m0));
    return {QStringLiteral("%1: delete Subcategory %2 under %3").arg(s.text(), name, category),
            [=](const QSqlDatabase& db) {
                return outcomeName(entries::deleteSubcategory(db, s.tables(), category, name));
            },
            [=](Model& m) {
                Classification& c = s.in(m);
                if (!c.hasPair(category, name)) return QStringLiteral("Missing");
                if (m.classifiedEntries(s.income, category, name)) return QStringLiteral("InUse");
                c.subcategories.removeAll(std::pair{category, name});
                return QStringLiteral("Done");
            }};
}

} // namespace

QStringList classificationDifferences(const Model& m, const QSqlDatabase& db) {
    QStringList out;
    for (const bool income : {true, false}) {
        const SideOf s{income};
        const entries::ClassificationTables& t = s.tables();
        const Classification& c = s.in(m);
        QStringList categories;
        QSqlQuery q = store::exec(db, QStringLiteral("SELECT %1 FROM %1 ORDER BY rowid").arg(t.category));
        while (q.next())
            categories << q.value(0).toString();
        if (categories != c.categories)
            out << QStringLiteral("%1 Categories: %2, model %3")
                       .arg(s.text(), categories.join(QLatin1Char(',')), c.categories.join(QLatin1Char(',')));
        QStringList pairs, modelPairs;
        QSqlQuery p = store::exec(
            db, QStringLiteral("SELECT %1, %2 FROM %2 ORDER BY rowid").arg(t.category, t.subcategory));
        while (p.next())
            pairs << p.value(0).toString() + QLatin1Char('/') + p.value(1).toString();
        for (const auto& [category, name] : c.subcategories)
            modelPairs << category + QLatin1Char('/') + name;
        if (pairs != modelPairs)
            out << QStringLiteral("%1 Subcategories: %2, model %3")
                       .arg(s.text(), pairs.join(QLatin1Char(',')), modelPairs.join(QLatin1Char(',')));
    }
    return out;
}

QList<StepMaker> classificationSteps() {
    return {
        {QStringLiteral("add Category"), 10, addCategory},
        {QStringLiteral("rename Category"), 6, renameCategory},
        {QStringLiteral("delete Category"), 4, deleteCategory},
        {QStringLiteral("add Subcategory"), 14, addSubcategory},
        {QStringLiteral("rename Subcategory"), 6, renameSubcategory},
        {QStringLiteral("delete Subcategory"), 6, deleteSubcategory},
    };
}

} // namespace model
