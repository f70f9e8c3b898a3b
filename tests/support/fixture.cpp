// The ledger fixture.
#include "support/fixture.h"

#include "store/db.h"
#include "store/ledger.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

LedgerFixture::LedgerFixture(const QDateTime& now) : clock(now) {
    if (!dir_.isValid()) qFatal("cannot create a temporary program folder");
    QDir(dir_.path()).mkpath(QStringLiteral("data"));
    QDir(dir_.path()).mkpath(QStringLiteral("backdatabase"));
    const QString tmpl = QStringLiteral(YUNSHAN_TEMPLATE);
    if (!QFile::copy(tmpl, dataFile()) || !QFile::copy(tmpl, store::Tdmod1::templatePath(programDir())))
        qFatal("cannot copy the ledger template %s", qPrintable(tmpl));
    QFile::setPermissions(dataFile(), QFile::ReadOwner | QFile::WriteOwner);
    store::setClock(&clock);
    ui::setDialogs(&dialogs);
    dm = std::make_unique<store::Tdmod1>();
    dm->open(dataFile());
}

LedgerFixture::~LedgerFixture() {
    dm.reset();
    ui::setDialogs(nullptr);
    store::setClock(nullptr);
}

void LedgerFixture::insertAccount(const QString& name, store::Money opening, const QString& note) {
    store::exec(db(), QStringLiteral("INSERT INTO 账户 (账户名称, 起始金额, 备注, 余额) VALUES (?, ?, ?, ?)"),
                {name, opening.fen(), note, opening.fen()});
}

void LedgerFixture::moveAccount(const QString& account, const QString& column, store::Money amount) const {
    static const QStringList lowering = {QStringLiteral("支出"), QStringLiteral("付还款"),
                                         QStringLiteral("借出"), QStringLiteral("转出")};
    const qint64 balance = lowering.contains(column) ? -amount.fen() : amount.fen();
    store::exec(db(),
                QStringLiteral("UPDATE 账户 SET %1 = %1 + ?, 余额 = 余额 + ? WHERE 账户名称 = ?").arg(column),
                {amount.fen(), balance, account});
}

void LedgerFixture::bookEntry(const QString& date, bool income, qint64 fen, const QString& account) {
    const QString kind = income ? QStringLiteral("收入") : QStringLiteral("支出");
    const QString category = income ? QStringLiteral("工资") : QStringLiteral("饮食");
    const QString sub = income ? QStringLiteral("月薪") : QStringLiteral("午餐");
    store::exec(db(), QStringLiteral("INSERT OR IGNORE INTO %1项目 VALUES (?)").arg(kind), {category});
    store::exec(db(), QStringLiteral("INSERT OR IGNORE INTO %1名称 VALUES (?, ?)").arg(kind),
                {category, sub});
    store::exec(db(),
                QStringLiteral("INSERT INTO 收支表 (日期, 收支类别, %1项目, %1名称, %1金额, 结算账户) "
                               "VALUES (?, ?, ?, ?, ?, ?)")
                    .arg(kind),
                {date, kind, category, sub, fen, account});
    moveAccount(account, kind, store::Money::fromFen(fen));
}

QSqlRecord LedgerFixture::account(const QString& name) const {
    QSqlQuery q = store::exec(db(), QStringLiteral("SELECT * FROM 账户 WHERE 账户名称 = ?"), {name});
    return q.next() ? q.record() : QSqlRecord();
}

store::Money LedgerFixture::accountMoney(const QString& name, const QString& column) const {
    return store::moneyOf(account(name).value(column));
}

int LedgerFixture::count(const QString& table) const {
    return store::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)).toInt();
}

QStringList LedgerFixture::ledgerViolations() const {
    QStringList out;
    QSqlQuery q = store::exec(
        db(), QStringLiteral(
                  "SELECT 账户名称, 余额, 起始金额+收入-支出+借入-付还款-借出+收借款+转入-转出 FROM 账户 "
                  "WHERE 余额 <> 起始金额+收入-支出+借入-付还款-借出+收借款+转入-转出"));
    while (q.next())
        out << QStringLiteral("账户 %1: 余额 %2, expected %3")
                   .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    for (const auto& [table, amount, back] :
         {std::tuple{"借入", "借入金额", "偿还金额"}, std::tuple{"借出", "借出金额", "收回金额"}}) {
        QSqlQuery l = store::exec(
            db(), QStringLiteral("SELECT id, 余额, %2-%3 FROM %1 WHERE 余额 <> %2-%3")
                      .arg(QString::fromUtf8(table), QString::fromUtf8(amount), QString::fromUtf8(back)));
        while (l.next())
            out << QStringLiteral("%1 id %2: 余额 %3, expected %4")
                       .arg(QString::fromUtf8(table), l.value(0).toString(), l.value(1).toString(),
                            l.value(2).toString());
    }
    // The totals the triggers keep are what the loans add up to.
    for (const char* table : {"借入", "借出"}) {
        const QString t = QString::fromUtf8(table);
        const QString amount = t + QStringLiteral("金额");
        const QString back =
            t == QStringLiteral("借入") ? QStringLiteral("偿还金额") : QStringLiteral("收回金额");
        QSqlQuery k = store::exec(
            db(),
            // SUM, not TOTAL: a floating-point total is not exact beyond 2^53 fen.
            QStringLiteral(
                "SELECT 笔数, 金额, 归还, 余额, (SELECT COUNT(*) || '/' || COALESCE(SUM(%2), 0) || '/' || "
                "COALESCE(SUM(%3), 0) || '/' || COALESCE(SUM(余额), 0) FROM %1) FROM 借贷合计 WHERE 表名 = ?")
                .arg(t, amount, back),
            {t});
        if (!k.next()) {
            out << QStringLiteral("借贷合计 has no row for %1").arg(t);
            continue;
        }
        const QString kept = QStringLiteral("%1/%2/%3/%4")
                                 .arg(k.value(0).toString(), k.value(1).toString(), k.value(2).toString(),
                                      k.value(3).toString());
        if (kept != k.value(4).toString())
            out << QStringLiteral("借贷合计 %1: kept %2, counted %3").arg(t, kept, k.value(4).toString());
    }
    return out;
}
