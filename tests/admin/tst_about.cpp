// The about window: the greeting and flower chosen by the login count, the donation button from the
// 20th login on, and the donation address opened through the browser seam.
#include "admin/about_window.h"
#include "store/db.h"
#include "support/fixture.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {
// The one flower picture shown, by its number (2 to 7); 0 when none or several are.
int shownFlower(QWidget& w) {
    int shown = 0;
    for (int i = 2; i <= 7; ++i)
        if (w.findChild<QLabel*>(QStringLiteral("img%1").arg(i))->isVisible()) shown = shown ? -1 : i;
    return shown < 0 ? 0 : shown;
}
} // namespace

class TstAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void greetingByLoginCount_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("greeting");
        QTest::addColumn<int>("flower");
        QTest::newRow("1") << 1 << "初次见面，我是云杉，真的很高兴认识您！" << 2;
        QTest::newRow("2") << 2 << "您已累计登陆 2 次。继续坚持，云杉为您加油!" << 2;
        QTest::newRow("19") << 19 << "您已累计登陆 19 次。继续坚持，云杉为您加油!" << 2;
        QTest::newRow("20") << 20 << "您已累计登陆 20 次。继续坚持，云杉为您加油!" << 2;
        QTest::newRow("21") << 21 << "您已累计登陆 21 次。我的朋友，今天过的还好吗！" << 3;
        QTest::newRow("50") << 50 << "您已累计登陆 50 次。我的朋友，今天过的还好吗！" << 3;
        QTest::newRow("51") << 51 << "你已累计登陆 51 次。老朋友，咱们又见面了！" << 4;
        QTest::newRow("81") << 81 << "你已累计登陆 81 次。老友相伴，人生乐哉！" << 5;
        QTest::newRow("120") << 120 << "你已累计登陆 120 次。老友相伴，人生乐哉！" << 5;
        QTest::newRow("121") << 121 << "你已累计登陆 121 次。有空的时候，多陪陪家人，他们都很爱你！" << 6;
        QTest::newRow("199") << 199 << "你已累计登陆 199 次。有空的时候，多陪陪家人，他们都很爱你！" << 6;
        QTest::newRow("200") << 200
                             << "200次。哇哦！~~厉害，记咱们什么时候认识的吗？是~~~哎，还是下次告诉你。" << 6;
        QTest::newRow("201") << 201 << "你已累计登陆 201 次。咱们第一次认识的日期是:2025/3/8" << 7;
        QTest::newRow("202") << 202 << "你已累计登陆 202 次。微笑~~~~，茄子！：)" << 7;
        QTest::newRow("0") << 0 << "你已累计登陆 0 次。微笑~~~~，茄子！：)" << 7;
    }
    void greetingByLoginCount() {
        QFETCH(int, n);
        QFETCH(QString, greeting);
        QFETCH(int, flower);
        LedgerFixture fx;
        store::exec(fx.db(), QStringLiteral("update dlcount set dlcount=?, startdd='2025-03-08'"), {n});
        Taboutfrm w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("关于软件"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lbl2"))->text(), greeting);
        QCOMPARE(shownFlower(w), flower);
        QPushButton* btn1 = w.findChild<QPushButton*>(QStringLiteral("btn1"));
        QCOMPARE(btn1->isVisible(), n >= 20);
        QCOMPARE(w.height(), n >= 20 ? 348 : 318);
        QCOMPARE(btn1->text(), QStringLiteral("捐助\"云杉\"成长！"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lbl1"))->text(),
                 QStringLiteral("“云杉”——阳光、绿色、健康、分享…… "));
        QVERIFY(fx.dialogs.shown.isEmpty());
    }

    void donationOpensTheAddress() {
        LedgerFixture fx;
        store::exec(fx.db(), QStringLiteral("update dlcount set dlcount=20"));
        QList<QUrl> opened;
        bool browser = true;
        setUrlOpener([&](const QUrl& url) {
            opened << url;
            return browser;
        });
        Taboutfrm w;
        w.show();
        QPushButton* btn1 = w.findChild<QPushButton*>(QStringLiteral("btn1"));
        QTest::mouseClick(btn1, Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl(QString::fromLatin1(kDonationAddress))});
        QVERIFY(fx.dialogs.shown.isEmpty());

        // Without a browser the address is shown, so the user can still reach it.
        browser = false;
        QTest::mouseClick(btn1, Qt::LeftButton);
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(fx.dialogs.shown[0].title, QStringLiteral("云杉"));
        QCOMPARE(fx.dialogs.shown[0].icon, ui::Icon::Warning);
        QVERIFY(fx.dialogs.shown[0].text.contains(QString::fromLatin1(kDonationAddress)));
        setUrlOpener({});

        QAction* n1 = w.findChild<QAction*>(QStringLiteral("N1"));
        QVERIFY(w.findChild<QMenu*>(QStringLiteral("pm2"))->actions().contains(n1));
        n1->trigger();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TstAbout)
#include "tst_about.moc"
