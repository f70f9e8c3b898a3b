// The ledger database: the template, the data module's checks, the cascades, transactions and the
// shared ledger helpers.
#include "store/db.h"
#include "store/ledger.h"
#include "store/sample_ledger.h"
#include "support/fixture.h"
#include "ui/guard.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QtTest>

using store::Money;

namespace {
QStringList columns(const QSqlDatabase& db, const QString& table) {
    QStringList out;
    QSqlQuery q = store::exec(db, QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstLedger : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void templateSchemaAndContent() {
        LedgerFixture fx;
        const QSqlDatabase db = fx.db();
        const QList<QPair<QString, QStringList>> expected = {
            {"账户",
             {"id", "账户名称", "起始金额", "备注", "余额", "收入", "支出", "借入", "付还款", "借出",
              "收借款", "转入", "转出"}},
            {"收支表",
             {"id", "日期", "收支类别", "收入项目", "收入名称", "收入金额", "支出项目", "支出名称",
              "支出金额", "结算账户", "备注"}},
            {"收入项目", {"收入项目"}},
            {"支出项目", {"支出项目"}},
            {"收入名称", {"收入项目", "收入名称"}},
            {"支出名称", {"支出项目", "支出名称"}},
            {"借入", {"id", "日期", "结算账户", "借入金额", "偿还金额", "余额", "借款人", "备注"}},
            {"借出", {"id", "日期", "结算账户", "借出金额", "收回金额", "余额", "借款人", "备注"}},
            {"用户", {"用户名", "密码"}},
            {"flag", {"flag"}},
            {"dlcount", {"dlcount", "startdd"}},
            {"借贷合计", {"表名", "笔数", "金额", "归还", "余额"}},
        };
        for (const auto& [table, cols] : expected)
            QCOMPARE(columns(db, table), cols);
        QCOMPARE(store::scalar(db, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='table' "
                                                  "AND name NOT LIKE 'sqlite_%'"))
                     .toInt(),
                 12);
        QCOMPARE(store::scalar(db, QStringLiteral("PRAGMA user_version")).toInt(), store::kSchemaVersion);
        QCOMPARE(store::scalar(db, QStringLiteral("PRAGMA foreign_keys")).toInt(), 1);

        QSqlQuery u = store::exec(db, QStringLiteral("SELECT 用户名, 密码 FROM 用户"));
        QVERIFY(u.next());
        QCOMPARE(u.value(0).toString(), QStringLiteral("admin"));
        QCOMPARE(u.value(1).toString(), store::scramble(QStringLiteral("302514")));
        QVERIFY(!u.next());
        QCOMPARE(store::scalar(db, QStringLiteral("SELECT flag FROM flag")).toInt(), 1);
        QCOMPARE(store::scalar(db, QStringLiteral("SELECT dlcount FROM dlcount")).toInt(), 0);
        for (const char* t :
             {"账户", "收支表", "收入项目", "支出项目", "收入名称", "支出名称", "借入", "借出"})
            QCOMPARE(fx.count(QString::fromUtf8(t)), 0);
        QCOMPARE(fx.count(QStringLiteral("flag")), 1);
        QCOMPARE(fx.count(QStringLiteral("dlcount")), 1);
    }

    void newAccountDefaults() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(1234));
        const QSqlRecord r = fx.account(QStringLiteral("现金"));
        for (const char* c : {"收入", "支出", "借入", "付还款", "借出", "收借款", "转入", "转出"})
            QCOMPARE(r.value(QString::fromUtf8(c)).toLongLong(), 0);
        QCOMPARE(r.value(QStringLiteral("余额")).toLongLong(), 1234);
        QVERIFY_LEDGER(fx);
    }

    // Ids only grow, also after the newest row is deleted.
    void idsNeverReused() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("a"), Money());
        fx.insertAccount(QStringLiteral("b"), Money());
        store::exec(fx.db(), QStringLiteral("DELETE FROM 账户 WHERE 账户名称 = 'b'"));
        fx.insertAccount(QStringLiteral("c"), Money());
        QCOMPARE(fx.account(QStringLiteral("c")).value(QStringLiteral("id")).toInt(), 3);
    }

    // A rename flows from a Category into its Subcategories and entries; a Subcategory rename into
    // its entries; deleting a Category takes its Subcategories, but not while an entry names one.
    void classificationCascades() {
        LedgerFixture fx;
        fx.bookEntry(QStringLiteral("2026-05-01"), true, 100);
        fx.bookEntry(QStringLiteral("2026-05-01"), false, 100);
        store::exec(fx.db(), QStringLiteral("DELETE FROM 收支表 WHERE 收支类别 = '支出'"));
        store::exec(fx.db(), QStringLiteral("INSERT INTO 收入名称 VALUES ('工资', '奖金')"));

        store::exec(fx.db(), QStringLiteral("UPDATE 收入项目 SET 收入项目 = '薪水' WHERE 收入项目 = '工资'"));
        QCOMPARE(
            store::scalar(fx.db(), QStringLiteral("SELECT COUNT(*) FROM 收入名称 WHERE 收入项目 = '薪水'"))
                .toInt(),
            2);
        QCOMPARE(store::scalar(fx.db(), QStringLiteral("SELECT 收入项目 FROM 收支表")).toString(),
                 QStringLiteral("薪水"));

        store::exec(fx.db(),
                    QStringLiteral("UPDATE 收入名称 SET 收入名称 = '基本工资' WHERE 收入名称 = '月薪'"));
        QCOMPARE(store::scalar(fx.db(), QStringLiteral("SELECT 收入名称 FROM 收支表")).toString(),
                 QStringLiteral("基本工资"));

        QVERIFY_EXCEPTION_THROWN(store::exec(fx.db(), QStringLiteral("DELETE FROM 收入项目")),
                                 store::DbError);
        QCOMPARE(fx.count(QStringLiteral("收入名称")), 2);

        store::exec(fx.db(), QStringLiteral("DELETE FROM 收支表"));
        store::exec(fx.db(), QStringLiteral("DELETE FROM 收入项目"));
        QCOMPARE(fx.count(QStringLiteral("收入名称")), 0);

        store::exec(fx.db(), QStringLiteral("DELETE FROM 支出项目"));
        QCOMPARE(fx.count(QStringLiteral("支出名称")), 0);
    }

    void quotesAreOrdinaryText() {
        LedgerFixture fx;
        const QString name = QStringLiteral("O'Brien's 卡");
        fx.insertAccount(name, Money::fromFen(10000));
        QCOMPARE(store::balanceLookup(fx.db(), name)->fen(), qint64(10000));
        QCOMPARE(fx.account(name).value(QStringLiteral("账户名称")).toString(), name);
        store::exec(fx.db(), QStringLiteral("INSERT INTO 收入项目 VALUES (?)"), {QStringLiteral("it's")});
        QCOMPARE(store::scalar(fx.db(), QStringLiteral("SELECT COUNT(*) FROM 收入项目 WHERE 收入项目 = ?"),
                               {QStringLiteral("it's")})
                     .toInt(),
                 1);
    }

    // A statement that fails halfway through an operation leaves none of its changes behind.
    void failedOperationRollsBack() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money::fromFen(5000));
        fx.insertAccount(QStringLiteral("银行"), Money::fromFen(0));
        const auto operation = [&] {
            store::Transaction t(fx.db());
            store::exec(
                fx.db(),
                QStringLiteral("UPDATE 账户 SET 转出 = 转出 + 100, 余额 = 余额 - 100 WHERE 账户名称 = ?"),
                {QStringLiteral("现金")});
            store::exec(fx.db(), QStringLiteral("UPDATE 账户 SET 没有这列 = 1"));
            t.commit();
        };
        QVERIFY_EXCEPTION_THROWN(operation(), store::DbError);
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("余额")).fen(), qint64(5000));
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("转出")).fen(), qint64(0));

        // The guarded handler shows the engine's text in the general error report.
        fx.dialogs.clear();
        ui::guarded([&] { operation(); })();
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(fx.dialogs.shown.first().title, QStringLiteral("云杉记账管理"));
        QCOMPARE(fx.dialogs.shown.first().icon, ui::Icon::Error);
        QVERIFY2(fx.dialogs.lastText().contains(QStringLiteral("没有这列")),
                 qPrintable(fx.dialogs.lastText()));
        QCOMPARE(fx.accountMoney(QStringLiteral("现金"), QStringLiteral("余额")).fen(), qint64(5000));

        // The connection is usable again afterwards and a committed operation lands.
        {
            store::Transaction t(fx.db());
            store::exec(
                fx.db(),
                QStringLiteral("UPDATE 账户 SET 转出 = 转出 + 100, 余额 = 余额 - 100 WHERE 账户名称 = ?"),
                {QStringLiteral("现金")});
            store::exec(
                fx.db(),
                QStringLiteral("UPDATE 账户 SET 转入 = 转入 + 100, 余额 = 余额 + 100 WHERE 账户名称 = ?"),
                {QStringLiteral("银行")});
            t.commit();
        }
        QCOMPARE(fx.accountMoney(QStringLiteral("银行"), QStringLiteral("余额")).fen(), qint64(100));
        QVERIFY_LEDGER(fx);
    }

    void refusesForeignFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing") << "missing"
                                 << "不存在";
        QTest::newRow("not a database") << "text"
                                        << "不是本程序的账本";
        QTest::newRow("other version") << "version"
                                       << "版本为 7";
        QTest::newRow("missing table") << "table"
                                       << "缺少数据表“借出”";
    }
    void refusesForeignFiles() {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        LedgerFixture fx;
        const QString path = fx.programDir() + QStringLiteral("/other.ysn");
        if (kind != QStringLiteral("missing")) {
            QVERIFY(QFile::copy(fx.dataFile(), path));
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        }
        if (kind == QStringLiteral("text")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("just some words, not a ledger\n");
        } else if (kind != QStringLiteral("missing")) {
            store::Tdmod1 other;
            other.open(path);
            store::exec(other.con1(), kind == QStringLiteral("version")
                                          ? QStringLiteral("PRAGMA user_version = 7")
                                          : QStringLiteral("DROP TABLE 借出"));
            other.close();
        }
        const QByteArray before = fileBytes(path);
        store::Tdmod1 dm;
        try {
            dm.open(path);
            QFAIL("a foreign file was opened");
        } catch (const store::DbError& e) {
            QVERIFY2(e.text().contains(QStringLiteral("other.ysn")), qPrintable(e.text()));
            QVERIFY2(e.text().contains(why), qPrintable(e.text()));
        }
        QVERIFY(!dm.isOpen());
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QFile::exists(path), kind != QStringLiteral("missing"));
    }

    void scramble_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("stored");
        QTest::newRow("abc") << "abc"
                             << "171165174616178101";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("default") << "302514"
                                 << "491734371647320529814550151060";
        QTest::newRow("byte below 8 wraps")
            << QString(QChar(1)) << QString::number(4294967296LL + 153 - 1980);
        QTest::newRow("chinese is two GBK bytes")
            << "中" << QString::number(214 * 222 * 17 - 1980) + QString::number(208 * 216 * 17 - 1980);
    }
    void scramble() {
        QFETCH(QString, password);
        QFETCH(QString, stored);
        QCOMPARE(store::scramble(password), stored);
    }

    void trimmedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("nothing to trim") << "admin"
                                         << "admin";
        QTest::newRow("blanks") << "  现金 "
                                << "现金";
        QTest::newRow("inner blanks stay") << "\r\n\t工行 卡\n"
                                           << "工行 卡";
        QTest::newRow("control characters") << QStringLiteral("\x01\x7f现金\x1f") << "现金";
        QTest::newRow("full-width blank") << "\u3000现金\u3000"
                                          << "现金";
        QTest::newRow("blanks only") << " \t\r\n "
                                     << "";
    }
    void trimmedText() {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(store::trimmedText(text), trimmed);
    }

    void columnTotals() {
        LedgerFixture fx;
        QCOMPARE(store::columnTotal(fx.db(), QStringLiteral("余额"), QStringLiteral("账户")).generalText(),
                 QStringLiteral("0"));
        fx.insertAccount(QStringLiteral("a"), Money::fromFen(10));
        fx.insertAccount(QStringLiteral("b"), Money::fromFen(20));
        QCOMPARE(store::columnTotal(fx.db(), QStringLiteral("余额"), QStringLiteral("账户")).generalText(),
                 QStringLiteral("0.3"));
        QCOMPARE(store::balanceLookup(fx.db(), QStringLiteral("a"))->generalText(), QStringLiteral("0.1"));
        QVERIFY(!store::balanceLookup(fx.db(), QStringLiteral("A")));
        QVERIFY(!store::balanceLookup(fx.db(), QStringLiteral("nobody")));
    }

    // Both bounds are whole days of the month; expense rows add nothing to the income total.
    void monthTotals_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("expense");
        QTest::newRow("31 March") << QDate(2024, 3, 31) << "3.5"
                                  << "0.25";
        QTest::newRow("29 February, leap") << QDate(2024, 2, 29) << "7"
                                           << "0";
        QTest::newRow("month without rows") << QDate(2024, 6, 10) << "0"
                                            << "0";
    }
    void monthTotals() {
        QFETCH(QDate, today);
        QFETCH(QString, income);
        QFETCH(QString, expense);
        LedgerFixture fx(QDateTime(today, QTime(23, 59)));
        fx.bookEntry(QStringLiteral("2024-02-29"), true, 700);
        fx.bookEntry(QStringLiteral("2024-03-01"), true, 100);
        fx.bookEntry(QStringLiteral("2024-03-31"), true, 250);
        fx.bookEntry(QStringLiteral("2024-03-31"), false, 25);
        fx.bookEntry(QStringLiteral("2024-04-01"), true, 9900);
        QCOMPARE(
            store::monthTotal(fx.db(), QStringLiteral("收入金额"), QStringLiteral("收支表")).generalText(),
            income);
        QCOMPARE(
            store::monthTotal(fx.db(), QStringLiteral("支出金额"), QStringLiteral("收支表")).generalText(),
            expense);
    }

    void sampleLedgerKeepsInvariants() {
        LedgerFixture fx;
        store::fillSampleLedger(fx.db(), fx.clock.today());
        QVERIFY(fx.count(QStringLiteral("收支表")) > 0);
        QVERIFY_LEDGER(fx);
    }

    void requeryListsNewestFirst() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("旧"), Money());
        fx.insertAccount(QStringLiteral("新"), Money());
        store::requery(*fx.dm);
        QCOMPARE(fx.dm->qry1->rowCount(), 2);
        QCOMPARE(fx.dm->qry1->record(0).value(QStringLiteral("账户名称")).toString(), QStringLiteral("新"));
    }

    // Replacing the file (restore, initialise) closes and reopens the data module; the lists that
    // were filled from the old connection must survive it.
    void closeAndReopenAfterListing() {
        LedgerFixture fx;
        fx.insertAccount(QStringLiteral("现金"), Money());
        store::requery(*fx.dm);
        fx.dm->qrysr->setQuery(QStringLiteral("select * from 收支表"), fx.db());
        fx.dm->close();
        QCOMPARE(fx.dm->qry1->rowCount(), 0);
        fx.dm->close();
        fx.dm->open(fx.dataFile());
        store::requery(*fx.dm);
        QCOMPARE(fx.dm->qry1->rowCount(), 1);
    }

    // The indexes serve the windows' listings and totals.
    void listingsUseIndexes_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("month total")
            << "SELECT SUM(收入金额) FROM 收支表 WHERE 日期 BETWEEN '2024-03-01' AND '2024-03-31'";
        QTest::newRow("browser")
            << "SELECT * FROM 收支表 WHERE 收支类别 = '支出' AND 日期 BETWEEN '2024-03-01' AND "
               "'2024-03-31' ORDER BY 日期 DESC, id DESC";
        QTest::newRow("usage check") << "SELECT * FROM 收支表 WHERE 收入项目 = '工资' AND 收入名称 = '月薪'";
        QTest::newRow("subcategories") << "SELECT 收入名称 FROM 收入名称 WHERE 收入项目 = '工资'";
        QTest::newRow("borrowings") << "SELECT * FROM 借入 ORDER BY 日期 DESC";
    }
    void listingsUseIndexes() {
        QFETCH(QString, sql);
        LedgerFixture fx;
        QSqlQuery q = store::exec(fx.db(), QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        QStringList plan;
        while (q.next())
            plan << q.value(3).toString();
        const QString text = plan.join(QLatin1Char('\n'));
        QVERIFY2(!text.contains(QStringLiteral("TEMP B-TREE")), qPrintable(text));
        QVERIFY2(!text.contains(
                     QRegularExpression(QStringLiteral("SCAN \\S+$"), QRegularExpression::MultilineOption)),
                 qPrintable(text));
    }
};

QTEST_MAIN(TstLedger)
#include "tst_ledger.moc"
