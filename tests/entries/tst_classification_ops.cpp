// The classification operations on both sides: list order, duplicate and usage rules, and the
// cascades the schema carries into Subcategories and entries.
#include "entries/classification_ops.h"
#include "store/db.h"
#include "support/fixture.h"

#include <QtTest>

using entries::ClassificationTables;
using entries::ClassOutcome;

Q_DECLARE_METATYPE(const ClassificationTables*)

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// An entry of the side's kind filed under a Category and Subcategory.
void fileEntry(const LedgerFixture& fx, const ClassificationTables& t, const QString& category,
               const QString& sub) {
    const QString kind = t.category.left(2);
    store::exec(fx.db(),
                QStringLiteral("INSERT INTO 收支表 (日期, 收支类别, %1, %2, %3金额, 结算账户) "
                               "VALUES ('2026-05-01', ?, ?, ?, 100, '现金')")
                    .arg(t.category, t.subcategory, kind),
                {kind, category, sub});
}

// Every Subcategory row as "Category/Subcategory", in insertion order.
QStringList pairs(const LedgerFixture& fx, const ClassificationTables& t) {
    QSqlQuery q = store::exec(
        fx.db(), QStringLiteral("SELECT %1, %2 FROM %2 ORDER BY rowid").arg(t.category, t.subcategory));
    QStringList out;
    while (q.next())
        out << q.value(0).toString() + QLatin1Char('/') + q.value(1).toString();
    return out;
}

// The Category and Subcategory every entry of the side names, by id.
QStringList filed(const LedgerFixture& fx, const ClassificationTables& t) {
    QSqlQuery q =
        store::exec(fx.db(), QStringLiteral("SELECT %1, %2 FROM 收支表 WHERE %1 IS NOT NULL ORDER BY id")
                                 .arg(t.category, t.subcategory));
    QStringList out;
    while (q.next())
        out << q.value(0).toString() + QLatin1Char('/') + q.value(1).toString();
    return out;
}

// Two Categories holding a Subcategory of the same name (子) and one more each.
void build(const LedgerFixture& fx, const ClassificationTables& t) {
    for (const char* c : {"甲", "乙"})
        QCOMPARE(entries::addCategory(fx.db(), t, s(c)), ClassOutcome::Done);
    for (const auto& [c, sub] : {std::pair{"甲", "子"}, {"甲", "丑"}, {"乙", "子"}, {"乙", "寅"}})
        QCOMPARE(entries::addSubcategory(fx.db(), t, s(c), s(sub)), ClassOutcome::Done);
}

// Every test runs on the income side and on the expense side.
void sides() {
    QTest::addColumn<const ClassificationTables*>("tables");
    QTest::newRow("income") << &entries::incomeTables();
    QTest::newRow("expense") << &entries::expenseTables();
}

} // namespace

class TestClassificationOps : public QObject {
    Q_OBJECT

private slots:
    void listsComeInInsertionOrder_data() { sides(); }
    void listsComeInInsertionOrder() {
        QFETCH(const ClassificationTables*, tables);
        const ClassificationTables& t = *tables;
        LedgerFixture fx;
        // Name order would be o'clock 丙 乙 甲.
        for (const char* c : {"甲", "o'clock", "丙", "乙"})
            QCOMPARE(entries::addCategory(fx.db(), t, s(c)), ClassOutcome::Done);
        for (const char* sub : {"z", "a", "m"})
            QCOMPARE(entries::addSubcategory(fx.db(), t, s("o'clock"), s(sub)), ClassOutcome::Done);
        QCOMPARE(entries::categories(fx.db(), t), (QStringList{s("甲"), s("o'clock"), s("丙"), s("乙")}));
        QCOMPARE(entries::subcategories(fx.db(), t, s("o'clock")), (QStringList{"z", "a", "m"}));
        // A rename keeps the place; a delete and a new add put the newcomer last.
        QCOMPARE(entries::renameCategory(fx.db(), t, s("甲"), s("丁")), ClassOutcome::Done);
        QCOMPARE(entries::deleteCategory(fx.db(), t, s("乙")), ClassOutcome::Done);
        QCOMPARE(entries::addCategory(fx.db(), t, s("乙")), ClassOutcome::Done);
        QCOMPARE(entries::categories(fx.db(), t), (QStringList{s("丁"), s("o'clock"), s("丙"), s("乙")}));
        QCOMPARE(entries::subcategories(fx.db(), t, s("丁")), QStringList());
    }

    void duplicatesAreRefusedAndWriteNothing_data() { sides(); }
    void duplicatesAreRefusedAndWriteNothing() {
        QFETCH(const ClassificationTables*, tables);
        const ClassificationTables& t = *tables;
        LedgerFixture fx;
        build(fx, t);
        const QStringList before = pairs(fx, t);
        QCOMPARE(entries::addCategory(fx.db(), t, s("甲")), ClassOutcome::Duplicate);
        QCOMPARE(entries::renameCategory(fx.db(), t, s("甲"), s("乙")), ClassOutcome::Duplicate);
        // The old name itself is taken too: a rename to it is refused, as the window expects.
        QCOMPARE(entries::renameCategory(fx.db(), t, s("甲"), s("甲")), ClassOutcome::Duplicate);
        QCOMPARE(entries::addSubcategory(fx.db(), t, s("甲"), s("丑")), ClassOutcome::Duplicate);
        // A Subcategory rename looks under every Category: 寅 stands only under 乙.
        QCOMPARE(entries::renameSubcategory(fx.db(), t, s("丑"), s("寅")), ClassOutcome::Duplicate);
        QCOMPARE(entries::categories(fx.db(), t), (QStringList{s("甲"), s("乙")}));
        QCOMPARE(pairs(fx, t), before);
        // The pair decides on add: 丑 may also stand under 乙.
        QCOMPARE(entries::addSubcategory(fx.db(), t, s("乙"), s("丑")), ClassOutcome::Done);
    }

