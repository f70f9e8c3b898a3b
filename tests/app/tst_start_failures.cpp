// A program that cannot reach its display ends with a message and exit status 1, never by
// SIGABRT: a display that does not answer, and a window platform Qt cannot load.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TstStartFailures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void endsWithStatusOne_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("message");
        QTest::newRow("display that does not answer") << "xcb"
                                                      << ":977"
                                                      << "云杉：无法连接图形显示 :977";
        QTest::newRow("platform Qt cannot load") << "no-such-platform"
                                                 << ":977"
                                                 << "no-such-platform";
    }
    void endsWithStatusOne() {
        QFETCH(QString, platform);
        QFETCH(QString, display);
        QFETCH(QString, message);
        QTemporaryDir runtime;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        env.insert(QStringLiteral("DISPLAY"), display);
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(YUNSHAN_PROGRAM), {});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(message));
    }
};

QTEST_MAIN(TstStartFailures)
#include "tst_start_failures.moc"
