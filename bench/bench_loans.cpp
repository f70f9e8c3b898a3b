// The loan windows and operations on a ledger with many Borrowings and Lendings: opening a list
// with its footers, each operation alone, and the dashboard refresh that follows them.
// Operations that add rows undo them outside the measured time, so repeated runs keep the ledger.
#include "bench/bench_main.h"
#include "loans/loan_list.h"
#include "loans/loan_ops.h"
#include "reports/main_window.h"
#include "store/clock.h"
#include "store/db.h"
#include "store/dmod1.h"
#include "ui/dialogs.h"
#include "ui/footer_grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using loans::Kind;
using loans::Outcome;
using store::Money;

void check(Outcome o, benchmark::State& state) {
    if (o != Outcome::Done) state.SkipWithError("operation refused");
}

// Runs f once per iteration, timing only f; after() runs untimed.
template <typename F, typename G> void timed(benchmark::State& state, F f, G after) {
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        f();
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        after();
    }
}

} // namespace

int main(int argc, char** argv) {
    bench::preferOffscreen();
    QApplication app(argc, argv);
    const QString ledger = bench::ledgerArgument(argc, argv, QStringLiteral(YUNSHAN_LOANS_LEDGER));
    if (ledger.isEmpty()) return 1;
    const store::FixedClock clock(QDateTime(QDate(2026, 5, 15), QTime(9, 41, 26)));
    store::setClock(&clock);
    store::Tdmod1 dm;
    dm.open(ledger);
    const QSqlDatabase db = dm.con1();
    std::printf("ledger %s: %lld Borrowings, %lld Lendings, %lld entries\n", qPrintable(ledger),
                store::scalar(db, QStringLiteral("SELECT COUNT(*) FROM 借入")).toLongLong(),
                store::scalar(db, QStringLiteral("SELECT COUNT(*) FROM 借出")).toLongLong(),
                store::scalar(db, QStringLiteral("SELECT COUNT(*) FROM 收支表")).toLongLong());
    const QString account =
        store::scalar(db, QStringLiteral("SELECT 账户名称 FROM 账户 ORDER BY 余额 DESC")).toString();
    const loans::LoanFields fields{QDate(2026, 5, 15), account, Money::fromFen(12345), QStringLiteral("基准"),
                                   QString()};

    Tzjzkfrm zjzk;
    zjzk.loggedIn();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();

    for (Kind kind : {Kind::Borrowing, Kind::Lending}) {
        const std::string side = kind == Kind::Borrowing ? "borrowings" : "lendings";
        benchmark::RegisterBenchmark(("OpenList/" + side).c_str(), [kind](benchmark::State& state) {
            for (auto _ : state) {
                std::unique_ptr<loans::LoanListWindow> w;
                if (kind == Kind::Borrowing)
                    w = std::make_unique<TJRfrm>();
                else
                    w = std::make_unique<TJCfrm>();
                benchmark::DoNotOptimize(w->grid()->footerText(QStringLiteral("备注")));
            }
        })->Unit(benchmark::kMillisecond);

        benchmark::RegisterBenchmark(("AddLoan/" + side).c_str(),
                                     [&, kind](benchmark::State& state) {
                                         qint64 id = 0;
                                         timed(
                                             state,
                                             [&] { check(loans::addLoan(db, kind, fields, &id), state); },
                                             [&] { check(loans::deleteLoan(db, kind, id), state); });
                                     })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);

        benchmark::RegisterBenchmark(("DeleteLoan/" + side).c_str(), [&, kind](benchmark::State& state) {
            qint64 id = 0;
            for (auto _ : state) {
                state.PauseTiming();
                check(loans::addLoan(db, kind, fields, &id), state);
                state.ResumeTiming();
                check(loans::deleteLoan(db, kind, id), state);
            }
        })->Unit(benchmark::kMillisecond);

        benchmark::RegisterBenchmark(("CorrectLoan/" + side).c_str(), [&, kind](benchmark::State& state) {
            qint64 id = 0;
            check(loans::addLoan(db, kind, fields, &id), state);
            loans::LoanFields f = fields;
            for (auto _ : state) {
                f.amount = f.amount == fields.amount ? Money::fromFen(12000) : fields.amount;
                check(loans::correctLoan(db, kind, id, f), state);
            }
            check(loans::correctLoan(db, kind, id, fields), state);
            check(loans::deleteLoan(db, kind, id), state);
        })->Unit(benchmark::kMillisecond);

        benchmark::RegisterBenchmark(("PayBack/" + side).c_str(), [&, kind](benchmark::State& state) {
            qint64 id = 0;
            loans::LoanFields big = fields;
            big.amount = Money::fromFen(1'000'000);
            if (kind == Kind::Lending) big.account = account;
            check(loans::addLoan(db, kind, big, &id), state);
            for (auto _ : state)
                check(loans::payBack(db, kind, id, account, Money::fromFen(1)), state);
            // Paid back in part: undo by hand what the pay-backs moved, then delete it as new.
            const qint64 back = state.iterations();
            const loans::LoanTable& t = loans::tableOf(kind);
            store::exec(
                db,
                QStringLiteral("UPDATE %1 SET %2 = 0, 余额 = %3 WHERE id = ?").arg(t.table, t.back, t.amount),
                {id});
            store::exec(db,
                        QStringLiteral("UPDATE 账户 SET %1 = %1 - ?, 余额 = 余额 + ? WHERE 账户名称 = ?")
                            .arg(t.backAccumulator),
                        {back, t.sign * back, account});
            check(loans::deleteLoan(db, kind, id), state);
        })->Unit(benchmark::kMillisecond);
    }

    benchmark::RegisterBenchmark("DashboardRefresh", [&](benchmark::State& state) {
        for (auto _ : state)
            QMetaObject::invokeMethod(zjzk.tmr2, "timeout");
    })->Unit(benchmark::kMillisecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    store::setClock(nullptr);
    return 0;
}
