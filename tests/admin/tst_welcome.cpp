// The welcome window: its hint, the welcome switch written on every click, and the ways it hands
// over to the login window.
#include "admin/welcome_window.h"
#include "store/db.h"
#include "support/fixture.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {
int flag(const LedgerFixture& fx) {
    return store::scalar(fx.db(), QStringLiteral("select flag from flag")).toInt();
}
} // namespace

class TstWelcome : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout() {
        LedgerFixture fx;
        Twelcomefrm w(nullptr);
        w.show();
        QCOMPARE(w.size(), QSize(448, 545));
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(w.windowTitle(), QStringLiteral("欢迎！~"));
        QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("btn1"))->text(), QStringLiteral("登     录"));
        QVERIFY(w.findChild<QPushButton*>(QStringLiteral("btn1"))->isDefault());
        QVERIFY(!w.findChild<QCheckBox*>(QStringLiteral("chk1"))->isChecked());
        QVERIFY(!w.findChild<QLabel*>(QStringLiteral("img1"))->pixmap().isNull());
    }

    void hintNamesTheInitialUserWhileTheSwitchIsOn_data() {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("hint");
        QTest::newRow("on") << 1
                            << QStringLiteral(
                                   "系统初始用户名：admin 密码：302514，登录后可到\"系统设置\"修改。");
        QTest::newRow("off") << 0 << QString();
    }
    void hintNamesTheInitialUserWhileTheSwitchIsOn() {
        QFETCH(int, flag);
        QFETCH(QString, hint);
        LedgerFixture fx;
        // The user's own name and password do not show.
        store::exec(fx.db(), QStringLiteral("update 用户 set 用户名='张三', 密码='1'"));
        store::exec(fx.db(), QStringLiteral("update flag set flag=?"), {flag});
        Twelcomefrm w(nullptr);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lbl1"))->text(), hint);
    }

    void eachClickWritesTheSwitch_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("flag");
        QTest::newRow("ticked") << 1 << 0;
        QTest::newRow("ticked, unticked") << 2 << 1;
        QTest::newRow("ticked, unticked, ticked") << 3 << 0;
    }
    void eachClickWritesTheSwitch() {
        QFETCH(int, clicks);
        QFETCH(int, flag);
        LedgerFixture fx;
        QDialog login;
        Twelcomefrm w(&login);
        w.show();
        auto* chk1 = w.findChild<QCheckBox*>(QStringLiteral("chk1"));
        for (int i = 0; i < clicks; ++i) {
            QTest::mouseClick(chk1, Qt::LeftButton, {}, QPoint(12, chk1->height() / 2));
            QCOMPARE(::flag(fx), i % 2 == 0 ? 0 : 1);
        }
        QCOMPARE(::flag(fx), flag);
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("btn1")), Qt::LeftButton);
        QVERIFY(login.isVisible());
        QVERIFY(!w.isVisible());
        QCOMPARE(::flag(fx), flag);
        QVERIFY(fx.dialogs.shown.isEmpty());
    }

    void everyWayOutShowsTheLogin_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("button") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("Esc") << 2;
        QTest::newRow("close key (Alt+F4)") << 3;
    }
    void everyWayOutShowsTheLogin() {
        QFETCH(int, way);
        LedgerFixture fx;
        QDialog login;
        Twelcomefrm w(&login);
        w.show();
        QApplication::setActiveWindow(&w);
        switch (way) {
        case 0:
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("btn1")), Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(&w, Qt::Key_Return);
            break;
        case 2:
            QTest::keyClick(&w, Qt::Key_Escape);
            break;
        default:
            QVERIFY(w.close());
        }
        QVERIFY(login.isVisible());
        QVERIFY(!w.isVisible());
        QCOMPARE(::flag(fx), 1);
    }

    void failingWriteIsReported() {
        LedgerFixture fx;
        store::exec(fx.db(), QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON flag "
                                            "BEGIN SELECT RAISE(ABORT, 'database is locked'); END"));
        Twelcomefrm w(nullptr);
        w.show();
        auto* chk1 = w.findChild<QCheckBox*>(QStringLiteral("chk1"));
        QTest::mouseClick(chk1, Qt::LeftButton, {}, QPoint(12, chk1->height() / 2));
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(fx.dialogs.shown.first().icon, ui::Icon::Error);
        QCOMPARE(::flag(fx), 1);
        QVERIFY(!chk1->isChecked());
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(TstWelcome)
#include "tst_welcome.moc"
