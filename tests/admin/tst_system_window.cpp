// The system management window driven as a user would: typed text and clicks, then the boxes
// shown, the fields, the focus, the main window's caption and the ledger.
#include "admin/ledger_files.h"
#include "admin/system_window.h"
#include "admin/user_ops.h"
#include "reports/main_window.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"
#include "ui/capslock_lamp.h"
#include "ui/dashboard.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using store::Money;

namespace {

const QString admin302514 = store::scramble(QStringLiteral("302514"));

template <typename T> T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QLatin1String(name));
    if (!c) qFatal("no %s", name);
    return c;
}
QLineEdit* edit(QWidget& w, const char* name) {
    return child<QLineEdit>(w, name);
}
QString focusName(QWidget& w) {
    return w.focusWidget() ? w.focusWidget()->objectName() : QString();
}
void type(QLineEdit* e, const QString& text) {
    e->clear();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
bool showActive(QWidget& w) {
    w.show();
    return QTest::qWaitForWindowActive(&w);
}
QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct RefreshCounter {
    int n = 0;
    RefreshCounter() {
        ui::setDashboardRefresh([this] { ++n; });
    }
    ~RefreshCounter() { ui::setDashboardRefresh({}); }
};

} // namespace

class TstSystemWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opening() {
        LedgerFixture fx;
        admin::renameUser(fx.db(), QStringLiteral("张三"));
        admin::setWelcomeSwitch(fx.db(), false);
        Tsysfrm w;
        QVERIFY(showActive(w));
        QCOMPARE(w.size(), QSize(762, 500));
        QCOMPARE(w.windowTitle(), QStringLiteral("系统管理"));
        QCOMPARE(child<QLabel>(w, "lbl2")->text(), QStringLiteral("张三"));
        QCOMPARE(child<QLabel>(w, "lbl8")->text(), QStringLiteral("亲！~您尚未备份数据库……"));
        QVERIFY(!child<QCheckBox>(w, "chk4")->isChecked());
        QVERIFY(!child<QGroupBox>(w, "grp4")->isEnabled());
        QVERIFY(!child<QGroupBox>(w, "grp2")->isEnabled());
        const QStringList memo = child<QPlainTextEdit>(w, "mmo1")->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(memo.size(), 9);
        QCOMPARE(memo[5], QStringLiteral("     自动清空所有记录并压缩数据库，"));
        QCOMPARE(memo[6], QStringLiteral("     初始化后系统用户名为：admin,密码：302514。"));
        QVERIFY(memo[0].isEmpty() && memo[7].isEmpty());
        QVERIFY(child<QPlainTextEdit>(w, "mmo1")->isReadOnly());
        QCOMPARE(child<ui::CapsLockLamp>(w, "lamp")->timer()->interval(), 10);
        for (const char* e : {"edt2", "edt3", "edt4"})
            QCOMPARE(edit(w, e)->echoMode(), QLineEdit::Password);

        // The check boxes enable the boxes and never clear them; chk1 unmasks the passwords.
        child<QCheckBox>(w, "chk2")->click();
        child<QCheckBox>(w, "chk3")->click();
        QVERIFY(child<QGroupBox>(w, "grp4")->isEnabled() && child<QGroupBox>(w, "grp2")->isEnabled());
        edit(w, "edt1")->setText(QStringLiteral("李四"));
        child<QCheckBox>(w, "chk2")->click();
        QVERIFY(!child<QGroupBox>(w, "grp4")->isEnabled());
        QCOMPARE(edit(w, "edt1")->text(), QStringLiteral("李四"));
        child<QCheckBox>(w, "chk1")->click();
        for (const char* e : {"edt2", "edt3", "edt4"})
            QCOMPARE(edit(w, e)->echoMode(), QLineEdit::Normal);
        child<QCheckBox>(w, "chk1")->click();
        QCOMPARE(edit(w, "edt2")->echoMode(), QLineEdit::Password);