    void missingTargetsAreReported_data() { sides(); }
    void missingTargetsAreReported() {
        QFETCH(const ClassificationTables*, tables);
        const ClassificationTables& t = *tables;
        LedgerFixture fx;
        build(fx, t);
        QCOMPARE(entries::renameCategory(fx.db(), t, s("丙"), s("丁")), ClassOutcome::Missing);
        QCOMPARE(entries::deleteCategory(fx.db(), t, s("丙")), ClassOutcome::Missing);
        QCOMPARE(entries::addSubcategory(fx.db(), t, s("丙"), s("子")), ClassOutcome::Missing);
        QCOMPARE(entries::renameSubcategory(fx.db(), t, s("卯"), s("辰")), ClassOutcome::Missing);
        QCOMPARE(entries::deleteSubcategory(fx.db(), t, s("甲"), s("寅")), ClassOutcome::Missing);
        QCOMPARE(entries::categories(fx.db(), t), (QStringList{s("甲"), s("乙")}));
        QCOMPARE(fx.count(t.subcategory), 4);
    }

    void categoryRenameReachesSubcategoriesAndEntries_data() { sides(); }
    void categoryRenameReachesSubcategoriesAndEntries() {
        QFETCH(const ClassificationTables*, tables);
        const ClassificationTables& t = *tables;
        LedgerFixture fx;
        build(fx, t);
        fileEntry(fx, t, s("甲"), s("子"));
        fileEntry(fx, t, s("乙"), s("子"));
        fileEntry(fx, t, s("甲"), s("丑"));
        QCOMPARE(entries::renameCategory(fx.db(), t, s("甲"), s("It's")), ClassOutcome::Done);
        QCOMPARE(pairs(fx, t), (QStringList{s("It's/子"), s("It's/丑"), s("乙/子"), s("乙/寅")}));
        QCOMPARE(filed(fx, t), (QStringList{s("It's/子"), s("乙/子"), s("It's/丑")}));
    }

    void subcategoryRenameChangesEveryCategory_data() { sides(); }
    void subcategoryRenameChangesEveryCategory() {
        QFETCH(const ClassificationTables*, tables);
        const ClassificationTables& t = *tables;
        LedgerFixture fx;
        build(fx, t);
        fileEntry(fx, t, s("甲"), s("子"));
        fileEntry(fx, t, s("乙"), s("子"));
        fileEntry(fx, t, s("乙"), s("寅"));
        QCOMPARE(entries::renameSubcategory(fx.db(), t, s("子"), s("卯")), ClassOutcome::Done);
        QCOMPARE(pairs(fx, t), (QStringList{s("甲/卯"), s("甲/丑"), s("乙/卯"), s("乙/寅")}));
        QCOMPARE(filed(fx, t), (QStringList{s("甲/卯"), s("乙/卯"), s("乙/寅")}));
    }

    void deletesTakeSubcategoriesUnlessInUse_data() { sides(); }
    void deletesTakeSubcategoriesUnlessInUse() {
        QFETCH(const ClassificationTables*, tables);
        const ClassificationTables& t = *tables;
        LedgerFixture fx;
        build(fx, t);
        fileEntry(fx, t, s("乙"), s("寅"));
        QVERIFY(entries::categoryInUse(fx.db(), t, s("乙")));
        QVERIFY(entries::subcategoryInUse(fx.db(), t, s("乙"), s("寅")));
        QVERIFY(!entries::subcategoryInUse(fx.db(), t, s("乙"), s("子")));
        QVERIFY(!entries::subcategoryInUse(fx.db(), t, s("甲"), s("寅")));

        QCOMPARE(entries::deleteCategory(fx.db(), t, s("乙")), ClassOutcome::InUse);
        QCOMPARE(entries::deleteSubcategory(fx.db(), t, s("乙"), s("寅")), ClassOutcome::InUse);
        QCOMPARE(pairs(fx, t).size(), 4);

        QCOMPARE(entries::deleteSubcategory(fx.db(), t, s("乙"), s("子")), ClassOutcome::Done);
        QCOMPARE(entries::deleteCategory(fx.db(), t, s("甲")), ClassOutcome::Done);
        QCOMPARE(entries::categories(fx.db(), t), QStringList{s("乙")});
        QCOMPARE(pairs(fx, t), QStringList{s("乙/寅")});
    }

    // The usage checks read the side's own columns: an entry of the other kind under a Category of
    // the same name does not hold the delete back.
    void otherSideDoesNotCount() {
        LedgerFixture fx;
        build(fx, entries::incomeTables());
        build(fx, entries::expenseTables());
        fileEntry(fx, entries::expenseTables(), s("甲"), s("子"));
        QCOMPARE(entries::deleteSubcategory(fx.db(), entries::incomeTables(), s("甲"), s("子")),
                 ClassOutcome::Done);
        QCOMPARE(entries::deleteCategory(fx.db(), entries::incomeTables(), s("甲")), ClassOutcome::Done);
        QCOMPARE(entries::deleteCategory(fx.db(), entries::expenseTables(), s("甲")), ClassOutcome::InUse);
        QCOMPARE(filed(fx, entries::expenseTables()), QStringList{s("甲/子")});
    }
};

QTEST_MAIN(TestClassificationOps)
#include "tst_classification_ops.moc"
