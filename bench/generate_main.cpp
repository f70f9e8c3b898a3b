// Writes a large generated ledger: yunshan_genledger TEMPLATE OUT [ENTRIES [LOANS]]. LOANS is the
// number of Borrowings, and as many Lendings. An existing file with that many entries and loans and
// the template's schema is kept, so repeated benchmark runs reuse it.
#include "bench/ledger_generator.h"
#include "store/db.h"
#include "store/dmod1.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <cstdio>

namespace {
QString schemaOf(const QString& file) {
    store::Tdmod1 dm;
    dm.open(file);
    QSqlQuery q =
        store::exec(dm.con1(), QStringLiteral("SELECT group_concat(sql, ';') FROM (SELECT sql FROM "
                                              "sqlite_master WHERE sql IS NOT NULL ORDER BY name)"));
    return q.next() ? q.value(0).toString() : QString();
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TEMPLATE OUT [ENTRIES [LOANS]]\n", argv[0]);
        return 2;
    }
    const QString templ = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    bench::LedgerShape shape;
    if (argc > 3) shape.entries = QByteArray(argv[3]).toLongLong();
    if (argc > 4) shape.loans = QByteArray(argv[4]).toInt();
    try {
        if (QFileInfo::exists(out)) {
            // A file of an older schema is not reused: it is generated afresh.
            store::Tdmod1 dm;
            try {
                dm.open(out);
            } catch (const store::DbError&) {
            }
            // A ledger made from an older schema would be measured without today's indexes.
            if (dm.isOpen() &&
                store::scalar(dm.con1(), QStringLiteral("SELECT COUNT(*) FROM 收支表")).toLongLong() ==
                    shape.entries &&
                store::scalar(dm.con1(), QStringLiteral("SELECT COUNT(*) FROM 借入")).toLongLong() ==
                    shape.loans &&
                schemaOf(out) == schemaOf(templ)) {
                std::printf("%s already holds %lld entries\n", qPrintable(out), shape.entries);
                return 0;
            }
        }
        QFile::remove(out);
        QDir().mkpath(QFileInfo(out).path());
        if (!QFile::copy(templ, out)) {
            std::fprintf(stderr, "cannot copy %s\n", argv[1]);
            return 1;
        }
        QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner);
        QElapsedTimer t;
        t.start();
        store::Tdmod1 dm;
        dm.open(out);
        bench::generateLedger(dm.con1(), shape);
        std::printf("generated %lld entries into %s in %.1f s\n", shape.entries, qPrintable(out),
                    t.elapsed() / 1000.0);
    } catch (const store::DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
