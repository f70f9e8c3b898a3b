// The dashboard on a large ledger: the deferred refresh and the month navigation of the main
// window, measured on the real window (offscreen). Peak memory of the process is reported too.
#include "bench/bench_main.h"
#include "reports/main_window.h"
#include "store/clock.h"
#include "store/db.h"
#include "store/dmod1.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>

int main(int argc, char** argv) {
    bench::preferOffscreen();
    QApplication app(argc, argv);
    const QString ledger = bench::ledgerArgument(argc, argv, QStringLiteral(YUNSHAN_BENCH_LEDGER));
    if (ledger.isEmpty()) return 1;

    const store::FixedClock clock(QDateTime(QDate(2026, 5, 15), QTime(9, 41, 26)));
    store::setClock(&clock);
    store::Tdmod1 dm;
    dm.open(ledger);
    std::printf(
        "ledger %s: %lld entries, %lld loans\n", qPrintable(ledger),
        store::scalar(dm.con1(), QStringLiteral("SELECT COUNT(*) FROM 收支表")).toLongLong(),
        store::scalar(dm.con1(),
                      QStringLiteral("SELECT (SELECT COUNT(*) FROM 借入) + (SELECT COUNT(*) FROM 借出)"))
            .toLongLong());

    Tzjzkfrm w;
    w.loggedIn();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();

    const auto rss = [](benchmark::State& state) { state.counters["peak_rss_MiB"] = bench::peakRssMiB(); };
    benchmark::RegisterBenchmark("DashboardRefresh", [&](benchmark::State& state) {
        for (auto _ : state)
            QMetaObject::invokeMethod(w.tmr2, "timeout");
        rss(state);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("MonthNavigation/previous_then_next", [&](benchmark::State& state) {
        for (auto _ : state) {
            w.btn1->click();
            w.btn7->click();
        }
        state.SetItemsProcessed(state.iterations() * 2);
        rss(state);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("MonthNavigation/current", [&](benchmark::State& state) {
        for (auto _ : state)
            w.btn13->click();
        rss(state);
    })->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak RSS of the process: %.1f MiB\n", bench::peakRssMiB());
    store::setClock(nullptr);
    return 0;
}
