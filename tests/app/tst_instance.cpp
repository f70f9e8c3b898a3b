// One copy at a time: a second process is refused while the first runs, and the lock of a copy
// that crashed does not block the next start.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TstInstance : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;

    // A probe in a runtime folder of our own, so that nothing else on the machine shares the lock.
    std::unique_ptr<QProcess> start() {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(INSTANCE_PROBE), {});
        return p;
    }
    static bool waitRunning(QProcess& p) {
        QByteArray out;
        for (int i = 0; i < 100 && !out.contains("running"); ++i) {
            if (!p.waitForReadyRead(300) && p.state() == QProcess::NotRunning) break;
            out += p.readAllStandardOutput();
        }
        return out.contains("running");
    }
    static void quit(QProcess& p) {
        p.write("quit\n");
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(runtime_.isValid());
        QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void secondCopyIsRefusedWhileTheFirstRuns() {
        auto first = start();
        QVERIFY(waitRunning(*first));

        auto second = start();
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 3);
        const QString out = QString::fromUtf8(second->readAllStandardOutput());
        QCOMPARE(out.trimmed(), QStringLiteral("instance_probe|“云杉”的另一个副本已经在运行中"));
        QVERIFY(!out.contains(QStringLiteral("running")));
        QCOMPARE(first->state(), QProcess::Running);

        quit(*first);
        auto third = start();
        QVERIFY(waitRunning(*third));
        quit(*third);
    }

    void lockOfACrashedCopyDoesNotBlock() {
        auto crashed = start();
        QVERIFY(waitRunning(*crashed));
        crashed->kill();
        QVERIFY(crashed->waitForFinished(10000));
        QVERIFY(QFile::exists(QDir(runtime_.path()).filePath(QStringLiteral("TheStandard.lock"))));

        auto next = start();
        QVERIFY(waitRunning(*next));
        quit(*next);
    }
};

QTEST_GUILESS_MAIN(TstInstance)
#include "tst_instance.moc"
