// The income and expense browsers and entry operations on a large ledger: opening a browser on
// its default filter, listing with every switch off, scrolling a whole listing, and recording,
// correcting and deleting one entry. Peak memory of the process is reported too.
#include "bench/bench_main.h"
#include "entries/entry_browser.h"
#include "entries/entry_ops.h"
#include "store/clock.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "ui/footer_grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>

using entries::Kind;

namespace {

std::unique_ptr<TEntryBrowser> openBrowser(Kind kind) {
    if (kind == Kind::Income) return std::make_unique<Tsrfrm>();
    return std::make_unique<Tzcfrm>();
}

// CPU time of the process: what a step costs us, whatever else the machine runs.
double cpuMs() {
    return 1e3 * double(std::clock()) / CLOCKS_PER_SEC;
}

const char* kindName(Kind kind) {
    return kind == Kind::Income ? "income" : "expense";
}

entries::EntryValues someExpense(const QSqlDatabase& db, qint64 fen) {
    const QString category = entries::categories(db, Kind::Expense).first();
    return {QDate(2026, 5, 15),
            category,
            entries::subcategories(db, Kind::Expense, category).first(),
            store::Money::fromFen(fen),
            QStringLiteral("账户0"),
            QString()};
}

void registerAll(const QSqlDatabase& db) {
    for (const Kind kind : {Kind::Income, Kind::Expense}) {
        benchmark::RegisterBenchmark(
            QStringLiteral("BrowserOpen/%1").arg(kindName(kind)).toUtf8().constData(),
            [kind](benchmark::State& state) {
                for (auto _ : state) {
                    auto w = openBrowser(kind);
                    benchmark::DoNotOptimize(w.get());
                }
            })
            ->Unit(benchmark::kMillisecond);

        benchmark::RegisterBenchmark(
            QStringLiteral("ListEverything/%1").arg(kindName(kind)).toUtf8().constData(),
            [kind](benchmark::State& state) {
                auto w = openBrowser(kind);
                auto* chk1 = w->findChild<QCheckBox*>(QStringLiteral("chk1"));
                for (auto _ : state) {
                    chk1->click(); // off: every entry of the kind
                    state.PauseTiming();
                    chk1->click();
                    state.ResumeTiming();
                }
                chk1->click();
                state.counters["rows"] =
                    double(store::scalar(store::dmod1->con1(),
                                         QStringLiteral("SELECT COUNT(*) FROM 收支表 WHERE 收支类别 = ?"),
                                         {entries::columnsOf(kind).kind})
                               .toLongLong());
                state.counters["footer"] =
                    w->grid()->footerText(entries::columnsOf(kind).amount).remove(0, 1).toDouble();
            })
            ->Unit(benchmark::kMillisecond);

        // One pass from the first row to the last, a page at a time; the slowest page is what a
        // user would feel.
        benchmark::RegisterBenchmark(
            QStringLiteral("ScrollWholeListing/%1").arg(kindName(kind)).toUtf8().constData(),
            [kind](benchmark::State& state) {
                double slowest = 0, slowestCpu = 0;
                qint64 steps = 0, over = 0;
                for (auto _ : state) {
                    auto w = openBrowser(kind);
                    w->findChild<QCheckBox*>(QStringLiteral("chk1"))->click();
                    w->resize(900, 600);
                    w->show();
                    QApplication::processEvents();
                    QScrollBar* bar = w->grid()->view()->verticalScrollBar();
                    QElapsedTimer t;
                    while (true) {
                        const double cpu0 = cpuMs();
                        t.start();
                        const int before = bar->value();
                        bar->setValue(before + bar->pageStep());
                        QApplication::processEvents();
                        w->grid()->view()->viewport()->repaint();
                        const double ms = t.nsecsElapsed() / 1e6;
                        slowest = std::max(slowest, ms);
                        slowestCpu = std::max(slowestCpu, cpuMs() - cpu0);
                        over += ms > 16 ? 1 : 0;
                        if (qEnvironmentVariableIsSet("YUNSHAN_BENCH_TRACE") && cpuMs() - cpu0 > 16)
                            std::fprintf(stderr, "step %lld rows %d cpu %.1f\n", steps,
                                         w->grid()->model()->rowCount(), cpuMs() - cpu0);
                        ++steps;
                        if (bar->value() == before) break;
                    }
                }
                state.counters["slowest_step_ms"] = slowest;
                state.counters["slowest_step_cpu_ms"] = slowestCpu;
                state.counters["steps_over_16ms"] = double(over);
                state.counters["steps"] = double(steps);
                state.counters["peak_rss_MiB"] = bench::peakRssMiB();
            })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }

    benchmark::RegisterBenchmark("RecordEntry/expense", [db](benchmark::State& state) {
        QList<qint64> made;
        for (auto _ : state) {
            qint64 id = 0;
            if (entries::recordEntry(db, Kind::Expense, someExpense(db, 1234), &id) != entries::Outcome::Done)
                state.SkipWithError("not recorded");
            made << id;
        }
        for (qint64 id : made)
            (void)entries::deleteEntry(db, Kind::Expense, id);
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("CorrectEntry/expense", [db](benchmark::State& state) {
        qint64 id = 0;
        (void)entries::recordEntry(db, Kind::Expense, someExpense(db, 1234), &id);
        qint64 fen = 1234;
        for (auto _ : state) {
            fen = fen == 1234 ? 4321 : 1234;
            if (entries::correctEntry(db, Kind::Expense, id, someExpense(db, fen)) != entries::Outcome::Done)
                state.SkipWithError("not corrected");
        }
        (void)entries::deleteEntry(db, Kind::Expense, id);
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("DeleteEntry/expense", [db](benchmark::State& state) {
        for (auto _ : state) {
            state.PauseTiming();
            qint64 id = 0;
            (void)entries::recordEntry(db, Kind::Expense, someExpense(db, 1234), &id);
            state.ResumeTiming();
            if (entries::deleteEntry(db, Kind::Expense, id) != entries::Outcome::Done)
                state.SkipWithError("not deleted");
        }
    })->Unit(benchmark::kMillisecond);
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
    registerAll(dm.con1());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak RSS of the process: %.1f MiB\n", bench::peakRssMiB());
    store::setClock(nullptr);
    return 0;
}
