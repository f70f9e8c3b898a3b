// The statistics window on a large ledger: opening it (every figure, grid and chart loaded) and
// switching its charts, measured on the real window (offscreen); also each statement's plan.
#include "bench/bench_main.h"
#include "reports/statistics_ops.h"
#include "reports/statistics_window.h"
#include "store/clock.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {
void printPlan(const QSqlDatabase& db, const char* what, const QString& sql) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
    for (int i = 0; i < sql.count(QLatin1Char('?')); ++i)
        q.addBindValue(QStringLiteral("2026-01-01"));
    q.exec();
    std::printf("%s:\n", what);
    while (q.next())
        std::printf("    %s\n", qPrintable(q.value(3).toString()));
}
} // namespace

int main(int argc, char** argv) {
    bench::preferOffscreen();
    QApplication app(argc, argv);
    const QString ledger = bench::ledgerArgument(argc, argv, QStringLiteral(YUNSHAN_BENCH_LEDGER));
    if (ledger.isEmpty()) return 1;

    const store::FixedClock clock(QDateTime(QDate(2026, 5, 15), QTime(9, 41, 26)));
    store::setClock(&clock);
    store::Tdmod1 dm;
    dm.open(ledger);
    const QSqlDatabase db = dm.con1();
    std::printf("ledger %s: %lld entries\n", qPrintable(ledger),
                store::scalar(db, QStringLiteral("SELECT COUNT(*) FROM 收支表")).toLongLong());
    printPlan(db, "day summary", reports::sql::daySummary());
    printPlan(db, "months of a year", reports::sql::monthTotals());
    printPlan(db, "income by Subcategory", reports::sql::subcategoryShares(reports::incomeKind()));
    printPlan(db, "expense by Subcategory", reports::sql::subcategoryShares(reports::expenseKind()));
    printPlan(db, "a day's entries", reports::sql::dayEntries(reports::expenseKind()));

    // The month the dashboard shows, with its figures as the dashboard hands them over.
    const reports::ShownMonth shown{
        2026, 5, store::monthTotal(db, QStringLiteral("收入金额"), QStringLiteral("收支表"), 2026, 5),
        store::monthTotal(db, QStringLiteral("支出金额"), QStringLiteral("收支表"), 2026, 5)};
    // A full year before it, the busiest case.
    const reports::ShownMonth fullYear{
        2025, 12, store::monthTotal(db, QStringLiteral("收入金额"), QStringLiteral("收支表"), 2025, 12),
        store::monthTotal(db, QStringLiteral("支出金额"), QStringLiteral("收支表"), 2025, 12)};

    // No entries at all: what the window and its charts cost by themselves.
    const reports::ShownMonth empty{2030, 6, store::Money(), store::Money()};

    const auto rss = [](benchmark::State& state) { state.counters["peak_rss_MiB"] = bench::peakRssMiB(); };
    for (const auto& [name, month] :
         {std::pair{"OpenWindow/2026-05", shown}, std::pair{"OpenWindow/2025-12", fullYear},
          std::pair{"OpenWindow/empty-year", empty}})
        benchmark::RegisterBenchmark(name, [month = month, rss](benchmark::State& state) {
            for (auto _ : state) {
                TYFLTJfrm w(nullptr, month);
                benchmark::DoNotOptimize(&w);
            }
            rss(state);
        })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Aggregates/2025-12", [&db](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(reports::loadStatistics(db, 2025, 12));
    })->Unit(benchmark::kMillisecond);

    // Switching goes round the six buttons; each press hides one chart and shows the next, which
    // is then painted.
    TYFLTJfrm shownWindow(nullptr, fullYear);
    shownWindow.show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    QList<QPushButton*> buttons;
    for (const char* b : {"btn1", "btn2", "btn3", "btn4", "btn5", "btn6"})
        buttons << shownWindow.findChild<QPushButton*>(QString::fromLatin1(b));
    benchmark::RegisterBenchmark("SwitchChart", [&](benchmark::State& state) {
        int i = 0;
        for (auto _ : state) {
            buttons[i % 6]->click();
            QApplication::processEvents();
            ++i;
        }
        rss(state);
    })->Unit(benchmark::kMillisecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak RSS of the process: %.1f MiB\n", bench::peakRssMiB());
    store::setClock(nullptr);
    return 0;
}
