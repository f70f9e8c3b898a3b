// The sample ledger.
#include "store/sample_ledger.h"

#include "store/db.h"
#include "store/ledger.h"

namespace store {

namespace {
struct Sample {
    const QSqlDatabase& db;

    void account(const char* name, qint64 opening, const char* note) {
        exec(db, QStringLiteral("INSERT INTO 账户 (账户名称, 起始金额, 备注, 余额) VALUES (?, ?, ?, ?)"),
             {QString::fromUtf8(name), opening, QString::fromUtf8(note), opening});
    }
    void move(const char* name, const char* column, qint64 fen, int sign) {
        exec(db,
             QStringLiteral("UPDATE 账户 SET %1 = %1 + ?, 余额 = 余额 + ? WHERE 账户名称 = ?")
                 .arg(QString::fromUtf8(column)),
             {fen, sign * fen, QString::fromUtf8(name)});
    }
    void category(bool income, const char* cat, std::initializer_list<const char*> subs) {
        const QString k = income ? QStringLiteral("收入") : QStringLiteral("支出");
        exec(db, QStringLiteral("INSERT INTO %1项目 VALUES (?)").arg(k), {QString::fromUtf8(cat)});
        for (const char* s : subs)
            exec(db, QStringLiteral("INSERT INTO %1名称 VALUES (?, ?)").arg(k),
                 {QString::fromUtf8(cat), QString::fromUtf8(s)});
    }
    void entry(bool income, QDate d, const char* cat, const char* sub, qint64 fen, const char* acc,
               const char* note) {
        const QString k = income ? QStringLiteral("收入") : QStringLiteral("支出");
        exec(db,
             QStringLiteral("INSERT INTO 收支表 (日期, 收支类别, %1项目, %1名称, %1金额, 结算账户, 备注) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?)")
                 .arg(k),
             {isoDate(d), k, QString::fromUtf8(cat), QString::fromUtf8(sub), fen, QString::fromUtf8(acc),
              QString::fromUtf8(note)});
        move(acc, income ? "收入" : "支出", fen, income ? 1 : -1);
    }
    void loan(bool borrowing, QDate d, const char* acc, qint64 fen, qint64 back, const char* who,
              const char* note) {
        const QString t = borrowing ? QStringLiteral("借入") : QStringLiteral("借出");
        const QString backCol = borrowing ? QStringLiteral("偿还金额") : QStringLiteral("收回金额");
        exec(db,
             QStringLiteral("INSERT INTO %1 (日期, 结算账户, %1金额, %2, 余额, 借款人, 备注) VALUES (?, ?, "
                            "?, ?, ?, ?, ?)")
                 .arg(t, backCol),
             {isoDate(d), QString::fromUtf8(acc), fen, back, fen - back, QString::fromUtf8(who),
              QString::fromUtf8(note)});
        move(acc, borrowing ? "借入" : "借出", fen, borrowing ? 1 : -1);
        if (back) move(acc, borrowing ? "付还款" : "收借款", back, borrowing ? -1 : 1);
    }
};
} // namespace

void fillSampleLedger(const QSqlDatabase& db, QDate today) {
    Transaction t(db);
    Sample s{db};
    s.account("现金", 150000, "钱包里的零用钱");
    s.account("工行卡", 1200000, "工资卡");
    s.account("支付宝", 35050, "");
    s.account("信用卡", 0, "每月 8 日还款");
    s.category(true, "工资", {"基本工资", "奖金"});
    s.category(true, "理财", {"利息"});
    s.category(false, "饮食", {"早餐", "午餐", "晚餐"});
    s.category(false, "交通", {"公交地铁", "打车"});
    s.category(false, "居家", {"水电燃气", "房租"});
    const QDate first(today.year(), today.month(), 1);
    const QDate prev = first.addMonths(-1);
    s.entry(true, first, "工资", "基本工资", 850000, "工行卡", "");
    s.entry(true, first.addDays(std::min(9, today.day() - 1)), "理财", "利息", 1234, "支付宝", "余额宝");
    s.entry(false, first, "居家", "房租", 300000, "工行卡", "五月房租");
    s.entry(false, today, "饮食", "午餐", 2850, "现金", "");
    s.entry(false, today, "交通", "公交地铁", 400, "支付宝", "");
    s.entry(true, prev, "工资", "基本工资", 850000, "工行卡", "");
    s.entry(false, prev.addDays(12), "居家", "水电燃气", 23575, "工行卡", "");
    s.entry(false, prev.addDays(20), "饮食", "晚餐", 16800, "支付宝", "朋友聚餐");
    s.loan(true, prev.addDays(3), "工行卡", 500000, 200000, "张三", "装修周转");
    s.loan(false, first, "现金", 80000, 0, "李四", "");
    // More of the year, so that every chart of the statistics has something to show: a few more
    // days of this month (none after today), and the months before the last one within this year.
    const auto day = [&](int n) { return first.addDays(std::min(n, today.day()) - 1); };
    s.entry(false, day(3), "饮食", "早餐", 1200, "现金", "");
    s.entry(false, day(6), "交通", "打车", 3560, "支付宝", "");
    s.entry(true, day(8), "工资", "奖金", 150000, "工行卡", "季度奖金");
    s.entry(false, day(12), "饮食", "晚餐", 8800, "工行卡", "");
    for (int k = 2; k <= 4; ++k) {
        const QDate m = first.addMonths(-k);
        if (m.year() != today.year()) break;
        s.entry(true, m, "工资", "基本工资", 850000, "工行卡", "");
        s.entry(false, m.addDays(4), "居家", "房租", 300000, "工行卡", "");
        s.entry(false, m.addDays(9), "饮食", "午餐", 1800 + 150 * k, "现金", "");
        s.entry(false, m.addDays(15), "交通", "公交地铁", 1200 + 100 * k, "支付宝", "");
        s.entry(true, m.addDays(20), "理财", "利息", 1100 + 20 * k, "支付宝", "余额宝");
    }
    // A transfer: cash into the bank card.
    s.move("现金", "转出", 20000, -1);
    s.move("工行卡", "转入", 20000, 1);
    t.commit();
}

} // namespace store
