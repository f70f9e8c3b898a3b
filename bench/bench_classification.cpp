// The classification on a large ledger: opening the expense window, the usage check that refuses a
// delete, and renames whose cascades rewrite every entry filed under the name. Each rename is undone
// in the same iteration, so the ledger ends as it began.
#include "bench/bench_main.h"
#include "entries/classification_ops.h"
#include "entries/classification_window.h"
#include "store/db.h"
#include "store/dmod1.h"

#include <QApplication>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Renames there and back; a run broken off between the two leaves the other name, put right here.
void renameBothWays(const QSqlDatabase& db, bool category, const QString& from, const QString& to) {
    const entries::ClassificationTables& t = entries::expenseTables();
    const auto rename = [&](const QString& a, const QString& b) {
        const entries::ClassOutcome o =
            category ? entries::renameCategory(db, t, a, b) : entries::renameSubcategory(db, t, a, b);
        if (o != entries::ClassOutcome::Done)
            throw store::DbError(QStringLiteral("rename %1 refused").arg(a));
    };
    rename(from, to);
    rename(to, from);
}

} // namespace

int main(int argc, char** argv) {
    bench::preferOffscreen();
    QApplication app(argc, argv);
    const QString ledger = bench::ledgerArgument(argc, argv, QStringLiteral(YUNSHAN_BENCH_LEDGER));
    if (ledger.isEmpty()) return 1;
    store::Tdmod1 dm;
    dm.open(ledger);
    const QSqlDatabase db = dm.con1();
    const entries::ClassificationTables& t = entries::expenseTables();
    if (entries::categories(db, t).contains(s("饮食X")))
        (void)entries::renameCategory(db, t, s("饮食X"), s("饮食"));
    if (!entries::subcategories(db, t, s("饮食")).contains(s("饮食甲")))
        (void)entries::renameSubcategory(db, t, s("饮食甲X"), s("饮食甲"));
    const auto count = [&](const char* where) {
        return store::scalar(db, QStringLiteral("SELECT COUNT(*) FROM 收支表 WHERE %1").arg(s(where)))
            .toLongLong();
    };
    std::printf("ledger %s: %lld entries; %lld under 饮食, %lld under 饮食/饮食甲\n", qPrintable(ledger),
                count("1"), count("支出项目 = '饮食'"), count("支出项目 = '饮食' AND 支出名称 = '饮食甲'"));

    benchmark::RegisterBenchmark("ExpenseWindow/open", [&](benchmark::State& state) {
        for (auto _ : state) {
            Tzcclassfrm zcclassfrm;
            benchmark::DoNotOptimize(&zcclassfrm);
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DeleteCategory/refused_in_use", [&](benchmark::State& state) {
        for (auto _ : state)
            if (entries::deleteCategory(db, t, s("饮食")) != entries::ClassOutcome::InUse)
                state.SkipWithError("the Category was not in use");
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("RenameCategory/there_and_back",
                                 [&](benchmark::State& state) {
                                     for (auto _ : state)
                                         renameBothWays(db, true, s("饮食"), s("饮食X"));
                                     state.SetItemsProcessed(state.iterations() * 2);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("RenameSubcategory/there_and_back",
                                 [&](benchmark::State& state) {
                                     for (auto _ : state)
                                         renameBothWays(db, false, s("饮食甲"), s("饮食甲X"));
                                     state.SetItemsProcessed(state.iterations() * 2);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
