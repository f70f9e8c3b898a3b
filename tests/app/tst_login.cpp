// The login window: the start check, every refusal in order, trimming, the exact comparison, the
// login count with its first-login date and 100th-login message, the main window's caption, and a
// failing statement.
#include "admin/welcome_window.h"
#include "app/login_window.h"
#include "reports/main_window.h"
#include "store/db.h"
#include "support/fixture.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
const QString kNameEmpty = QStringLiteral("\"用户名\"不能为空！");
const QString kPasswordEmpty = QStringLiteral("\"密码\"不能为空！");
const QString kWrong = QStringLiteral("\"用户名\"或\"密码\"错误！");

// A login window with its main window on a ledger whose welcome switch is off.
struct LoginRig {
    LedgerFixture fx;
    Tzjzkfrm main;
    Tloginfrm login;
    QLineEdit* edt1;
    QLineEdit* edt2;

    LoginRig() {
        store::exec(fx.db(), QStringLiteral("update flag set flag=0"));
        login.setProgramDir(fx.programDir());
        login.setMainWindow(&main);
        edt1 = login.findChild<QLineEdit*>(QStringLiteral("edt1"));
        edt2 = login.findChild<QLineEdit*>(QStringLiteral("edt2"));
        login.show();
        QApplication::setActiveWindow(&login);
        QTRY_VERIFY(!login.tmr1->isActive());
    }
    // Types both fields and presses Enter in the password edit.
    void enter(const QString& name, const QString& password) {
        edt1->setText(name);
        edt2->setText(password);
        edt2->setFocus();
        QTest::keyClick(edt2, Qt::Key_Return);
    }
    qint64 count() {
        return store::scalar(fx.db(), QStringLiteral("select dlcount from dlcount")).toLongLong();
    }
    QVariant startdd() { return store::scalar(fx.db(), QStringLiteral("select startdd from dlcount")); }
};
} // namespace

class TstLogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no name") << ""
                                 << "302514" << kNameEmpty << "edt1";
        QTest::newRow("no name, no password") << ""
                                              << "" << kNameEmpty << "edt1";
        QTest::newRow("no password") << "admin"
                                     << "" << kPasswordEmpty << "edt2";
        QTest::newRow("name in another case") << "Admin"
                                              << "302514" << kWrong << "edt2";
        QTest::newRow("blanks alone as name") << "   "
                                              << "302514" << kWrong << "edt2";
        QTest::newRow("wrong password") << "admin"
                                        << "302515" << kWrong << "edt2";
        QTest::newRow("password blanks alone") << "admin"
                                               << "  " << kWrong << "edt2";
        QTest::newRow("inner blank") << "ad min"
                                     << "302514" << kWrong << "edt2";
    }
    void refusals() {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        LoginRig r;
        r.enter(name, password);
        QCOMPARE(r.fx.dialogs.texts(), QStringList{message});
        QCOMPARE(r.fx.dialogs.shown.first().title, QStringLiteral("云杉"));
        QCOMPARE(r.fx.dialogs.shown.first().icon, ui::Icon::Warning);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        // Nothing cleared, nothing counted, and the user may try again.
        QCOMPARE(r.edt1->text(), name);
        QCOMPARE(r.edt2->text(), password);
        QCOMPARE(r.count(), 0);
        QVERIFY(r.login.isVisible());
        QVERIFY(!r.main.isVisible());
        r.fx.dialogs.clear();
        r.enter(QStringLiteral("admin"), QStringLiteral("302514"));
        QVERIFY(r.fx.dialogs.shown.isEmpty());
        QVERIFY(r.main.isVisible());
    }

    void trimmedInputsLogIn_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::newRow("blanks around both") << "  admin  "
                                            << " 302514   ";
        QTest::newRow("tabs and controls") << "\tadmin\x01"
                                           << "\x1b"
                                              "302514\t";
        QTest::newRow("full-width blanks") << QStringLiteral("\u3000admin") << QStringLiteral("302514\u3000");
    }
    void trimmedInputsLogIn() {
        QFETCH(QString, name);
        QFETCH(QString, password);
        LoginRig r;
        r.enter(name, password);
        QVERIFY2(r.fx.dialogs.shown.isEmpty(), qPrintable(r.fx.dialogs.lastText()));
        QVERIFY(r.main.isVisible());
        QVERIFY(!r.login.isVisible());
    }

    void loginCountsAndCaptionsTheMainWindow() {
        LoginRig r;
        QVERIFY(!r.startdd().isValid() || r.startdd().isNull());
        QTest::mouseClick(r.login.findChild<QPushButton*>(QStringLiteral("btn1")), Qt::LeftButton);
        QCOMPARE(r.fx.dialogs.texts(), QStringList{kNameEmpty});
        r.fx.dialogs.clear();
        r.enter(QStringLiteral("admin"), QStringLiteral("302514"));
        QCOMPARE(r.count(), 1);
        QCOMPARE(r.startdd().toString(), QStringLiteral("2026-05-15"));
        QCOMPARE(r.main.windowTitle(),
                 QStringLiteral("云杉个人记账管理软件-V2.1版                    当前用户： admin"));
        QVERIFY(r.fx.dialogs.shown.isEmpty());

        // A later login on another day counts but keeps the first-login date; the caption carries
        // the stored name, also when it was typed with blanks.
        store::exec(r.fx.db(), QStringLiteral("update 用户 set 用户名='李 明'"));
        r.fx.clock.set(QDateTime(QDate(2026, 6, 1), QTime(8, 0)));
        Tzjzkfrm main2;
        Tloginfrm again;
        again.tmr1->stop();
        again.setMainWindow(&main2);
        again.show();
        again.findChild<QLineEdit*>(QStringLiteral("edt1"))->setText(QStringLiteral(" 李 明 "));
        again.findChild<QLineEdit*>(QStringLiteral("edt2"))->setText(QStringLiteral("302514"));
        QTest::mouseClick(again.findChild<QPushButton*>(QStringLiteral("btn1")), Qt::LeftButton);
        QCOMPARE(r.count(), 2);
        QCOMPARE(r.startdd().toString(), QStringLiteral("2026-05-15"));
        QCOMPARE(main2.windowTitle(), Tloginfrm::mainCaption(QStringLiteral("李 明")));
        QVERIFY(main2.isVisible());
    }

    void everyHundredthLoginIsCheered_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("message");
        QTest::newRow("99th") << 98 << QString();
        QTest::newRow("100th") << 99
                               << QStringLiteral("您已经登录了：100次，你真的很棒！~云杉为您继续加油！");
        QTest::newRow("101st") << 100 << QString();
        QTest::newRow("200th") << 199
                               << QStringLiteral("您已经登录了：200次，你真的很棒！~云杉为您继续加油！");
    }
    void everyHundredthLoginIsCheered() {
        QFETCH(int, before);
        QFETCH(QString, message);
        LoginRig r;
        store::exec(r.fx.db(), QStringLiteral("update dlcount set dlcount=?, startdd='2025-01-02'"),
                    {before});
        r.enter(QStringLiteral("admin"), QStringLiteral("302514"));
        QCOMPARE(r.count(), before + 1);
        QCOMPARE(r.startdd().toString(), QStringLiteral("2025-01-02"));
        QCOMPARE(r.fx.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(r.fx.dialogs.shown.first().title, QStringLiteral("云杉记账管理"));
            QCOMPARE(r.fx.dialogs.shown.first().icon, ui::Icon::None);
        }
        QVERIFY(r.main.isVisible());
    }

    void failingStatementLeavesTheLoginAsItWas() {
        LoginRig r;
        const QString captionBefore = r.main.windowTitle();
        store::exec(r.fx.db(), QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF dlcount ON dlcount "
                                              "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
        r.enter(QStringLiteral("admin"), QStringLiteral("302514"));
        QCOMPARE(r.fx.dialogs.shown.size(), 1);
        QCOMPARE(r.fx.dialogs.shown.first().icon, ui::Icon::Error);
        QVERIFY(r.fx.dialogs.lastText().contains(QStringLiteral("disk I/O error")));
        QVERIFY(r.login.isVisible());
        QVERIFY(!r.main.isVisible());
        QCOMPARE(r.main.windowTitle(), captionBefore);
        QCOMPARE(r.count(), 0);
        QVERIFY(r.startdd().isNull());
    }

    void startCheck_data() {
        QTest::addColumn<bool>("dataFile");
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("loginShown");
        QTest::addColumn<bool>("welcomeShown");
        QTest::newRow("welcome switch on") << true << 1 << false << true;
        QTest::newRow("welcome switch off") << true << 0 << true << false;
        QTest::newRow("no data file") << false << 1 << false << false;
    }
    void startCheck() {
        QFETCH(bool, dataFile);
        QFETCH(int, flag);
        QFETCH(bool, loginShown);
        QFETCH(bool, welcomeShown);
        LedgerFixture fx;
        store::exec(fx.db(), QStringLiteral("update flag set flag=?"), {flag});
        Tloginfrm login;
        login.setProgramDir(fx.programDir());
        Twelcomefrm welcome(&login);
        login.setWelcomeWindow(&welcome);
        if (!dataFile) QVERIFY(QFile::remove(fx.dataFile()));
        login.show();
        QTRY_VERIFY(!login.tmr1->isActive());
        QCOMPARE(login.isVisible(), loginShown);
        QCOMPARE(welcome.isVisible(), welcomeShown);
        if (dataFile) {
            QVERIFY(fx.dialogs.shown.isEmpty());
        } else {
            QCOMPARE(fx.dialogs.texts(),
                     QStringList{QStringLiteral("数据库连接失败！请检查data文件夹下bridge.ysn文件是否存在，"
                                                "或文件名是否正确!")});
            QCOMPARE(fx.dialogs.shown.first().title, QStringLiteral("云杉"));
            QCOMPARE(fx.dialogs.shown.first().icon, ui::Icon::Warning);
        }
    }

    void cancelAndEscapeCloseTheWindow_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("取消") << false;
        QTest::newRow("Esc") << true;
    }
    void cancelAndEscapeCloseTheWindow() {
        QFETCH(bool, escape);
        LoginRig r;
        if (escape)
            QTest::keyClick(r.edt1, Qt::Key_Escape);
        else
            QTest::mouseClick(r.login.findChild<QPushButton*>(QStringLiteral("btn2")), Qt::LeftButton);
        QVERIFY(!r.login.isVisible());
        QVERIFY(!r.main.isVisible());
        QVERIFY(r.fx.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
