// The installed program: `cmake --install` into a temporary prefix, the desktop entry and the
// software-centre metadata pass their validators, and a new user's first start places the ledger in
// the user's data folder, which later starts keep.
#include "x_windows.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString appId = QStringLiteral(YUNSHAN_APP_ID);

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TstInstalled : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString prefix_;
    QString home_;
    bool onX_ = false;

    QString userFolder() const { return home_ + QStringLiteral("/.local/share/yunshan"); }
    QString ledger() const { return userFolder() + QStringLiteral("/data/bridge.ysn"); }

    // The installed program as a new user starts it from the menu: a home of its own, no
    // inherited data folders, and a runtime folder of its own for the single-instance lock.
    std::unique_ptr<QProcess> start() {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), home_);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root_.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   onX_ ? QStringLiteral("xcb") : QStringLiteral("offscreen"));
        // Under the sanitizers, leaks inside the X and GL libraries of a real display server are
        // not the program's; the program's own are found by the in-process tests.
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(prefix_ + QStringLiteral("/bin/yunshan"), {});
        return p;
    }

    // Waits for a window of the program with this caption and gives it.
    static xwindows::Window waitForWindow(const QString& title) {
        xwindows::Window found;
        for (int i = 0; i < 400 && found.id == 0; ++i) {
            for (const xwindows::Window& w : xwindows::shown())
                if (w.title == title) found = w;
            if (found.id == 0) QTest::qWait(50);
        }
        return found;
    }

    static int flag(const QString& file) {
        int value = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
            db.setDatabaseName(file);
            if (db.open()) {
                QSqlQuery q(db);
                if (q.exec(QStringLiteral("select flag from flag")) && q.next()) value = q.value(0).toInt();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("probe"));
        return value;
    }

    static void setFlag(const QString& file, int value) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("update flag set flag=%1").arg(value)));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("probe"));
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(root_.isValid());
        prefix_ = root_.filePath(QStringLiteral("prefix"));
        home_ = root_.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home_));
        QVERIFY(QDir().mkpath(root_.filePath(QStringLiteral("run"))));
        QFile::setPermissions(root_.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        onX_ = !qEnvironmentVariableIsEmpty("DISPLAY") && xwindows::available();

        QProcess install;
        install.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        install.start(QStringLiteral(CMAKE_COMMAND), {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                                                      QStringLiteral("--prefix"), prefix_});
        QVERIFY(install.waitForFinished(120000));
        QCOMPARE(install.exitCode(), 0);
    }

    void installsTheDesktopFiles() {
        const QStringList files{
            QStringLiteral("bin/yunshan"),
            QStringLiteral("share/yunshan/backdatabase/systemdata.ysn"),
            QStringLiteral("share/applications/%1.desktop").arg(appId),
            QStringLiteral("share/metainfo/%1.metainfo.xml").arg(appId),
            QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(appId),
        };
        for (const QString& f : files)
            QVERIFY2(QFile::exists(prefix_ + QLatin1Char('/') + f), qPrintable(f));
        QCOMPARE(contents(prefix_ + QStringLiteral("/share/yunshan/backdatabase/systemdata.ysn")),
                 contents(QStringLiteral(YUNSHAN_TEMPLATE)));
    }

    void validators_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << QStringLiteral("desktop-file-validate")
            << QStringList{QStringLiteral("share/applications/%1.desktop").arg(appId)};
        QTest::newRow("metadata") << QStringLiteral("appstreamcli")
                                  << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                 QStringLiteral("share/metainfo/%1.metainfo.xml").arg(appId)};
    }

    void validators() {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty()) QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
        QProcess p;
        p.setWorkingDirectory(prefix_);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, arguments);
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, p.readAll().constData());
    }

    void firstStartPlacesTheLedgerAndLaterStartsKeepIt() {
        QVERIFY(!QFile::exists(ledger()));
        auto first = start();
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ledger()), 20000);
        QCOMPARE(contents(userFolder() + QStringLiteral("/backdatabase/systemdata.ysn")),
                 contents(QStringLiteral(YUNSHAN_TEMPLATE)));
        QVERIFY(!QDir(prefix_ + QStringLiteral("/bin/data")).exists());

        if (!onX_) {
            first->kill();
            first->waitForFinished();
            QCOMPARE(flag(ledger()), 1);
            QSKIP("no X server: the windows of the installed program were not looked at");
        }

        // A fresh ledger has the welcome switch on: the welcome window takes the login's place,
        // and closing it brings the login window up.
        const xwindows::Window welcome = waitForWindow(QStringLiteral("欢迎！~"));
        QVERIFY(welcome.id);
        QVERIFY(welcome.hasIcon);
        QCOMPARE(welcome.wmClass, QStringLiteral("yunshan"));
        xwindows::close(welcome.id);
        const xwindows::Window login = waitForWindow(QStringLiteral("用户登录"));
        QVERIFY(login.id);
        QVERIFY(login.hasIcon);
        xwindows::close(login.id);
        QVERIFY(first->waitForFinished(20000));
        QCOMPARE(first->exitStatus(), QProcess::NormalExit);
        QCOMPARE(first->exitCode(), 0);

        // The user's own ledger is the one a later start opens, never replaced by the template.
        setFlag(ledger(), 0);
        auto second = start();
        const xwindows::Window again = waitForWindow(QStringLiteral("用户登录"));
        QVERIFY(again.id);
        xwindows::close(again.id);
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(flag(ledger()), 0);
    }
};

QTEST_GUILESS_MAIN(TstInstalled)
#include "tst_installed.moc"
