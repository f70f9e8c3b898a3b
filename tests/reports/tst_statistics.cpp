// The monthly and annual statistics: the aggregates against sums computed here, their plans, and the
// window driven as a user would (figures, day browsing, chart switches, opening from the dashboard).
#include "reports/main_window.h"
#include "reports/statistics_ops.h"
#include "reports/statistics_window.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"
#include "ui/footer_grid.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QMap>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

using reports::ShownMonth;
using store::Money;

namespace {

// Books an entry straight into 收支表 under a Category and Subcategory (made when missing). The
// statistics read no account, so none is moved.
void entry(const LedgerFixture& fx, const QString& date, bool income, const QString& category,
           const QString& name, qint64 fen, const QString& note = QString()) {
    const QString k = income ? QStringLiteral("收入") : QStringLiteral("支出");
    store::exec(fx.db(), QStringLiteral("INSERT OR IGNORE INTO %1项目 VALUES (?)").arg(k), {category});
    store::exec(fx.db(), QStringLiteral("INSERT OR IGNORE INTO %1名称 VALUES (?, ?)").arg(k),
                {category, name});
    store::exec(fx.db(),
                QStringLiteral("INSERT INTO 收支表 (日期, 收支类别, %1项目, %1名称, %1金额, 结算账户, 备注) "
                               "VALUES (?, ?, ?, ?, ?, '现金', ?)")
                    .arg(k),
                {date, k, category, name, fen, note});
}

template <typename T> T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no %s", name);
    return c;
}
QString text(QWidget& w, const char* label) {
    return child<QLabel>(w, label)->text();
}
QAbstractItemModel* rows(QWidget& w, const char* grid) {
    return child<ui::FooterGrid>(w, grid)->view()->model();
}
// A grid's rows as shown, cells joined by '|'.
QStringList shownRows(QWidget& w, const char* grid) {
    QAbstractItemModel* m = rows(w, grid);
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->index(r, c).data().toString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}
QStringList sliceLabels(QWidget& w, const char* chart) {
    QStringList out;
    const auto* pie = qobject_cast<QPieSeries*>(child<QChartView>(w, chart)->chart()->series().value(0));
    for (const QPieSlice* s : pie->slices())
        out << QStringLiteral("%1=%2").arg(s->label()).arg(s->value());
    return out;
}
// A bar chart as "category:first,second" per pair of bars.
QStringList barPairs(QWidget& w, const char* chart) {
    QChart* c = child<QChartView>(w, chart)->chart();
    const auto* bars = qobject_cast<QBarSeries*>(c->series().value(0));
    const auto* axis = qobject_cast<QBarCategoryAxis*>(c->axes(Qt::Horizontal).value(0));
    QStringList out;
    for (int i = 0; i < axis->count(); ++i)
        out << QStringLiteral("%1:%2,%3")
                   .arg(axis->at(i))
                   .arg(bars->barSets()[0]->at(i))
                   .arg(bars->barSets()[1]->at(i));
    return out;
}
QColor colour(QWidget& w, const char* label) {
    return child<QLabel>(w, label)->palette().color(QPalette::WindowText);
}

} // namespace

