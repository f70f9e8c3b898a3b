// Random sequences of steps run against the ledger and the reference model side by side: after
// every step each outcome and every figure must agree. A failure prints its random key and the
// shortest failing prefix of steps.
//
// Environment, for longer runs than the suite's: YUNSHAN_MODEL_KEY=<n> runs that key alone,
// YUNSHAN_MODEL_RUNS=<n> adds n runs with fresh random keys, YUNSHAN_MODEL_STEPS=<n> sets the
// steps per run.
#include "reference_model.h"
#include "store/db.h"
#include "support/fixture.h"

#include <QtTest>
#include <cstdio>

namespace {

int envInt(const char* name, int fallback) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

// Runs steps on a fresh ledger and a fresh model; gives the index of the first step at which
// they part (its problems in *problems), or -1.
int replay(const QList<model::Step>& steps, QStringList* problems = nullptr) {
    LedgerFixture fx;
    // Durability is the crash test's business; here it would only make thousands of steps slow.
    store::exec(fx.db(), QStringLiteral("PRAGMA synchronous = OFF"));
    model::Model m;
    for (int i = 0; i < steps.size(); ++i) {
        const model::Step& step = steps.at(i);
        const QString predicted = step.predict(m);
        QString actual;
        try {
            actual = step.apply(fx.db());
        } catch (const std::exception& e) {
            actual = QStringLiteral("threw: ") + QString::fromUtf8(e.what());
        }
        QStringList found;
        if (actual != predicted)
            found << QStringLiteral("outcome %1, the model predicts %2").arg(actual, predicted);
        found << m.differences(fx.db()) << fx.ledgerViolations();
        if (!found.isEmpty()) {
            if (problems) *problems = found;
            return i;
        }
    }
    return -1;
}

QString listing(const QList<model::Step>& steps) {
    QStringList lines;
    for (int i = 0; i < steps.size(); ++i)
        lines << QStringLiteral("  %1. %2").arg(i + 1).arg(steps.at(i).text);
    return lines.join(QLatin1Char('\n'));
}

// Makes a random sequence and runs it; gives an empty text, or a report of where the ledger and
// the model part. Each step is made from the model's state after the steps before it. Every
// shorter prefix has agreed before the failing step, so the steps up to it are the shortest
// failing prefix; the report adds the steps of it that the failure needs, found by leaving out
// one step at a time.
QString runSequence(quint64 key, int count) {
    model::Rng rng(key);
    const QList<model::StepMaker> makers = model::stepMakers();
    int totalWeight = 0;
    for (const model::StepMaker& k : makers)
        totalWeight += k.weight;

    LedgerFixture fx;
    store::exec(fx.db(), QStringLiteral("PRAGMA synchronous = OFF"));
    model::Model m;
    QList<model::Step> steps;
    bool failed = false;
    for (int i = 0; i < count; ++i) {
        int r = int(rng() % quint64(totalWeight));
        const model::StepMaker* maker = &makers.first();
        for (const model::StepMaker& k : makers) {
            if (r < k.weight) {
                maker = &k;
                break;
            }
            r -= k.weight;
        }
        steps << maker->make(rng, m);
        const model::Step& step = steps.last();
        const QString predicted = step.predict(m);
        QString actual;
        try {
            actual = step.apply(fx.db());
        } catch (const std::exception& e) {
            actual = QStringLiteral("threw: ") + QString::fromUtf8(e.what());
        }
        if (actual != predicted || !m.differences(fx.db()).isEmpty() || !fx.ledgerViolations().isEmpty()) {
            failed = true;
            break;
        }
    }
    if (!failed) return {};
    QStringList problems;
    if (replay(steps, &problems) < 0)
        return QStringLiteral("random key %1: a failure that does not repeat").arg(key);

    QList<model::Step> needed = steps;
    for (int i = needed.size() - 2; i >= 0; --i) {
        QList<model::Step> shorter = needed;
        shorter.removeAt(i);
        if (replay(shorter) >= 0) needed = shorter;
    }
    QStringList neededProblems;
    const int at = replay(needed, &neededProblems);
    needed = needed.mid(0, at + 1);
    return QStringLiteral("random key %1: step %2 of %3 fails:\n  %4\n"
                          "shortest failing prefix (%2 steps):\n%5\n"
                          "of which these %6 steps fail alone:\n%7\n  %8")
        .arg(key)
        .arg(steps.size())
        .arg(count)
        .arg(problems.join(QStringLiteral("\n  ")), listing(steps))
        .arg(needed.size())
        .arg(listing(needed), neededProblems.join(QStringLiteral("\n  ")));
}

} // namespace

class TstModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ledgerFollowsTheModel_data() {
        QTest::addColumn<quint64>("key");
        if (qEnvironmentVariableIsSet("YUNSHAN_MODEL_KEY")) {
            const quint64 key = qEnvironmentVariable("YUNSHAN_MODEL_KEY").toULongLong();
            QTest::addRow("key %llu", key) << key;
            return;
        }
        // Fixed keys keep the suite repeatable; fresh ones come from the environment.
        for (quint64 key : {1ull, 2ull, 3ull})
            QTest::addRow("key %llu", key) << key;
        std::random_device device;
        for (int i = envInt("YUNSHAN_MODEL_RUNS", 0); i > 0; --i) {
            const quint64 key = (quint64(device()) << 32) | device();
            QTest::addRow("key %llu", key) << key;
        }
    }
    void ledgerFollowsTheModel() {
        QFETCH(quint64, key);
        const QString failure = runSequence(key, envInt("YUNSHAN_MODEL_STEPS", 2000));
        // The whole report goes to the output first: a test message is cut short.
        if (!failure.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(failure));
        QVERIFY2(failure.isEmpty(),
                 qPrintable(QStringLiteral("random key %1: the ledger and the model part").arg(key)));
    }
};

QTEST_MAIN(TstModel)
#include "tst_model.moc"
