// The list grid: display formats, the footer's aggregates over exactly the listed rows, the shown
// columns, the current row, lazy fetching and the footer following the columns.
#include "store/db.h"
#include "support/fixture.h"
#include "ui/footer_grid.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QtTest>

using store::Money;
using ui::FooterCell;
using ui::GridColumn;

namespace {
QList<GridColumn> accountColumns() {
    return {
        {QStringLiteral("账户名称"), 90, QString(), FooterCell::staticText(QStringLiteral("合   计："))},
        {QStringLiteral("起始金额"), 80, QStringLiteral("#.##"), FooterCell::sum(QStringLiteral("￥0.00"))},
        {QStringLiteral("余额"), 80, QStringLiteral("0.00"), FooterCell::sum(QStringLiteral("￥0.00"))},
        {QStringLiteral("备注"), 128, QString(), FooterCell::count(QStringLiteral("共计#个资金账户"))},
    };
}

QStringList shownTitles(const QTableView* v) {
    QStringList out;
    const QHeaderView* h = v->horizontalHeader();
    for (int visual = 0; visual < h->count(); ++visual) {
        const int logical = h->logicalIndex(visual);
        if (!h->isSectionHidden(logical)) out << v->model()->headerData(logical, Qt::Horizontal).toString();
    }
    return out;
}

QLabel* footerLabel(const ui::FooterGrid& g, const QString& field) {
    for (QLabel* l : g.findChildren<QLabel*>())
        if (l->accessibleDescription() == field) return l;
    return nullptr;
}
} // namespace

class TstFooterGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void displayFormats_data() {
        QTest::addColumn<QVariant>("fen");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("#.## fraction") << QVariant(1250) << "#.##"
                                       << "12.5";
        QTest::newRow("#.## zero shows nothing") << QVariant(0) << "#.##"
                                                 << "";
        QTest::newRow("#.## whole") << QVariant(1200000) << "#.##"
                                    << "12000";
        QTest::newRow("#.## below one") << QVariant(5) << "#.##"
                                        << ".05";
        QTest::newRow("#.## negative") << QVariant(-16850) << "#.##"
                                       << "-168.5";
        QTest::newRow("#.## unset") << QVariant(QMetaType(QMetaType::LongLong)) << "#.##"
                                    << "";
        QTest::newRow("0.00 zero") << QVariant(0) << "0.00"
                                   << "0.00";
        QTest::newRow("0.00 fraction") << QVariant(1250) << "0.00"
                                       << "12.50";
        QTest::newRow("0.00 negative") << QVariant(-16800) << "0.00"
                                       << "-168.00";
        QTest::newRow("0.00 large") << QVariant(Money::limit().fen()) << "0.00"
                                    << "9999999999999.99";
    }
    void displayFormats() {
        QFETCH(QVariant, fen);
        QFETCH(QString, format);
        QFETCH(QString, shown);
        LedgerFixture fx;
        store::exec(fx.db(), QStringLiteral("CREATE TABLE t (v INTEGER)"));
        store::exec(fx.db(), QStringLiteral("INSERT INTO t VALUES (?)"), {fen});
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("SELECT v FROM t"), fx.db());
        ui::FooterGrid g;
        g.setColumns({{QStringLiteral("v"), 80, format, FooterCell::sum(format)}});
        g.setModel(&model);
        QCOMPARE(g.view()->model()->index(0, 0).data().toString(), shown);
        QCOMPARE(g.footerText(QStringLiteral("v")), shown);
    }

    void footerAndColumnsOverAccounts() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(150000), QStringLiteral("零用"));
        fx.insertAccount(QStringLiteral("工行卡"), Money::fromFen(1200050));
        fx.insertAccount(QStringLiteral("信用卡"), Money::fromFen(-16800));
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("select * from 账户 order by id desc"), fx.db());
        ui::FooterGrid g;
        g.setColumns(accountColumns());
        g.setModel(&model);

        QCOMPARE(shownTitles(g.view()), QStringList({"账户名称", "起始金额", "余额", "备注"}));
        QCOMPARE(g.view()->horizontalHeader()->sectionSize(model.record().indexOf(QStringLiteral("备注"))),
                 128);
        QCOMPARE(g.footerText(QStringLiteral("账户名称")), QStringLiteral("合   计："));
        QCOMPARE(g.footerText(QStringLiteral("起始金额")), QStringLiteral("￥13332.50"));
        QCOMPARE(g.footerText(QStringLiteral("余额")), QStringLiteral("￥13332.50"));
        QCOMPARE(g.footerText(QStringLiteral("备注")), QStringLiteral("共计3个资金账户"));
        // The footer cells are plain labels: assistive technology reads them.
        QCOMPARE(footerLabel(g, QStringLiteral("备注"))->text(), QStringLiteral("共计3个资金账户"));
        // A freshly read list stands on its first row; the grid follows the user's choice.
        QCOMPARE(g.currentRecord().value(QStringLiteral("账户名称")).toString(), QStringLiteral("信用卡"));
        g.view()->setCurrentIndex(g.view()->model()->index(2, 1));
        QCOMPARE(g.currentRecord().value(QStringLiteral("账户名称")).toString(), QStringLiteral("现金"));

        // A re-query brings the footer up to date and keeps the column layout.
        store::exec(fx.db(), QStringLiteral("DELETE FROM 账户 WHERE 账户名称 = '信用卡'"));
        model.setQuery(QStringLiteral("select * from 账户 order by id desc"), fx.db());
        QCOMPARE(shownTitles(g.view()), QStringList({"账户名称", "起始金额", "余额", "备注"}));
        QCOMPARE(g.footerText(QStringLiteral("余额")), QStringLiteral("￥13500.50"));
        QCOMPARE(g.footerText(QStringLiteral("备注")), QStringLiteral("共计2个资金账户"));
        QCOMPARE(g.currentRecord().value(QStringLiteral("账户名称")).toString(), QStringLiteral("工行卡"));
    }

    void emptyList() {
        LedgerFixture fx;
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("select * from 账户 order by id desc"), fx.db());
        ui::FooterGrid g;
        g.setColumns(accountColumns());
        g.setModel(&model);
        QCOMPARE(g.view()->model()->rowCount(), 0);
        QCOMPARE(g.footerText(QStringLiteral("起始金额")), QStringLiteral("￥0.00"));
        QCOMPARE(g.footerText(QStringLiteral("余额")), QStringLiteral("￥0.00"));
        QCOMPARE(g.footerText(QStringLiteral("备注")), QStringLiteral("共计个资金账户"));
        QVERIFY(g.currentRecord().isEmpty());
        QCOMPARE(g.currentRow(), -1);

        // A list emptied of its statement (a closed ledger) shows the empty footer, not an error.
        model.setQuery(QSqlQuery());
        QCOMPARE(g.footerText(QStringLiteral("备注")), QStringLiteral("共计个资金账户"));
    }

    void columnNeverNarrowerThanItsFooter() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::limit());
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("select * from 账户"), fx.db());
        ui::FooterGrid g;
        g.setColumns(
            {{QStringLiteral("余额"), 60, QStringLiteral("0.00"), FooterCell::sum(QStringLiteral("￥0.00"))},
             {QStringLiteral("备注"), 60, QString(), FooterCell()}});
        g.setModel(&model);
        const QLabel* l = footerLabel(g, QStringLiteral("余额"));
        QCOMPARE(l->text(), QStringLiteral("￥9999999999999.99"));
        QVERIFY(l->sizeHint().width() <=
                g.view()->horizontalHeader()->sectionSize(model.record().indexOf(QStringLiteral("余额"))));
        QCOMPARE(g.view()->horizontalHeader()->sectionSize(model.record().indexOf(QStringLiteral("备注"))),
                 60);
    }

    void footerCoversOnlyTheListedRows_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("positional")
            << "select * from 账户 where 起始金额 >= ? and 账户名称 <> ? order by id desc";
        QTest::newRow("named")
            << "select * from 账户 where 起始金额 >= :low and 账户名称 <> :name order by id desc";
    }
    void footerCoversOnlyTheListedRows() {
        QFETCH(QString, sql);
        LedgerFixture fx;
        for (int i = 1; i <= 5; ++i)
            fx.insertAccount(QStringLiteral("账户%1").arg(i), Money::fromFen(i * 100));
        QSqlQuery q(fx.db());
        QVERIFY(q.prepare(sql));
        q.bindValue(0, 300);
        q.bindValue(1, QStringLiteral("账户4"));
        QVERIFY(q.exec());
        QSqlQueryModel model;
        model.setQuery(std::move(q));
        ui::FooterGrid g;
        g.setColumns(accountColumns());
        g.setModel(&model);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(g.footerText(QStringLiteral("起始金额")), QStringLiteral("￥8.00"));
        QCOMPARE(g.footerText(QStringLiteral("备注")), QStringLiteral("共计2个资金账户"));
    }

    // The footer totals without the list's order, but never past what limits or binds the rows.
    void footerOverOrderedStatements_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("count");
        QTest::newRow("order") << "select * from 账户 where 起始金额 > ? order by id desc"
                               << "共计4个资金账户";
        QTest::newRow("limit") << "select * from 账户 where 起始金额 > ? order by id desc limit 2"
                               << "共计2个资金账户";
        QTest::newRow("marker in the order")
            << "select * from 账户 where 起始金额 > ? order by (起始金额 = ?) desc, ';' limit 3"
            << "共计3个资金账户";
        QTest::newRow("order inside")
            << "select * from (select * from 账户 order by id limit 1) where 起始金额 > ?"
            << "共计个资金账户";
    }
    void footerOverOrderedStatements() {
        QFETCH(QString, sql);
        QFETCH(QString, count);
        LedgerFixture fx;
        for (int i = 1; i <= 5; ++i)
            fx.insertAccount(QStringLiteral("账户%1").arg(i), Money::fromFen(i * 100));
        QSqlQuery q(fx.db());
        QVERIFY(q.prepare(sql));
        q.bindValue(0, 100);
        if (sql.count(QLatin1Char('?')) > 1) q.bindValue(1, 300);
        QVERIFY(q.exec());
        QSqlQueryModel model;
        model.setQuery(std::move(q));
        ui::FooterGrid g;
        g.setColumns(accountColumns());
        g.setModel(&model);
        QCOMPARE(g.footerText(QStringLiteral("备注")), count);
    }

    void longListsAreFetchedLazily() {
        LedgerFixture fx;
        store::Transaction t(fx.db());
        store::exec(
            fx.db(),
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
                           "INSERT INTO 账户 (账户名称, 起始金额, 余额) SELECT 'a' || i, i, i FROM n"));
        t.commit();
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("select * from 账户 order by id desc"), fx.db());
        ui::FooterGrid g;
        g.setColumns(accountColumns());
        g.setModel(&model);
        g.resize(600, 300);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QVERIFY(model.rowCount() < 5000);
        QCOMPARE(g.footerText(QStringLiteral("备注")), QStringLiteral("共计5000个资金账户"));
        QCOMPARE(g.footerText(QStringLiteral("起始金额")), QStringLiteral("￥125025.00"));
    }

    void footerFollowsTheColumns() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(150000));
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("select * from 账户 order by id desc"), fx.db());
        ui::FooterGrid g;
        g.setColumns(accountColumns());
        g.setModel(&model);
        g.resize(250, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QHeaderView* h = g.view()->horizontalHeader();
        const auto aligned = [&](const QString& field) {
            const int logical = model.record().indexOf(field);
            const QLabel* l = footerLabel(g, field);
            return l->x() == h->sectionViewportPosition(logical) && l->width() == h->sectionSize(logical);
        };
        QVERIFY(aligned(QStringLiteral("余额")));
        QScrollBar* bar = g.findChild<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(bar && bar->isVisible());
        bar->setValue(bar->maximum());
        QCOMPARE(g.view()->horizontalScrollBar()->value(), bar->maximum());
        QTRY_VERIFY(aligned(QStringLiteral("余额")));
        QVERIFY(aligned(QStringLiteral("备注")));
        g.view()->horizontalHeader()->resizeSection(model.record().indexOf(QStringLiteral("起始金额")), 150);
        QVERIFY(aligned(QStringLiteral("备注")));
    }

    // A width the user dragged survives re-queries; new columns bring the design widths back.
    void draggedWidthsOutlastRequeries() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("select * from 账户 order by id desc"), fx.db());
        ui::FooterGrid g;
        g.setColumns(accountColumns());
        g.setModel(&model);
        QHeaderView* h = g.view()->horizontalHeader();
        const int name = model.record().indexOf(QStringLiteral("账户名称"));
        const int note = model.record().indexOf(QStringLiteral("备注"));
        h->resizeSection(name, 170);
        model.setQuery(QStringLiteral("select * from 账户 where id > 0 order by id desc"), fx.db());
        QCOMPARE(h->sectionSize(name), 170);
        QCOMPARE(h->sectionSize(note), 128);
        g.setColumns(accountColumns());
        model.setQuery(QStringLiteral("select * from 账户 order by id desc"), fx.db());
        QCOMPARE(h->sectionSize(name), 90);
    }

    // Seeking walks past the rows fetched so far; a row that is not listed leaves the first current.
    void seekRowFetchesAndFallsBack() {
        LedgerFixture fx;
        store::Transaction t(fx.db());
        store::exec(
            fx.db(),
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
                           "INSERT INTO 账户 (账户名称, 起始金额, 余额) SELECT 'a' || i, i, i FROM n"));
        t.commit();
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("select * from 账户 order by id desc"), fx.db());
        ui::FooterGrid g;
        g.setColumns(accountColumns());
        g.setModel(&model);
        QVERIFY(g.seekRow(QStringLiteral("账户名称"), QStringLiteral("a1")));
        QCOMPARE(g.currentRow(), 999);
        QCOMPARE(g.currentRecord().value(QStringLiteral("起始金额")).toInt(), 1);
        QVERIFY(!g.seekRow(QStringLiteral("账户名称"), QStringLiteral("none")));
        QCOMPARE(g.currentRow(), 0);
    }
};

QTEST_MAIN(TstFooterGrid)
#include "tst_footer_grid.moc"