        QAction* n1 = w.findChild<QAction*>(QStringLiteral("N1"));
        QCOMPARE(n1->text(), QStringLiteral("关闭窗口"));
        QVERIFY(w.findChild<QMenu*>(QStringLiteral("pm1"))->actions().contains(n1));
        n1->trigger();
        QVERIFY(!w.isVisible());
        QVERIFY(fx.dialogs.shown.isEmpty());
    }

    // 系统设置 and 关于软件 open fresh windows, modally, above the main window.
    void mainWindowCommands() {
        LedgerFixture fx;
        Tzjzkfrm main;
        QList<QPair<QString, QObject*>> opened;
        fx.dialogs.onModal = [&](QDialog& w) {
            opened.append({w.windowTitle(), w.parent()});
            return int(QDialog::Rejected);
        };
        QVERIFY(main.act9->isEnabled() && main.act10->isEnabled());
        main.act9->trigger();
        main.act10->trigger();
        QCOMPARE(opened, (QList<QPair<QString, QObject*>>{{QStringLiteral("系统管理"), &main},
                                                          {QStringLiteral("关于软件"), &main}}));
    }

    void renameUser_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::newRow("blanks around") << "  张 三  "
                                       << "张 三";
        QTest::newRow("a quote") << "O'Neil"
                                 << "O'Neil";
        QTest::newRow("blanks only") << "   "
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void renameUser() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        LedgerFixture fx;
        Tzjzkfrm main;
        main.setWindowTitle(QStringLiteral("before"));
        Tsysfrm w(&main);
        QVERIFY(showActive(w));
        child<QCheckBox>(w, "chk2")->click();
        type(edit(w, "edt1"), typed);
        QTest::mouseClick(child<QPushButton>(w, "btn1"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.shown.size(), 1);
        const Shown box = fx.dialogs.shown[0];
        QCOMPARE(box.title, QStringLiteral("云杉"));
        if (stored.isEmpty()) {
            QCOMPARE(box.text, QStringLiteral("用户名不能为空"));
            QCOMPARE(box.icon, ui::Icon::Warning);
            QCOMPARE(focusName(w), QStringLiteral("edt1"));
            QCOMPARE(admin::readUser(fx.db()).name, QStringLiteral("admin"));
            QCOMPARE(main.windowTitle(), QStringLiteral("before"));
            return;
        }
        QCOMPARE(box.text, QStringLiteral("恭喜，用户名更新成功！记住了，登录的时候要输入这个新的名称"));
        QCOMPARE(box.icon, ui::Icon::None);
        QCOMPARE(admin::readUser(fx.db()).name, stored);
        QCOMPARE(child<QLabel>(w, "lbl2")->text(), stored);
        QCOMPARE(main.windowTitle(),
                 QStringLiteral("云杉个人记账管理软件-V2.1版              当前用户： ") + stored);
        QVERIFY(edit(w, "edt1")->text().isEmpty());
    }

    // The checks come in their order: the old password (trimmed) against the one read at opening,
    // then the new and the confirmation as typed.
    void changePassword_data() {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("stored"); // the password whose scramble is stored afterwards
        const QString wrongOld = QStringLiteral("亲！~原始密码输入错误,请重新输入");
        const QString done = QStringLiteral("亲！~密码更新成功，请牢记新的密码！");
        QTest::newRow("wrong old before empty new") << "302515"
                                                    << ""
                                                    << "" << wrongOld << "edt2"
                                                    << "302514";
        QTest::newRow("empty old") << ""
                                   << "a"
                                   << "a" << wrongOld << "edt2"
                                   << "302514";
        QTest::newRow("empty new") << "302514"
                                   << ""
                                   << "x"
                                   << "亲！~密码不能设置为空！"
                                   << "edt3"
                                   << "302514";
        QTest::newRow("empty confirmation") << "302514"
                                            << "abc"
                                            << ""
                                            << "亲！~确认密码不能设置为空！"
                                            << "edt4"
                                            << "302514";
        QTest::newRow("different") << "302514"
                                   << "abc"
                                   << "abd"
                                   << "新密码和确认密码不一致，请重新输入！"
                                   << "edt3"
                                   << "302514";
        QTest::newRow("different as typed") << "302514"
                                            << " abc"
                                            << "abc"
                                            << "新密码和确认密码不一致，请重新输入！"
                                            << "edt3"
                                            << "302514";
        QTest::newRow("old with blanks around") << " 302514 "
                                                << "abc"
                                                << "abc" << done << ""
                                                << "abc";
        QTest::newRow("new trimmed") << "302514"
                                     << " 新密码 "
                                     << " 新密码 " << done << ""
                                     << "新密码";
        QTest::newRow("blanks only") << "302514"
                                     << "   "
                                     << "   " << done << ""
                                     << "";
    }
    void changePassword() {
        QFETCH(QString, old);
        QFETCH(QString, fresh);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QString, stored);
        LedgerFixture fx;
        Tsysfrm w;
        QVERIFY(showActive(w));
        child<QCheckBox>(w, "chk3")->click();
        type(edit(w, "edt2"), old);
        type(edit(w, "edt3"), fresh);
        type(edit(w, "edt4"), confirm);
        QTest::mouseClick(child<QPushButton>(w, "btn2"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.texts(), QStringList{message});
        QCOMPARE(fx.dialogs.shown[0].icon, focus.isEmpty() ? ui::Icon::None : ui::Icon::Warning);
        QCOMPARE(admin::readUser(fx.db()).storedPassword, store::scramble(stored));
        if (!focus.isEmpty()) QCOMPARE(focusName(w), focus);
        // Only the wrong old password and a success clear the old password's box.
        const bool cleared = focus.isEmpty() || focus == QStringLiteral("edt2");
        QCOMPARE(edit(w, "edt2")->text().isEmpty(), cleared || old.isEmpty());
        if (focus.isEmpty())
            for (const char* e : {"edt3", "edt4"})
                QVERIFY(edit(w, e)->text().isEmpty());
    }

    // The old password stays the one read at opening: a second change must give it again.
    void secondChangeNeedsThePasswordReadAtOpening() {
        LedgerFixture fx;
        Tsysfrm w;
        QVERIFY(showActive(w));
        child<QCheckBox>(w, "chk3")->click();
        const auto change = [&](const QString& old, const QString& fresh) {
            type(edit(w, "edt2"), old);
            type(edit(w, "edt3"), fresh);
            type(edit(w, "edt4"), fresh);
            QTest::mouseClick(child<QPushButton>(w, "btn2"), Qt::LeftButton);
            return fx.dialogs.lastText();
        };
        QCOMPARE(change(QStringLiteral("302514"), QStringLiteral("abc")),
                 QStringLiteral("亲！~密码更新成功，请牢记新的密码！"));
        QCOMPARE(change(QStringLiteral("abc"), QStringLiteral("xyz")),
                 QStringLiteral("亲！~原始密码输入错误,请重新输入"));
        QCOMPARE(admin::readUser(fx.db()).storedPassword, store::scramble(QStringLiteral("abc")));
        QCOMPARE(change(QStringLiteral("302514"), QStringLiteral("xyz")),
                 QStringLiteral("亲！~密码更新成功，请牢记新的密码！"));
        QCOMPARE(admin::readUser(fx.db()).storedPassword, store::scramble(QStringLiteral("xyz")));
    }

    // Each destructive operation asks first, with the warning icon; anything but OK changes nothing.
    void confirmationsAndCancel_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("clear") << "btn5"
                               << "清空数据库"
                               << "警告：数据记录将被清除！\n\n你确定要清空数据库？";
        QTest::newRow("restore") << "btn7"
                                 << "恢复数据库"
                                 << "警告：近期的数据将被清除！\n\n你确定要恢复到最近一次备份时的数据？";
        QTest::newRow("initialise") << "btn8"
                                    << "系统初始化"
                                    << "警告：初始化将会清除所有数据！！\n\n你确定要执行初始化操作？";
    }
    void confirmationsAndCancel() {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(QString, text);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        QVERIFY(admin::backupLedger(*fx.dm, fx.programDir(), QStringLiteral("t")) ==
                admin::FileOutcome::Done);
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(100));
        const QByteArray ledger = fileBytes(fx.dataFile());
        fx.dialogs.defaultAnswer = false;
        Tsysfrm w;
        QVERIFY(showActive(w));
        QTest::mouseClick(child<QPushButton>(w, qPrintable(button)), Qt::LeftButton);
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(fx.dialogs.shown[0].kind, Shown::Confirm);
        QCOMPARE(fx.dialogs.shown[0].title, title);
        QCOMPARE(fx.dialogs.shown[0].text, text);
        QCOMPARE(fx.dialogs.shown[0].icon, ui::Icon::Warning);
        QCOMPARE(fileBytes(fx.dataFile()), ledger);
        QCOMPARE(fx.count(QStringLiteral("账户")), 2);
        QVERIFY(w.isVisible());
    }

    void clearFromTheWindow() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        fx.bookEntry(QStringLiteral("2026-05-01"), false, 30);
        store::requery(*fx.dm);
        RefreshCounter refresh;
        Tsysfrm w;
        QVERIFY(showActive(w));
        QTest::mouseClick(child<QPushButton>(w, "btn5"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.lastText(), QStringLiteral("亲！~数据库清空完成！"));
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::None);
        QCOMPARE(fx.count(QStringLiteral("账户")), 0);
        QCOMPARE(fx.count(QStringLiteral("支出名称")), 0);
        QCOMPARE(fx.dm->qry1->rowCount(), 0);
        QCOMPARE(refresh.n, 1);
    }

    // Backing up twice keeps the second backup; the label and the time file show its time.
    void backupTwice() {
        LedgerFixture fx;
        Tsysfrm w;
        QVERIFY(showActive(w));
        QTest::mouseClick(child<QPushButton>(w, "btn4"), Qt::LeftButton);
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        fx.clock.set(QDateTime(QDate(2026, 5, 16), QTime(8, 0, 1)));
        QTest::mouseClick(child<QPushButton>(w, "btn4"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.texts(), QStringList(2, QStringLiteral("亲！~数据库备份成功！")));
        QCOMPARE(child<QLabel>(w, "lbl8")->text(),
                 QStringLiteral("亲！~最近一次备份的时间是：2026/5/16 / 08:00:01"));
        QCOMPARE(admin::lastBackupTime(fx.programDir()),
                 std::optional<QString>(QStringLiteral("2026/5/16 / 08:00:01")));
        Tsysfrm again;
        QCOMPARE(child<QLabel>(again, "lbl8")->text(), child<QLabel>(w, "lbl8")->text());
        store::Tdmod1 backup;
        backup.open(admin::backupPath(fx.programDir()));
        QCOMPARE(store::scalar(backup.con1(), QStringLiteral("SELECT COUNT(*) FROM 账户")).toInt(), 1);
    }

    // A backup that cannot be completed leaves the earlier one, its time and the label as they were.
    void failedBackupKeepsTheEarlierOne() {
        LedgerFixture fx;
        Tsysfrm w;
        QVERIFY(showActive(w));
        QTest::mouseClick(child<QPushButton>(w, "btn4"), Qt::LeftButton);
        const QString label = child<QLabel>(w, "lbl8")->text();
        const QByteArray backup = fileBytes(admin::backupPath(fx.programDir()));
        // The time file cannot be replaced: a folder stands in its place.
        QVERIFY(QFile::remove(admin::backupTimePath(fx.programDir())));
        QVERIFY(QDir().mkpath(admin::backupTimePath(fx.programDir())));
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        fx.clock.set(QDateTime(QDate(2026, 5, 16), QTime(8, 0, 1)));
        fx.dialogs.clear();
        QTest::mouseClick(child<QPushButton>(w, "btn4"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.texts(), QStringList{QStringLiteral("亲！~数据库备份失败了！")});
        QCOMPARE(fx.dialogs.shown[0].icon, ui::Icon::None);
        QCOMPARE(child<QLabel>(w, "lbl8")->text(), label);
        QCOMPARE(fileBytes(admin::backupPath(fx.programDir())), backup);
    }

    void restoreWithoutBackupAsksNothing() {
        LedgerFixture fx;
        Tsysfrm w;
        QVERIFY(showActive(w));
        QTest::mouseClick(child<QPushButton>(w, "btn7"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(fx.dialogs.shown[0].kind, Shown::Message);
        QCOMPARE(fx.dialogs.shown[0].text, QStringLiteral("亲！~你之前没有过备份数据库，不能恢复！"));
        QCOMPARE(fx.dialogs.shown[0].icon, ui::Icon::None);
    }

    void restoreFromTheWindow_data() {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("sound backup") << false;
        QTest::newRow("damaged backup") << true;
    }
    void restoreFromTheWindow() {
        QFETCH(bool, damaged);
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        QVERIFY(admin::backupLedger(*fx.dm, fx.programDir(), QStringLiteral("t")) ==
                admin::FileOutcome::Done);
        if (damaged) {
            QFile f(admin::backupPath(fx.programDir()));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        }
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(100));
        const QByteArray ledger = fileBytes(fx.dataFile());
        RefreshCounter refresh;
        Tsysfrm w;
        QVERIFY(showActive(w));
        QTest::mouseClick(child<QPushButton>(w, "btn7"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.shown.size(), 2);
        QCOMPARE(fx.dialogs.lastText(), damaged ? QStringLiteral("亲！~数据库恢复失败了！")
                                                : QStringLiteral("恭喜！~数据库恢复成功！"));
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::None);
        QCOMPARE(fx.count(QStringLiteral("账户")), damaged ? 2 : 1);
        if (damaged) QCOMPARE(fileBytes(fx.dataFile()), ledger);
        if (!damaged) QCOMPARE(fx.dm->qry1->rowCount(), 1);
        QVERIFY(refresh.n >= 1);
        QVERIFY(w.isVisible());
    }

    void initialiseFromTheWindow() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        admin::renameUser(fx.db(), QStringLiteral("张三"));
        Tzjzkfrm main;
        Tsysfrm w(&main);
        QVERIFY(showActive(w));
        QTest::mouseClick(child<QPushButton>(w, "btn8"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.lastText(),
                 QStringLiteral("亲！~初始化成功！用户名：admin,密码：302514,软件即将关闭，请重新启动！"));
        QCOMPARE(fx.count(QStringLiteral("账户")), 0);
        QCOMPARE(admin::readUser(fx.db()).storedPassword, admin302514);
        QCOMPARE(child<QLabel>(w, "lbl2")->text(), QStringLiteral("admin"));
        QCOMPARE(main.windowTitle(),
                 QStringLiteral("云杉个人记账管理软件-V2.1版            当前用户： admin"));
        QVERIFY(!w.isVisible());

        // Without a template: the same failure message, nothing changes.
        QVERIFY(QFile::remove(store::Tdmod1::templatePath(fx.programDir())));
        fx.dialogs.clear();
        Tsysfrm again(&main);
        QVERIFY(showActive(again));
        QTest::mouseClick(child<QPushButton>(again, "btn8"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.lastText(), QStringLiteral("亲！~初始化失败了！"));
        QVERIFY(again.isVisible());
    }

    void welcomeSwitchOnEveryClick() {
        LedgerFixture fx;
        Tsysfrm w;
        QVERIFY(showActive(w));
        QCheckBox* chk4 = child<QCheckBox>(w, "chk4");
        QVERIFY(chk4->isChecked());
        for (bool expected : {false, true, false}) {
            chk4->click();
            QCOMPARE(admin::welcomeSwitch(fx.db()), expected);
        }
    }
};

QTEST_MAIN(TstSystemWindow)
#include "tst_system_window.moc"