class TstStatistics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A deterministic spread of entries over three years, summed here row by row and compared with
    // every aggregate; the neighbouring years' edges must stay out.
    void aggregatesAgainstSumsComputedHere() {
        LedgerFixture fx;
        struct Row {
            QDate d;
            bool income;
            QString name;
            qint64 fen;
        };
        QList<Row> all;
        const QStringList incomeNames = {"月薪", "奖金", "利息"};
        const QStringList expenseNames = {"午餐", "房租", "打车", "水电"};
        quint32 x = 12345;
        for (int i = 0; i < 400; ++i) {
            x = x * 1103515245u + 12345u;
            const QDate d = QDate(2024, 12, 25).addDays(int(x >> 8) % 380);
            const bool income = (x >> 4) % 3 == 0;
            const QStringList& names = income ? incomeNames : expenseNames;
            all.append({d, income, names[int(x >> 12) % names.size()], 1 + qint64(x >> 6) % 500000});
        }
        all.append({QDate(2024, 12, 31), true, "月薪", 777});
        all.append({QDate(2026, 1, 1), false, "午餐", 888});
        all.append({QDate(2025, 12, 31), false, "房租", 5});
        // One name under two Categories is one Subcategory slice.
        entry(fx, QStringLiteral("2025-03-03"), false, QStringLiteral("居家"), QStringLiteral("午餐"), 40);
        all.append({QDate(2025, 3, 3), false, "午餐", 40});
        store::Transaction booking(fx.db());
        for (const Row& r : all)
            if (r.d != QDate(2025, 3, 3) || r.fen != 40)
                entry(fx, store::isoDate(r.d), r.income,
                      r.income ? QStringLiteral("工资") : QStringLiteral("日常"), r.name, r.fen);
        booking.commit();

        Money yi, ye;
        QMap<int, std::pair<qint64, qint64>> byMonth;
        QMap<QDate, std::pair<qint64, qint64>> marchDays;
        QMap<QString, qint64> yearIncome, yearExpense, marchExpense;
        for (const Row& r : all) {
            if (r.d.year() != 2025) continue;
            (r.income ? yi : ye) += Money::fromFen(r.fen);
            (r.income ? byMonth[r.d.month()].first : byMonth[r.d.month()].second) += r.fen;
            (r.income ? yearIncome : yearExpense)[r.name] += r.fen;
            if (r.d.month() == 3) {
                (r.income ? marchDays[r.d].first : marchDays[r.d].second) += r.fen;
                if (!r.income) marchExpense[r.name] += r.fen;
            }
        }
        const QSqlDatabase db = fx.db();
        const reports::Totals year = reports::loadStatistics(db, 2025, 3).year;
        QCOMPARE(year.income, yi);
        QCOMPARE(year.expense, ye);
        QCOMPARE(year.surplus(), yi - ye);

        const auto months = reports::monthTotals(db, 2025);
        QCOMPARE(qsizetype(months.size()), byMonth.size());
        auto m = byMonth.cbegin();
        for (const reports::MonthTotals& got : months) {
            QCOMPARE(got.month, m.key());
            QCOMPARE(got.totals.income.fen(), m->first);
            QCOMPARE(got.totals.expense.fen(), m->second);
            ++m;
        }
        const auto days = reports::dayTotals(db, 2025, 3);
        QCOMPARE(qsizetype(days.size()), marchDays.size());
        auto d = marchDays.cbegin();
        for (const reports::DayTotals& got : days) {
            QCOMPARE(got.day, d.key());
            QCOMPARE(got.totals.income.fen(), d->first);
            QCOMPARE(got.totals.expense.fen(), d->second);
            ++d;
        }
        const auto compareShares = [](const std::vector<reports::Share>& got,
                                      const QMap<QString, qint64>& want) {
            QStringList g, w;
            for (const reports::Share& s : got)
                g << QStringLiteral("%1=%2").arg(s.name).arg(s.amount.fen());
            for (auto i = want.cbegin(); i != want.cend(); ++i)
                w << QStringLiteral("%1=%2").arg(i.key()).arg(i.value());
            // Ascending by name: the engine's order of UTF-8 bytes is the map's order of these names.
            QCOMPARE(g, w);
        };
        compareShares(reports::subcategoryShares(db, reports::incomeKind(), reports::Period::year(2025)),
                      yearIncome);
        compareShares(reports::subcategoryShares(db, reports::expenseKind(), reports::Period::year(2025)),
                      yearExpense);
        compareShares(reports::subcategoryShares(db, reports::expenseKind(), reports::Period::month(2025, 3)),
                      marchExpense);
    }

    void statementsReadIndexRanges_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("day summary") << reports::sql::daySummary();
        QTest::newRow("months of a year") << reports::sql::monthTotals();
        QTest::newRow("income by Subcategory") << reports::sql::subcategoryShares(reports::incomeKind());
        QTest::newRow("expense by Subcategory") << reports::sql::subcategoryShares(reports::expenseKind());
        QTest::newRow("a day's entries") << reports::sql::dayEntries(reports::expenseKind());
    }
    // Each figure reads a range of an index that holds what it adds up: no pass over the table, and
    // no look-up of table rows for the sums.
    void statementsReadIndexRanges() {
        QFETCH(QString, sql);
        LedgerFixture fx;
        QSqlQuery q(fx.db());
        QVERIFY(q.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + sql));
        const int params = sql.count(QLatin1Char('?'));
        for (int i = 0; i < params; ++i)
            q.addBindValue(QStringLiteral("2025-01-01"));
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        QStringList plan;
        while (q.next())
            plan << q.value(3).toString();
        const QString p = plan.join(QLatin1Char('\n'));
        QVERIFY2(p.contains(QStringLiteral("SEARCH 收支表")), qPrintable(p));
        QVERIFY2(!p.contains(QStringLiteral("SCAN 收支表")), qPrintable(p));
        if (!sql.contains(QStringLiteral("结算账户")))
            QVERIFY2(p.contains(QStringLiteral("COVERING INDEX")), qPrintable(p));
    }

    // A month and a year without entries, the dashboard's figures (or their absence) taken over,
    // and the surplus in red when nothing was lost, green with its sign when it was.
    void monthFigures_data() {
        // Amounts in fen; -1 stands for a dashboard that has no figures yet.
        QTest::addColumn<qint64>("income");
        QTest::addColumn<qint64>("expense");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QColor>("surplusColour");
        const QColor red(Qt::red), green(0x00, 0x80, 0x00);
        QTest::newRow("no entries") << qint64(0) << qint64(0) << QStringList{"0.00", "0.00", "0.00"} << red;
        QTest::newRow("surplus exactly 0")
            << qint64(1250) << qint64(1250) << QStringList{"12.50", "12.50", "0.00"} << red;
        QTest::newRow("loss") << qint64(100) << qint64(1350) << QStringList{"1.00", "13.50", "-12.50"}
                              << green;
        QTest::newRow("above the amount limit")
            << (Money::limit() + Money::limit()).fen() << qint64(1)
            << QStringList{"19999999999999.98", "0.01", "19999999999999.97"} << red;
        // Before the dashboard's first refresh the window reads the month itself.
        QTest::newRow("no dashboard figures yet")
            << qint64(-1) << qint64(-1) << QStringList{"0.80", "0.00", "0.80"} << red;
    }
    void monthFigures() {
        QFETCH(qint64, income);
        QFETCH(qint64, expense);
        QFETCH(QStringList, shown);
        QFETCH(QColor, surplusColour);
        const auto figure = [](qint64 fen) { return fen < 0 ? std::optional<Money>() : Money::fromFen(fen); };
        LedgerFixture fx;
        if (income < 0) {
            entry(fx, QStringLiteral("2026-03-01"), true, QStringLiteral("工资"), QStringLiteral("月薪"), 40);
            entry(fx, QStringLiteral("2026-03-31"), true, QStringLiteral("工资"), QStringLiteral("月薪"), 40);
        }
        TYFLTJfrm w(nullptr, ShownMonth{2026, 3, figure(income), figure(expense)});
        QCOMPARE(w.windowTitle(), QStringLiteral("月分类统计"));
        QCOMPARE(QStringList({text(w, "lbl5"), text(w, "lbl6"), text(w, "lbl9")}), shown);
        QCOMPARE(colour(w, "lbl9"), surplusColour);
        QCOMPARE(QStringList({text(w, "lbl1"), text(w, "lbl2"), text(w, "lbl15")}),
                 QStringList({"2026", "3", "2026"}));
        if (income == 0) {
            // Nothing booked in the year either: empty grids and charts, year figures 0.00.
            QCOMPARE(QStringList({text(w, "lbl3"), text(w, "lbl4"), text(w, "lbl13")}),
                     QStringList({"0.00", "0.00", "0.00"}));
            for (const char* g : {"dbgrdh13", "dbgrdh11", "dbgrdh12"})
                QCOMPARE(rows(w, g)->rowCount(), 0);
            QCOMPARE(rows(w, "dbgrdh11")->headerData(3, Qt::Horizontal).toString(),
                     QStringLiteral("收入金额"));
            for (const char* c : {"dbcht1", "dbcht2", "dbcht5", "dbcht6"})
                QCOMPARE(sliceLabels(w, c), QStringList());
            QCOMPARE(barPairs(w, "dbcht3"), QStringList());
            QCOMPARE(barPairs(w, "dbcht4"), QStringList());
            QCOMPARE(child<QChartView>(w, "dbcht4")->accessibleDescription(), QStringLiteral("没有数据"));
        }
    }

    // The month's days, their entries, the year's figures and the six charts from one ledger.
    void figuresGridsAndCharts() {
        LedgerFixture fx;
        const auto in = [&](const char* date, const char* name, qint64 fen, const char* note = "") {
            entry(fx, QString::fromLatin1(date), true, QStringLiteral("工资"), QString::fromUtf8(name), fen,
                  QString::fromUtf8(note));
        };
        const auto out = [&](const char* date, const char* name, qint64 fen, const char* note = "") {
            entry(fx, QString::fromLatin1(date), false, QStringLiteral("饮食"), QString::fromUtf8(name), fen,
                  QString::fromUtf8(note));
        };
        in("2026-05-01", "月薪", 300000);
        out("2026-05-01", "午餐", 2000, "第一笔");
        out("2026-05-01", "晚餐", 6000, "第二笔");
        out("2026-05-09", "午餐", 1500);
        in("2026-05-09", "奖金", 100000);
        in("2026-02-10", "月薪", 300000);
        out("2026-02-11", "晚餐", 500);
        out("2025-12-31", "午餐", 99999); // the year before: nowhere
        out("2026-06-01", "午餐", 88888); // the month after: only in the year

        TYFLTJfrm w(nullptr, ShownMonth{2026, 5, Money::fromFen(400000), Money::fromFen(9500)});
        QCOMPARE(shownRows(w, "dbgrdh13"),
                 QStringList({"2026/5/1|3000.00|80.00", "2026/5/9|1000.00|15.00"}));
        // The first day is selected; its entries come newest first.
        QCOMPARE(shownRows(w, "dbgrdh11"), QStringList{"2026/5/1|工资|月薪|3000.00|现金|"});
        QCOMPARE(shownRows(w, "dbgrdh12"), QStringList({"2026/5/1|饮食|晚餐|60.00|现金|第二笔",
                                                        "2026/5/1|饮食|午餐|20.00|现金|第一笔"}));
        // Another day reloads both.
        QTableView* days = child<ui::FooterGrid>(w, "dbgrdh13")->view();
        days->setFocus();
        QTest::keyClick(days, Qt::Key_Down);
        QCOMPARE(shownRows(w, "dbgrdh11"), QStringList{"2026/5/9|工资|奖金|1000.00|现金|"});
        QCOMPARE(shownRows(w, "dbgrdh12"), QStringList{"2026/5/9|饮食|午餐|15.00|现金|"});

        QCOMPARE(QStringList({text(w, "lbl3"), text(w, "lbl4"), text(w, "lbl13")}),
                 QStringList({"7000.00", "988.88", "6011.12"}));

        QCOMPARE(sliceLabels(w, "dbcht1"), QStringList({"奖金 25.0%=1000", "月薪 75.0%=3000"}));
        QCOMPARE(sliceLabels(w, "dbcht2"), QStringList({"午餐 36.8%=35", "晚餐 63.2%=60"}));
        QCOMPARE(barPairs(w, "dbcht3"), QStringList({"1:3000,80", "9:1000,15"}));
        QCOMPARE(barPairs(w, "dbcht4"), QStringList({"2:3000,5", "5:4000,95", "6:0,888.88"}));
        QCOMPARE(sliceLabels(w, "dbcht5"), QStringList({"奖金 14.3%=1000", "月薪 85.7%=6000"}));
        QCOMPARE(sliceLabels(w, "dbcht6"), QStringList({"午餐 93.4%=923.88", "晚餐 6.6%=65"}));
        const QChart* bars = child<QChartView>(w, "dbcht4")->chart();
        const auto* sets = qobject_cast<QBarSeries*>(bars->series().value(0));
        QCOMPARE(sets->barSets()[0]->label(), QStringLiteral("月收入"));
        QCOMPARE(sets->barSets()[1]->label(), QStringLiteral("月支出"));
        QCOMPARE(bars->title(), QStringLiteral("年度月收支分析图表"));
        QVERIFY(bars->titleFont().bold());
        QVERIFY(!bars->titleFont().underline());
        QVERIFY(child<QChartView>(w, "dbcht1")->chart()->titleFont().underline());

        // What a screen reader reads: the title and the figures.
        const QChartView* pie = child<QChartView>(w, "dbcht2");
        QCOMPARE(pie->accessibleName(), QStringLiteral("月度支出项目分析图表"));
        QCOMPARE(pie->accessibleDescription(), QStringLiteral("午餐 35.00（36.8%）；晚餐 60.00（63.2%）"));
        QCOMPARE(child<QChartView>(w, "dbcht3")->accessibleDescription(),
                 QStringLiteral("1日：收入 3000.00，支出 80.00；9日：收入 1000.00，支出 15.00"));
    }

    // At most one chart shows; a second button hides the first and resets its caption; a grid's
    // double-click shows its chart, the chart's own hides it.
    void chartSwitches() {
        LedgerFixture fx;
        TYFLTJfrm w(nullptr, ShownMonth{2026, 5, Money(), Money()});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const char* buttons[] = {"btn1", "btn2", "btn3", "btn4", "btn5", "btn6"};
        const char* charts[] = {"dbcht3", "dbcht1", "dbcht2", "dbcht4", "dbcht5", "dbcht6"};
        const auto state = [&] {
            QStringList s;
            for (int i = 0; i < 6; ++i)
                s << child<QPushButton>(w, buttons[i])->text() +
                         (child<QChartView>(w, charts[i])->isVisible() ? QStringLiteral("+") : QString());
            return s;
        };
        const QStringList allHidden = {"显示月度日收支分析图表",   "显示月度收入项目分析图表",
                                       "显示月度支出项目分析图表", "显示年度月收支分析图表",
                                       "显示年度收入项目分析图表", "显示年度支出项目分析图表"};
        QCOMPARE(state(), allHidden);
        QTest::mouseClick(child<QPushButton>(w, "btn1"), Qt::LeftButton);
        QStringList expected = allHidden;
        expected[0] = QStringLiteral("隐藏月度日收支分析图表+");
        QCOMPARE(state(), expected);
        QTest::mouseClick(child<QPushButton>(w, "btn2"), Qt::LeftButton);
        expected = allHidden;
        expected[1] = QStringLiteral("隐藏月度收入项目分析图表+");
        QCOMPARE(state(), expected);
        QTest::mouseClick(child<QPushButton>(w, "btn2"), Qt::LeftButton);
        QCOMPARE(state(), allHidden);

        for (int i = 3; i < 6; ++i) {
            QTest::mouseClick(child<QPushButton>(w, buttons[i]), Qt::LeftButton);
            QCOMPARE(state().filter(QStringLiteral("+")).size(), 1);
            QVERIFY(child<QChartView>(w, charts[i])->isVisible());
        }
        const auto doubleClick = [](QWidget* on) {
            QTest::mouseDClick(on, Qt::LeftButton, {}, on->rect().center());
        };
        doubleClick(child<ui::FooterGrid>(w, "dbgrdh12")->view()->viewport());
        expected = allHidden;
        expected[2] = QStringLiteral("隐藏月度支出项目分析图表+");
        QCOMPARE(state(), expected);
        doubleClick(child<QChartView>(w, "dbcht2")->viewport());
        QCOMPARE(state(), allHidden);
        doubleClick(child<ui::FooterGrid>(w, "dbgrdh13")->view()->viewport());
        QVERIFY(child<QChartView>(w, "dbcht3")->isVisible());
    }

    // A database error is reported; the window still opens, without figures, and its buttons
    // have no chart to switch.
    void databaseErrorLeavesTheWindowOpen() {
        LedgerFixture fx;
        fx.dm->close();
        TYFLTJfrm w(nullptr, ShownMonth{2026, 5, Money(), Money()});
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(fx.dialogs.shown[0].icon, ui::Icon::Error);
        QCOMPARE(text(w, "lbl5"), QString());
        QCOMPARE(text(w, "lbl3"), QString());
        QTest::mouseClick(child<QPushButton>(w, "btn1"), Qt::LeftButton);
        QCOMPARE(child<QPushButton>(w, "btn1")->text(), QStringLiteral("显示月度日收支分析图表"));
    }

    // All three places open the statistics for the month the dashboard shows, with its figures;
    // after "上" that is the previous month, across the year's end.
    void opensFromTheDashboard() {
        LedgerFixture fx(QDateTime(QDate(2026, 1, 15), QTime(10, 0)));
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(1000000));
        fx.bookEntry(QStringLiteral("2026-01-03"), true, 1000);
        fx.bookEntry(QStringLiteral("2025-12-24"), false, 2550);
        fx.bookEntry(QStringLiteral("2025-12-31"), true, 700);
        Tzjzkfrm main;
        QVERIFY(QTest::qWaitFor([&] { return !main.tmr2->isActive(); }, 2000));
        QStringList seen;
        fx.dialogs.onModal = [&seen](QDialog& d) {
            seen << QStringList({d.windowTitle(), text(d, "lbl1"), text(d, "lbl2"), text(d, "lbl5"),
                                 text(d, "lbl6"), text(d, "lbl9"), text(d, "lbl3")})
                        .join(QLatin1Char(' '));
            return int(QDialog::Rejected);
        };
        QTest::mouseClick(main.button2, Qt::LeftButton);
        QTest::mouseClick(main.btn1, Qt::LeftButton);
        QTest::mouseClick(main.btn17, Qt::LeftButton);
        main.N9->trigger();
        QCOMPARE(seen, QStringList({"月分类统计 2026 1 10.00 0.00 10.00 10.00",
                                    "月分类统计 2025 12 7.00 25.50 -18.50 7.00",
                                    "月分类统计 2025 12 7.00 25.50 -18.50 7.00"}));
        QVERIFY(fx.dialogs.shown.size() == 3);
    }
};

QTEST_MAIN(TstStatistics)
#include "tst_statistics.moc"
