// Where the ledger lives: the program's own folder while it holds the ledger and can be written,
// otherwise the user's data folder, which is given a ledger once and never a second time.
#include "platform/program_folder.h"
#include "store/dmod1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {
QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
bool write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

class TstProgramFolder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choice_data() {
        QTest::addColumn<QStringList>("holds");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("own");
        QTest::newRow("build folder") << QStringList{"data", "backdatabase"} << true << true;
        QTest::newRow("ledger missing, backups kept") << QStringList{"backdatabase"} << true << true;
        QTest::newRow("installed, no ledger beside it") << QStringList{} << true << false;
        QTest::newRow("read-only copy") << QStringList{"data", "backdatabase"} << false << false;
    }

    void choice() {
        QFETCH(QStringList, holds);
        QFETCH(bool, writable);
        QFETCH(bool, own);
        if (!writable && geteuid() == 0) QSKIP("every folder can be written by root");
        QTemporaryDir exe;
        for (const QString& sub : holds)
            QVERIFY(QDir(exe.path()).mkdir(sub));
        if (!writable) QFile::setPermissions(exe.path(), QFile::ReadOwner | QFile::ExeOwner);
        const QString user = QStringLiteral("/home/someone/.local/share/yunshan");
        QCOMPARE(platform::chooseProgramFolder(exe.path(), user), own ? exe.path() : user);
        QFile::setPermissions(exe.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void userFolderGetsALedgerOnceAndFollowsTheTemplate() {
        QTemporaryDir installed, user;
        const QString templ = installed.filePath(QStringLiteral("systemdata.ysn"));
        const QString ledger = store::Tdmod1::dataFilePath(user.path());
        const QString copy = store::Tdmod1::templatePath(user.path());
        QVERIFY(write(templ, "pristine"));
        QFile::setPermissions(templ, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

        QVERIFY(platform::prepareUserFolder(user.path(), templ));
        QCOMPARE(contents(ledger), QByteArray("pristine"));
        QCOMPARE(contents(copy), QByteArray("pristine"));
        // A template installed read-only still gives a ledger its user can write.
        QCOMPARE(QFile::permissions(ledger) & (QFile::ReadOwner | QFile::WriteOwner),
                 QFile::ReadOwner | QFile::WriteOwner);

        QVERIFY(write(ledger, "the user's own"));
        QFile::setPermissions(templ, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(write(templ, "upgraded"));
        QVERIFY(platform::prepareUserFolder(user.path(), templ));
        QCOMPARE(contents(ledger), QByteArray("the user's own"));
        QCOMPARE(contents(copy), QByteArray("upgraded"));

        // Without a template nothing is placed and the missing ledger is reported by the start.
        QTemporaryDir empty;
        QVERIFY(!platform::prepareUserFolder(empty.path(), installed.filePath(QStringLiteral("none"))));
        QVERIFY(!QFile::exists(store::Tdmod1::dataFilePath(empty.path())));
    }
};

QTEST_GUILESS_MAIN(TstProgramFolder)
#include "tst_program_folder.moc"
