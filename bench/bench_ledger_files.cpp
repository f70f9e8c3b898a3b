// Backup and restore of a large ledger, as system management runs them: the online-backup snapshot
// with its integrity check, and the checked, staged, renamed replacement with its safety copy.
// Works in a program folder beside the generated ledger, on the same disk.
#include "admin/ledger_files.h"
#include "bench/bench_main.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString ledger = bench::ledgerArgument(argc, argv, QStringLiteral(YUNSHAN_BENCH_LEDGER));
    if (ledger.isEmpty()) return 1;
    QTemporaryDir dir(QFileInfo(ledger).absolutePath() + QStringLiteral("/files-XXXXXX"));
    const QString programDir = dir.path();
    QDir(programDir).mkpath(QStringLiteral("data"));
    QDir(programDir).mkpath(QStringLiteral("backdatabase"));
    // A closed file copied for the run; the program itself never copies a ledger this way.
    if (!QFile::copy(ledger, store::Tdmod1::dataFilePath(programDir))) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(ledger));
        return 1;
    }
    QFile::setPermissions(store::Tdmod1::dataFilePath(programDir), QFile::ReadOwner | QFile::WriteOwner);

    store::Tdmod1 dm;
    dm.open(store::Tdmod1::dataFilePath(programDir));
    std::printf("ledger %s: %lld entries, %.1f MiB\n", qPrintable(ledger),
                store::scalar(dm.con1(), QStringLiteral("SELECT COUNT(*) FROM 收支表")).toLongLong(),
                QFileInfo(ledger).size() / 1048576.0);

    const auto fail = [](benchmark::State& state, admin::FileOutcome outcome) {
        if (outcome != admin::FileOutcome::Done) state.SkipWithError("the operation did not succeed");
    };
    benchmark::RegisterBenchmark(
        "Backup",
        [&](benchmark::State& state) {
            for (auto _ : state)
                fail(state, admin::backupLedger(dm, programDir, QStringLiteral("2026/5/15 / 09:41:26")));
        })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("Restore",
                                 [&](benchmark::State& state) {
                                     for (auto _ : state)
                                         fail(state, admin::restoreLedger(dm, programDir));
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    // Parts of the two: the quick check of a file, and the schema check that opening uses.
    benchmark::RegisterBenchmark("LedgerCheck/quick_check",
                                 [&](benchmark::State& state) {
                                     for (auto _ : state)
                                         store::checkLedgerFile(admin::backupPath(programDir),
                                                                store::Integrity::Verify);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("LedgerCheck/schema", [&](benchmark::State& state) {
        for (auto _ : state)
            store::checkLedgerFile(admin::backupPath(programDir), store::Integrity::Skip);
    })->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
