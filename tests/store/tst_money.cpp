// Amount parsing and the texts money is shown as.
#include "store/money.h"
#include "support/fixture.h"
#include "ui/amount_check.h"

#include <QtTest>

using store::AmountStatus;
using store::Money;

Q_DECLARE_METATYPE(store::AmountStatus)

class TstMoney : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<AmountStatus>("status");
        QTest::addColumn<qint64>("fen");
        const auto ok = AmountStatus::Ok, nan = AmountStatus::NotNumber, over = AmountStatus::OverLimit;
        QTest::newRow("half up") << "2.675" << ok << qint64(268);
        QTest::newRow("eighth") << "0.125" << ok << qint64(13);
        QTest::newRow("whole") << "3" << ok << qint64(300);
        QTest::newRow("zero") << "0" << ok << qint64(0);
        QTest::newRow("three decimals") << "12.345" << ok << qint64(1235);
        QTest::newRow("below half a fen") << "0.001" << ok << qint64(0);
        QTest::newRow("half a fen") << "0.005" << ok << qint64(1);
        QTest::newRow("negative half away") << "-2.675" << ok << qint64(-268);
        QTest::newRow("negative") << "-5" << ok << qint64(-500);
        QTest::newRow("negative rounding to zero") << "-0.001" << ok << qint64(0);
        QTest::newRow("negative zero") << "-0" << ok << qint64(0);
        QTest::newRow("blanks around") << " 12.5 " << ok << qint64(1250);
        QTest::newRow("exponent") << "1e3" << ok << qint64(100000);
        QTest::newRow("negative exponent") << "125e-2" << ok << qint64(125);
        QTest::newRow("plus sign") << "+7.1" << ok << qint64(710);
        QTest::newRow("leading point") << ".5" << ok << qint64(50);
        QTest::newRow("trailing point") << "5." << ok << qint64(500);
        QTest::newRow("leading zeros") << "000012.50" << ok << qint64(1250);
        QTest::newRow("limit passes") << "9999999999999.99" << ok << qint64(999999999999999);
        QTest::newRow("limit plus a bit") << "9999999999999.991" << over << qint64(0);
        QTest::newRow("above limit") << "10000000000000" << over << qint64(0);
        QTest::newRow("huge exponent") << "1e400" << over << qint64(0);
        QTest::newRow("tiny") << "1e-400" << ok << qint64(0);
        QTest::newRow("negative limit passes") << "-9999999999999.99" << ok << qint64(-999999999999999);
        QTest::newRow("below negative limit") << "-10000000000000" << over << qint64(0);
        QTest::newRow("huge negative") << "-1e30" << over << qint64(0);
        QTest::newRow("empty") << "" << nan << qint64(0);
        QTest::newRow("blanks") << "   " << nan << qint64(0);
        QTest::newRow("letters") << "abc" << nan << qint64(0);
        QTest::newRow("comma") << "12,5" << nan << qint64(0);
        QTest::newRow("lone sign") << "-" << nan << qint64(0);
        QTest::newRow("lone point") << "." << nan << qint64(0);
        QTest::newRow("bare exponent") << "1e" << nan << qint64(0);
        QTest::newRow("two points") << "1.2.3" << nan << qint64(0);
        QTest::newRow("inner blank") << "1 2" << nan << qint64(0);
        QTest::newRow("full-width digits") << "１２" << nan << qint64(0);
        QTest::newRow("hex") << "0x10" << nan << qint64(0);
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(AmountStatus, status);
        QFETCH(qint64, fen);
        const store::AmountParse p = store::parseAmount(text);
        QCOMPARE(p.status, status);
        QCOMPARE(p.value.fen(), fen);
        QCOMPARE(p.negative, p.status != AmountStatus::NotNumber && text.trimmed().startsWith(u'-') &&
                                 text != QStringLiteral("-0"));
    }

    // The typed number before rounding against an amount in fen: 100.004 is stored as 100.00 but
    // is more than it; 99.995 is stored as 100.00 but is less.
    void exactCompare_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<int>("order");
        QTest::newRow("equal") << "100" << qint64(10000) << 0;
        QTest::newRow("rounded down, above") << "100.004" << qint64(10000) << 1;
        QTest::newRow("rounded up, below") << "99.995" << qint64(10000) << -1;
        QTest::newRow("tiny above zero") << "0.001" << qint64(0) << 1;
        QTest::newRow("far below a fen") << "1e-400" << qint64(0) << 1;
        QTest::newRow("tiny below zero") << "-0.001" << qint64(0) << -1;
        QTest::newRow("negative rounded up") << "-0.005" << qint64(-1) << 1;
        QTest::newRow("plainly above") << "100.01" << qint64(10000) << 1;
    }
    void exactCompare() {
        QFETCH(QString, text);
        QFETCH(qint64, fen);
        QFETCH(int, order);
        const std::strong_ordering o = store::parseAmount(text).exactCompare(Money::fromFen(fen));
        QCOMPARE(o < 0 ? -1 : o > 0 ? 1 : 0, order);
    }

    void texts_data() {
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<QString>("money");
        QTest::addColumn<QString>("general");
        QTest::newRow("whole") << qint64(300) << "3.00"
                               << "3";
        QTest::newRow("zero") << qint64(0) << "0.00"
                              << "0";
        QTest::newRow("half") << qint64(1250) << "12.50"
                              << "12.5";
        QTest::newRow("hundred") << qint64(10000) << "100.00"
                                 << "100";
        QTest::newRow("cents") << qint64(5) << "0.05"
                               << "0.05";
        QTest::newRow("negative cents") << qint64(-50) << "-0.50"
                                        << "-0.5";
        QTest::newRow("limit") << qint64(999999999999999) << "9999999999999.99"
                               << "9999999999999.99";
    }
    void texts() {
        QFETCH(qint64, fen);
        QFETCH(QString, money);
        QFETCH(QString, general);
        QCOMPARE(Money::fromFen(fen).text(), money);
        QCOMPARE(Money::fromFen(fen).generalText(), general);
    }

    void format_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("#.## half") << "#.##" << qint64(1250) << "12.5";
        QTest::newRow("#.## whole") << "#.##" << qint64(1200) << "12";
        QTest::newRow("#.## zero") << "#.##" << qint64(0) << "";
        QTest::newRow("#.## below one") << "#.##" << qint64(50) << ".5";
        QTest::newRow("#.## negative") << "#.##" << qint64(-1234) << "-12.34";
        QTest::newRow("0.00 zero") << "0.00" << qint64(0) << "0.00";
        QTest::newRow("0.00 half") << "0.00" << qint64(1250) << "12.50";
        QTest::newRow("0.00 negative") << "0.00" << qint64(-5) << "-0.05";
        QTest::newRow("yuan sign") << "￥0.00" << qint64(123456) << "￥1234.56";
        QTest::newRow("yuan sign zero") << "￥0.00" << qint64(0) << "￥0.00";
        QTest::newRow("one place rounds") << "0.0" << qint64(1255) << "12.6";
        QTest::newRow("no places rounds") << "0" << qint64(1250) << "13";
    }
    void format() {
        QFETCH(QString, pattern);
        QFETCH(qint64, fen);
        QFETCH(QString, shown);
        QCOMPARE(Money::fromFen(fen).format(pattern), shown);
    }

    // The limit message goes through the dialogs service; other refusals are silent.
    void amountCheckMessages() {
        LedgerFixture fx;
        QVERIFY(!ui::amountCheck(QStringLiteral("abc")));
        QVERIFY(!ui::amountCheck(QString()));
        QVERIFY(fx.dialogs.shown.isEmpty());
        QCOMPARE(ui::amountCheck(QStringLiteral("9999999999999.99"))->fen(), qint64(999999999999999));
        QVERIFY(fx.dialogs.shown.isEmpty());
        QVERIFY(!ui::amountCheck(QStringLiteral("10000000000000")));
        QCOMPARE(fx.dialogs.shown.size(), 1);
        const Shown& s = fx.dialogs.shown.first();
        QCOMPARE(s.title, QStringLiteral("云杉记账管理"));
        QCOMPARE(s.icon, ui::Icon::None);
        QCOMPARE(s.text,
                 QStringLiteral("       羡慕！嫉妒！恨！~~~我帮不了你!!!\n\n                (转身追问下)\n\n"
                                "            你是不是昨晚抢银行啦~"));
        QCOMPARE(ui::amountCheck(QStringLiteral("-5"))->fen(), qint64(-500));
        // Far below zero: no amount and no limit message; the caller refuses it as not above 0.
        QVERIFY(!ui::amountCheck(QStringLiteral("-1e30")));
        QCOMPARE(fx.dialogs.shown.size(), 1);
    }
};

QTEST_MAIN(TstMoney)
#include "tst_money.moc"
