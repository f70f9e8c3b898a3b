// The common start of the benchmark programs.
#include "bench/bench_main.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sys/resource.h>

namespace bench {

void preferOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString ledgerArgument(int& argc, char** argv, const QString& fallback) {
    benchmark::Initialize(&argc, argv);
    const QString ledger = argc > 1 ? QString::fromLocal8Bit(argv[1]) : fallback;
    if (!QFileInfo::exists(ledger)) {
        std::fprintf(stderr, "no ledger at %s: build the bench target, which generates it\n",
                     qPrintable(ledger));
        return QString();
    }
    return ledger;
}

double peakRssMiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

} // namespace bench
