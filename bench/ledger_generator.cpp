// Bulk generation of a large ledger in SQL: rows come from recursive counters, the account
// columns are then set from the rows themselves, so the balances agree with what was booked.
#include "bench/ledger_generator.h"

#include "store/db.h"
#include "store/ledger.h"

namespace bench {

void generateLedger(const QSqlDatabase& db, const LedgerShape& shape) {
    using store::exec;
    store::Transaction t(db);
    const QString first = store::isoDate(shape.lastDay.addYears(-shape.years).addDays(1));
    const qint64 days = shape.lastDay.addYears(-shape.years).daysTo(shape.lastDay);

    exec(db,
         QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
                        "INSERT INTO 账户 (账户名称, 起始金额, 备注, 余额) "
                        "SELECT '账户' || i, 100000 * (i + 1), '生成的账户', 100000 * (i + 1) FROM n"),
         {shape.accounts});
    for (const char* c : {"工资", "奖金", "理财"}) {
        exec(db, QStringLiteral("INSERT INTO 收入项目 VALUES (?)"), {QString::fromUtf8(c)});
        for (const char* s : {"甲", "乙"})
            exec(db, QStringLiteral("INSERT INTO 收入名称 VALUES (?, ?)"),
                 {QString::fromUtf8(c), QString::fromUtf8(c) + QString::fromUtf8(s)});
    }
    for (const char* c : {"饮食", "交通", "居家", "购物", "医疗", "娱乐"}) {
        exec(db, QStringLiteral("INSERT INTO 支出项目 VALUES (?)"), {QString::fromUtf8(c)});
        for (const char* s : {"甲", "乙", "丙", "丁"})
            exec(db, QStringLiteral("INSERT INTO 支出名称 VALUES (?, ?)"),
                 {QString::fromUtf8(c), QString::fromUtf8(c) + QString::fromUtf8(s)});
    }
    exec(db, QStringLiteral("CREATE TEMP TABLE acc AS SELECT 账户名称 AS name, row_number() OVER (ORDER BY "
                            "id) - 1 AS k FROM 账户"));
    exec(db, QStringLiteral("CREATE TEMP TABLE inc AS SELECT 收入项目 AS c, 收入名称 AS s, row_number() OVER "
                            "() - 1 AS k FROM 收入名称"));
    exec(db, QStringLiteral("CREATE TEMP TABLE exp AS SELECT 支出项目 AS c, 支出名称 AS s, row_number() OVER "
                            "() - 1 AS k FROM 支出名称"));

    // One entry in five is income; amounts and accounts wander with a multiplicative hash of i.
    exec(
        db,
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
            "INSERT INTO 收支表 (日期, 收支类别, 收入项目, 收入名称, 收入金额, 支出项目, 支出名称, 支出金额, "
            "结算账户, 备注) "
            "SELECT date(?, '+' || (i * ? / ?) || ' days'), "
            "  CASE WHEN i % 5 = 0 THEN '收入' ELSE '支出' END, "
            "  CASE WHEN i % 5 = 0 THEN inc.c END, CASE WHEN i % 5 = 0 THEN inc.s END, "
            "  CASE WHEN i % 5 = 0 THEN 50000 + (i * 2654435761) % 900000 END, "
            "  CASE WHEN i % 5 <> 0 THEN exp.c END, CASE WHEN i % 5 <> 0 THEN exp.s END, "
            "  CASE WHEN i % 5 <> 0 THEN 100 + (i * 40503) % 60000 END, "
            "  acc.name, CASE WHEN i % 7 = 0 THEN '备注' || i ELSE '' END "
            "FROM n JOIN acc ON acc.k = (i * 7919) % ? "
            "JOIN inc ON inc.k = (i / 5) % 6 JOIN exp ON exp.k = i % 24"),
        {shape.entries, first, days, shape.entries, shape.accounts});

    // Loans: a third paid back in full, a third half, a third not yet.
    for (const auto& [table, back] : {std::pair{"借入", "偿还金额"}, std::pair{"借出", "收回金额"}}) {
        const QString t = QString::fromUtf8(table);
        exec(
            db,
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?), "
                           "l AS (SELECT i, 100000 + (i * 7907) % 5000000 AS amt FROM n) "
                           "INSERT INTO %1 (日期, 结算账户, %1金额, %2, 余额, 借款人, 备注) "
                           "SELECT date(?, '+' || (i * ? / ?) || ' days'), acc.name, amt, "
                           "  CASE i % 3 WHEN 0 THEN amt WHEN 1 THEN amt / 2 ELSE 0 END, "
                           "  amt - CASE i % 3 WHEN 0 THEN amt WHEN 1 THEN amt / 2 ELSE 0 END, "
                           "  '借款人' || (i % 50), '' "
                           "FROM l JOIN acc ON acc.k = (i * 31) % ?")
                .arg(t, QString::fromUtf8(back)),
            {shape.loans, first, days, shape.loans, shape.accounts});
    }

    // The accounts' columns from what was booked; transfers go round the accounts in a ring, so
    // what leaves one account arrives at the next.
    exec(db, QStringLiteral(
                 "CREATE TEMP TABLE tot AS SELECT 结算账户 AS name, SUM(收入金额) AS si, SUM(支出金额) AS se "
                 "FROM 收支表 GROUP BY 结算账户"));
    exec(db,
         QStringLiteral("UPDATE 账户 SET "
                        "收入 = COALESCE((SELECT si FROM tot WHERE name = 账户名称), 0), "
                        "支出 = COALESCE((SELECT se FROM tot WHERE name = 账户名称), 0), "
                        "借入 = COALESCE((SELECT SUM(借入金额) FROM 借入 WHERE 结算账户 = 账户名称), 0), "
                        "付还款 = COALESCE((SELECT SUM(偿还金额) FROM 借入 WHERE 结算账户 = 账户名称), 0), "
                        "借出 = COALESCE((SELECT SUM(借出金额) FROM 借出 WHERE 结算账户 = 账户名称), 0), "
                        "收借款 = COALESCE((SELECT SUM(收回金额) FROM 借出 WHERE 结算账户 = 账户名称), 0), "
                        "转出 = 12345 * ((SELECT k FROM acc WHERE name = 账户名称) + 1), "
                        "转入 = 12345 * (((SELECT k FROM acc WHERE name = 账户名称) + ? - 1) % ? + 1)"),
         {shape.accounts, shape.accounts});
    exec(db,
         QStringLiteral(
             "UPDATE 账户 SET 余额 = 起始金额 + 收入 - 支出 + 借入 - 付还款 - 借出 + 收借款 + 转入 - 转出"));
    for (const char* temp : {"acc", "inc", "exp", "tot"})
        exec(db, QStringLiteral("DROP TABLE temp.%1").arg(QString::fromUtf8(temp)));
    t.commit();
}

} // namespace bench
