// The main window: dashboard figures, the deferred refresh, month navigation, the clock, the
// account grid and the hot key.
#include "platform/hotkey.h"
#include "reports/main_window.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"
#include "ui/dashboard.h"
#include "ui/footer_grid.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQueryModel>
#include <QTableView>
#include <QtTest>

using store::Money;

namespace {
void addLoan(const LedgerFixture& fx, bool borrowing, qint64 fen) {
    const QString t = borrowing ? QStringLiteral("借入") : QStringLiteral("借出");
    store::exec(
        fx.db(),
        QStringLiteral("INSERT INTO %1 (日期, 结算账户, %1金额, 余额) VALUES ('2026-01-02', '现金', ?, ?)")
            .arg(t),
        {fen, fen});
    store::exec(fx.db(),
                QStringLiteral("UPDATE 账户 SET %1 = %1 + ?, 余额 = 余额 %2 ? WHERE 账户名称 = '现金'")
                    .arg(t, borrowing ? QStringLiteral("+") : QStringLiteral("-")),
                {fen, fen});
}

// The window once its first refresh has run.
std::unique_ptr<Tzjzkfrm> openWindow() {
    auto w = std::make_unique<Tzjzkfrm>();
    if (!QTest::qWaitFor([&] { return !w->tmr2->isActive(); }, 2000))
        qWarning("the first refresh did not run");
    return w;
}

QStringList monthBox(const Tzjzkfrm& w) {
    return {w.lbl1->text(), w.lbl13->text(), w.lbl7->text(), w.lbl8->text()};
}

class FakeHotKey : public platform::HotKey {
public:
    bool grabbed = false;
    bool grab() override { return grabbed = true; }
    void release() override { grabbed = false; }
};
} // namespace

class TstMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void monthNavigationAcrossYearEnds() {
        LedgerFixture fx(QDateTime(QDate(2026, 1, 15), QTime(10, 0)));
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100000));
        fx.bookEntry(QStringLiteral("2025-12-01"), false, 2000);
        fx.bookEntry(QStringLiteral("2025-12-31"), true, 10000);
        fx.bookEntry(QStringLiteral("2026-01-01"), true, 500);
        fx.bookEntry(QStringLiteral("2026-01-31"), false, 125);
        fx.bookEntry(QStringLiteral("2025-11-30"), true, 999);
        auto w = openWindow();
        QCOMPARE(monthBox(*w), QStringList({"2026", "1", "5.00", "1.25"}));

        QTest::mouseClick(w->btn1, Qt::LeftButton);
        QCOMPARE(monthBox(*w), QStringList({"2025", "12", "100.00", "20.00"}));
        QCOMPARE(std::pair(w->shownYear(), w->shownMonth()), std::pair(2025, 12));
        QTest::mouseClick(w->btn1, Qt::LeftButton);
        QCOMPARE(monthBox(*w), QStringList({"2025", "11", "9.99", "0.00"}));
        QTest::mouseClick(w->btn7, Qt::LeftButton);
        QTest::mouseClick(w->btn7, Qt::LeftButton);
        QCOMPARE(monthBox(*w), QStringList({"2026", "1", "5.00", "1.25"}));
        QVERIFY(fx.dialogs.shown.isEmpty());

        // At the current month "下" is refused and nothing moves.
        QTest::mouseClick(w->btn7, Qt::LeftButton);
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(fx.dialogs.shown[0].title, QStringLiteral("云杉"));
        QCOMPARE(fx.dialogs.shown[0].text, QStringLiteral("下个月的收支尚未产生哦！"));
        QCOMPARE(fx.dialogs.shown[0].icon, ui::Icon::Warning);
        QCOMPARE(monthBox(*w), QStringList({"2026", "1", "5.00", "1.25"}));

        // A month without entries, then back to the current one.
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(w->btn1, Qt::LeftButton);
        QCOMPARE(monthBox(*w), QStringList({"2025", "10", "0.00", "0.00"}));
        QTest::mouseClick(w->btn13, Qt::LeftButton);
        QCOMPARE(monthBox(*w), QStringList({"2026", "1", "5.00", "1.25"}));
    }

    void refreshShowsTheShownMonth() {
        LedgerFixture fx(QDateTime(QDate(2026, 5, 15), QTime(10, 0)));
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100000));
        fx.bookEntry(QStringLiteral("2026-05-03"), true, 700);
        auto w = openWindow();
        QTest::mouseClick(w->btn1, Qt::LeftButton);
        QCOMPARE(monthBox(*w), QStringList({"2026", "4", "0.00", "0.00"}));
        fx.bookEntry(QStringLiteral("2026-04-30"), false, 4250);
        ui::triggerDashboardRefresh();
        QTRY_VERIFY(!w->tmr2->isActive());
        QCOMPARE(monthBox(*w), QStringList({"2026", "4", "0.00", "42.50"}));
        QCOMPARE(w->lbl3->text(), QStringLiteral("964.50"));
    }

    void triggersInOneBurstGiveOneRefresh() {
        LedgerFixture fx;
        auto w = openWindow();
        QCOMPARE(w->lbl3->text(), QStringLiteral("0.00"));
        QSignalSpy reads(fx.dm->qry1, &QAbstractItemModel::modelReset);
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(12345));
        ui::triggerDashboardRefresh();
        ui::triggerDashboardRefresh();
        ui::triggerDashboardRefresh();
        QVERIFY(w->tmr2->isActive());
        QCOMPARE(w->lbl3->text(), QStringLiteral("0.00")); // nothing before the event loop runs
        QTRY_COMPARE(w->lbl3->text(), QStringLiteral("123.45"));
        QTest::qWait(50);
        QCOMPARE(reads.size(), 1);
        QCOMPARE(w->currentAccountRow().value(QStringLiteral("账户名称")).toString(), QStringLiteral("现金"));
    }

    void noAccounts() {
        LedgerFixture fx;
        auto w = openWindow();
        QCOMPARE(w->lbl3->text(), QStringLiteral("0.00"));
        QCOMPARE(w->lbl6->text(), QStringLiteral("0.00"));
        QCOMPARE(w->DBGrideh1->view()->model()->rowCount(), 0);
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("备注")), QStringLiteral("共计个资金账户"));
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("起始金额")), QStringLiteral("￥0.00"));
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("余额")), QStringLiteral("￥0.00"));
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("账户名称")), QStringLiteral("合   计："));
        QVERIFY(w->currentAccountRow().isEmpty());
    }

    void figuresAndNegativeNetAssets() {
        LedgerFixture fx(QDateTime(QDate(2026, 1, 15), QTime(10, 0)));
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(0));
        fx.insertAccount(QStringLiteral("工行卡"), Money::fromFen(1));
        addLoan(fx, true, 50000);
        addLoan(fx, false, 5000);
        fx.bookEntry(QStringLiteral("2026-01-10"), false, 30000);
        QVERIFY_LEDGER(fx);
        auto w = openWindow();
        QCOMPARE(w->lbl3->text(), QStringLiteral("150.01"));
        QCOMPARE(w->lbl4->text(), QStringLiteral("50.00"));
        QCOMPARE(w->lbl5->text(), QStringLiteral("500.00"));
        QCOMPARE(w->lbl6->text(), QStringLiteral("-299.99"));
        QCOMPARE(w->lbl8->text(), QStringLiteral("300.00"));
        // The grid lists the accounts newest first, on the columns and footers of the account area.
        const QAbstractItemModel* m = w->DBGrideh1->view()->model();
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("工行卡"));
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("借入")), QStringLiteral("￥500.00"));
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("余额")), QStringLiteral("￥150.01"));
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("备注")), QStringLiteral("共计2个资金账户"));
        QCOMPARE(w->currentAccountRow().value(QStringLiteral("账户名称")).toString(),
                 QStringLiteral("工行卡"));
    }

    // The account buttons and "账户存取" run the account commands; the grid, its footers and the
    // dashboard follow each step.
    void accountCommandsFollowThrough() {
        LedgerFixture fx;
        auto w = openWindow();
        const auto typeInto = [](QDialog& d, const char* name, const QString& text) {
            auto* e = d.findChild<QLineEdit*>(QString::fromLatin1(name));
            e->clear();
            for (const QChar c : text) // keyClicks knows ASCII keys only
                QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
        };
        const auto click = [](QDialog& d, const char* name) {
            QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
        };
        const auto add = [&](const QString& name, const QString& amount) {
            fx.dialogs.onModal = [&](QDialog& d) {
                typeInto(d, "edt1", name);
                typeInto(d, "edt2", amount);
                click(d, "btn1");
                return d.result();
            };
            QTest::mouseClick(w->btn14, Qt::LeftButton);
            QTRY_VERIFY(!w->tmr2->isActive());
        };

        // With one account there is nothing to transfer between.
        add(QStringLiteral("现金"), QStringLiteral("100"));
        QVERIFY(w->act5->isEnabled());
        fx.dialogs.clear();
        w->act5->trigger();
        QCOMPARE(fx.dialogs.texts(), QStringList{"\n至少需要两个资金账户才能转账!请先添加资金账户。\n"});

        add(QStringLiteral("工行卡"), QStringLiteral("20.5"));
        add(QStringLiteral("支付宝"), QStringLiteral("0"));
        QCOMPARE(w->lbl3->text(), QStringLiteral("120.50"));
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("备注")), QStringLiteral("共计3个资金账户"));
        QCOMPARE(w->currentAccountRow().value(QStringLiteral("账户名称")).toString(),
                 QStringLiteral("支付宝"));

        fx.dialogs.onModal = [&](QDialog& d) {
            d.findChild<QComboBox*>(QStringLiteral("cbb2"))->setCurrentText(QStringLiteral("工行卡"));
            typeInto(d, "edt1", QStringLiteral("30"));
            click(d, "btn1");
            return d.result();
        };
        w->act5->trigger();
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("转入")), QStringLiteral("￥30.00"));
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("余额")), QStringLiteral("￥120.50"));

        // The untouched newest account goes; the figures and the count follow.
        fx.dialogs.clear();
        QTest::mouseClick(w->btn15, Qt::LeftButton);
        QTRY_VERIFY(!w->tmr2->isActive());
        QCOMPARE(fx.dialogs.texts(), QStringList{"你确定要删除该资金账户？"});
        QVERIFY(fx.account(QStringLiteral("支付宝")).isEmpty());
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("备注")), QStringLiteral("共计2个资金账户"));
        QCOMPARE(w->lbl3->text(), QStringLiteral("120.50"));
        QVERIFY_LEDGER(fx);
    }

    void hugeFiguresStayWhole() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::limit());
        fx.insertAccount(QStringLiteral("工行卡"), Money::limit());
        auto w = openWindow();
        QCOMPARE(w->lbl3->text(), QStringLiteral("19999999999999.98"));
        // Net assets add up in fen, past the limit up to which a typed amount could be read back.
        QCOMPARE(w->lbl6->text(), QStringLiteral("19999999999999.98"));
        QVERIFY(w->lbl3->fontMetrics().horizontalAdvance(w->lbl3->text()) <= w->lbl3->width());
        QCOMPARE(w->DBGrideh1->footerText(QStringLiteral("余额")), QStringLiteral("￥19999999999999.98"));
    }

    void refreshWaitsForAnOpenLedger() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        auto w = openWindow();
        fx.dm->close();
        ui::triggerDashboardRefresh();
        QTRY_VERIFY(!w->tmr2->isActive());
        QCOMPARE(w->lbl3->text(), QStringLiteral("1.00"));
        QVERIFY(fx.dialogs.shown.isEmpty());
    }

    void dataModuleMayGoFirst() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(100));
        auto w = openWindow();
        w->show();
        fx.dm.reset();
        QVERIFY(w->currentAccountRow().isEmpty());
        w->resize(500, 400);
        ui::triggerDashboardRefresh();
        QTRY_VERIFY(!w->tmr2->isActive());
        w.reset();
    }

    void clock() {
        LedgerFixture fx(QDateTime(QDate(2026, 1, 11), QTime(9, 5, 7)));
        Tzjzkfrm w;
        const QStringList days = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
        for (int i = 0; i < 7; ++i) {
            fx.clock.set(QDateTime(QDate(2026, 1, 11 + i), QTime(9, 5, 7)));
            QMetaObject::invokeMethod(w.tmr1, "timeout");
            QCOMPARE(w.lbl9->text(), days[i]);
            QCOMPARE(w.lbl14->text(), days[i]);
        }
        QCOMPARE(w.lbl10->text(), QStringLiteral("2026/1/17"));
        QCOMPARE(w.lbl12->text(), QStringLiteral("2026/1/17"));
        QCOMPARE(w.lbl11->text(), QStringLiteral("09:05:07"));
        QCOMPARE(w.lbl15->text(), QStringLiteral("09:05:07"));
        QCOMPARE(w.tmr1->interval(), 1000);
        QVERIFY(w.tmr1->isActive());
    }

    void commandsPresentAndDisabledUntilTheirWindowsExist() {
        LedgerFixture fx;
        Tzjzkfrm w;
        QStringList menu;
        for (const QAction* a : w.mm1->actions())
            menu << a->text();
        QCOMPARE(menu, QStringList({"收支管理", "借入借出", "账户存取", "收支类别", "收支图表", "系统设置",
                                    "关于软件", "退出系统"}));
        const QList<QToolButton*> toolbar = {w.btn2, w.btn3,  w.btn4,  w.btn5,  w.btn6, w.btn8,
                                             w.btn9, w.btn17, w.btn10, w.btn11, w.btn12};
        QStringList captions;
        for (const QToolButton* b : toolbar)
            captions << b->text();
        QCOMPARE(captions,
                 QStringList({"收入管理", "支出管理", "借入管理", "借出管理", "账户存取", "收入类别",
                              "支出类别", "收支图表", "系统设置", "关于软件", "退出系统"}));
        QVERIFY(w.act1->isEnabled());
        QVERIFY(w.btn17->isEnabled());
        QVERIFY(w.act11->isEnabled());
        QCOMPARE(w.btn14->text(), QStringLiteral("添    加"));
        QCOMPARE(w.btn16->text(), QStringLiteral("修    改"));
        QCOMPARE(w.btn15->text(), QStringLiteral("删    除"));
    }

    void hotKeyHidesAndShowsOnlyAfterLogin() {
        LedgerFixture fx;
        FakeHotKey* key = nullptr;
        platform::setHotKeyFactory([&key] {
            auto k = std::make_unique<FakeHotKey>();
            key = k.get();
            return k;
        });
        auto w = std::make_unique<Tzjzkfrm>();
        platform::setHotKeyFactory({});
        QVERIFY(key);

        // Before login the key must not open the way past the login window.
        Q_EMIT key->pressed();
        Q_EMIT key->pressed();
        QVERIFY(!w->isVisible());

        w->loggedIn();
        QVERIFY(w->isVisible());
        QVERIFY(key->grabbed);
        Q_EMIT key->pressed();
        QVERIFY(!w->isVisible());
        Q_EMIT key->pressed();
        QVERIFY(w->isVisible());

        w->showMinimized();
        Q_EMIT key->pressed();
        Q_EMIT key->pressed();
        QVERIFY(w->isVisible());
        QVERIFY(!w->isMinimized());

        // Closing ends the program and gives the key back.
        w->act11->trigger();
        QVERIFY(!w->isVisible());
        QVERIFY(!key->grabbed);
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
