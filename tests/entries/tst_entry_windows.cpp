// The income and expense browsers, recording and correction windows, driven as a user would:
// filters switched, amounts typed, buttons clicked; then the list, its footer, the boxes shown, the
// fields, the focus and the ledger.
#include "entries/entry_browser.h"
#include "entries/entry_correct_window.h"
#include "entries/entry_ops.h"
#include "entries/entry_record_window.h"
#include "store/db.h"
#include "store/ledger.h"
#include "support/fixture.h"
#include "ui/dashboard.h"
#include "ui/footer_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>
#include <QtTest>

using entries::Kind;
using store::Money;

namespace {

const QString cash = QStringLiteral("现金");
const QString bank = QStringLiteral("银行");

struct RefreshCounter {
    int n = 0;
    RefreshCounter() {
        ui::setDashboardRefresh([this] { ++n; });
    }
    ~RefreshCounter() { ui::setDashboardRefresh({}); }
};

template <typename T> T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no child %s", name);
    return c;
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

QString focusName(QWidget& w) {
    return w.focusWidget() ? w.focusWidget()->objectName() : QString();
}

void category(const LedgerFixture& fx, Kind kind, const QString& cat, const QStringList& subs) {
    const entries::KindColumns& c = entries::columnsOf(kind);
    store::exec(fx.db(), QStringLiteral("INSERT INTO %1 VALUES (?)").arg(c.category), {cat});
    for (const QString& s : subs)
        store::exec(fx.db(), QStringLiteral("INSERT INTO %1 VALUES (?, ?)").arg(c.subcategory), {cat, s});
}

qint64 record(const LedgerFixture& fx, Kind kind, const char* date, const QString& cat, const QString& sub,
              qint64 fen, const QString& account) {
    qint64 id = 0;
    const entries::EntryValues v{QDate::fromString(QString::fromLatin1(date), Qt::ISODate),
                                 cat,
                                 sub,
                                 Money::fromFen(fen),
                                 account,
                                 QString()};
    if (entries::recordEntry(fx.db(), kind, v, &id) != entries::Outcome::Done) qFatal("cannot record");
    return id;
}

// Today is 15 May 2026. Income ids 1..5, one expense (id 6).
void smallLedger(LedgerFixture& fx) {
    fx.insertAccount(cash, Money::fromFen(10000));
    fx.insertAccount(bank, Money());
    category(fx, Kind::Income, QStringLiteral("工资"), {QStringLiteral("基本工资"), QStringLiteral("奖金")});
    category(fx, Kind::Income, QStringLiteral("理财"), {QStringLiteral("利息")});
    category(fx, Kind::Expense, QStringLiteral("饮食"), {QStringLiteral("午餐")});
    const QString pay = QStringLiteral("工资"), base = QStringLiteral("基本工资");
    record(fx, Kind::Income, "2026-05-01", pay, base, 50000, cash);
    record(fx, Kind::Income, "2026-05-15", pay, QStringLiteral("奖金"), 10000, bank);
    record(fx, Kind::Income, "2026-05-15", QStringLiteral("理财"), QStringLiteral("利息"), 123, cash);
    record(fx, Kind::Income, "2026-04-30", pay, base, 50000, cash);
    record(fx, Kind::Income, "2026-05-16", pay, base, 700, cash);
    record(fx, Kind::Expense, "2026-05-10", QStringLiteral("饮食"), QStringLiteral("午餐"), 2000, cash);
}

QList<qint64> listedIds(const TEntryBrowser& w) {
    QList<qint64> out;
    const QSqlQueryModel* m = w.grid()->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->data(m->index(r, m->record().indexOf(QStringLiteral("id")))).toLongLong();
    return out;
}

qint64 currentId(const TEntryBrowser& w) {
    return w.grid()->currentRecord().value(QStringLiteral("id")).toLongLong();
}

} // namespace

class TstEntryWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listings_data() {
        QTest::addColumn<bool>("byDate");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("subcategory");
        QTest::addColumn<QList<qint64>>("ids");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("count");
        QTest::newRow("this month") << true << ""
                                    << "" << QList<qint64>{3, 2, 1} << "￥601.23"
                                    << "共计3条收入记录";
        QTest::newRow("month and Category") << true << "工资"
                                            << "" << QList<qint64>{2, 1} << "￥600.00"
                                            << "共计2条收入记录";
        QTest::newRow("month, Category and Subcategory") << true << "工资"
                                                         << "奖金" << QList<qint64>{2} << "￥100.00"
                                                         << "共计1条收入记录";
        QTest::newRow("Category") << false << "工资"
                                  << "" << QList<qint64>{5, 2, 1, 4} << "￥1107.00"
                                  << "共计4条收入记录";
        QTest::newRow("Category and Subcategory") << false << "工资"
                                                  << "基本工资" << QList<qint64>{5, 1, 4} << "￥1007.00"
                                                  << "共计3条收入记录";
        QTest::newRow("everything") << false << ""
                                    << "" << QList<qint64>{5, 3, 2, 1, 4} << "￥1108.23"
                                    << "共计5条收入记录";
    }
    void listings() {
        QFETCH(bool, byDate);
        QFETCH(QString, category);
        QFETCH(QString, subcategory);
        QFETCH(QList<qint64>, ids);
        QFETCH(QString, sum);
        QFETCH(QString, count);
        LedgerFixture fx;
        smallLedger(fx);
        Tsrfrm w;
        if (!byDate) child<QCheckBox>(w, "chk1")->click();
        if (!category.isEmpty()) {
            child<QComboBox>(w, "cbb1")->setCurrentText(category);
            child<QCheckBox>(w, "chk2")->click();
        }
        if (!subcategory.isEmpty()) {
            child<QComboBox>(w, "cbb2")->setCurrentText(subcategory);
            child<QCheckBox>(w, "chk3")->click();
        }
        QCOMPARE(listedIds(w), ids);
        QCOMPARE(currentId(w), ids.first());
        QCOMPARE(w.grid()->footerText(QStringLiteral("收入金额")), sum);
        QCOMPARE(w.grid()->footerText(QStringLiteral("备注")), count);
        QCOMPARE(w.grid()->footerText(QStringLiteral("日期")), QStringLiteral("合  计："));
    }

    void emptyRangesAndTheExpenseFooter() {
        LedgerFixture fx;
        smallLedger(fx);
        Tzcfrm w;
        QCOMPARE(w.windowTitle(), QStringLiteral("支出管理"));
        QCOMPARE(listedIds(w), QList<qint64>{6});
        QCOMPARE(w.grid()->footerText(QStringLiteral("支出金额")), QStringLiteral("￥20.00"));
        QCOMPARE(w.grid()->footerText(QStringLiteral("备注")), QStringLiteral("共计1条支出记录"));
        QCOMPARE(w.grid()->footerText(QStringLiteral("日期")), QStringLiteral("合   计："));
        child<QDateEdit>(w, "dtp1")->setDate(QDate(2026, 5, 20));
        QVERIFY(listedIds(w).isEmpty());
        QCOMPARE(w.grid()->footerText(QStringLiteral("支出金额")), QStringLiteral("￥0.00"));
        QCOMPARE(w.grid()->footerText(QStringLiteral("备注")), QStringLiteral("共计条支出记录"));
        // Both ends of the range count.
        child<QDateEdit>(w, "dtp1")->setDate(QDate(2026, 5, 10));
        child<QDateEdit>(w, "dtp2")->setDate(QDate(2026, 5, 10));
        QCOMPARE(listedIds(w), QList<qint64>{6});
    }

    void switchingTheCategoryOffReleasesTheSubcategory() {
        LedgerFixture fx;
        smallLedger(fx);
        Tsrfrm w;
        auto* chk2 = child<QCheckBox>(w, "chk2");
        auto* chk3 = child<QCheckBox>(w, "chk3");
        QVERIFY(!chk3->isEnabled());
        child<QCheckBox>(w, "chk1")->click();
        chk2->click();
        chk3->click();
        QCOMPARE(listedIds(w), (QList<qint64>{5, 1, 4}));
        chk2->click();
        QVERIFY(!chk3->isChecked());
        QVERIFY(!chk3->isEnabled() && !child<QComboBox>(w, "cbb2")->isEnabled());
        QCOMPARE(listedIds(w), (QList<qint64>{5, 3, 2, 1, 4}));
        // A Category without Subcategories lists nothing under the Subcategory switch.
        category(fx, Kind::Income, QStringLiteral("空"), {});
        Tsrfrm fresh;
        child<QCheckBox>(fresh, "chk2")->click();
        child<QComboBox>(fresh, "cbb1")->setCurrentText(QStringLiteral("空"));
        QCOMPARE(child<QComboBox>(fresh, "cbb2")->count(), 0);
        child<QCheckBox>(fresh, "chk3")->click();
        QVERIFY(listedIds(fresh).isEmpty());
    }

    void noCategories() {
        LedgerFixture fx;
        Tsrfrm w;
        auto* cbb1 = child<QComboBox>(w, "cbb1");
        QCOMPARE(cbb1->currentText(), QString());
        QCOMPARE(cbb1->placeholderText(), QStringLiteral("请先添加收入项目"));
        for (const char* name : {"cbb1", "cbb2", "chk1", "chk2", "chk3"})
            QVERIFY2(!child<QWidget>(w, name)->isEnabled(), name);
        QCOMPARE(w.grid()->model()->rowCount(), 0);
        child<QPushButton>(w, "btn1")->click();
        QCOMPARE(fx.dialogs.lastText(), QStringLiteral("还没有收入类别，请先去\"收入类别\"添加!"));
        child<QPushButton>(w, "btn2")->click();
        child<QPushButton>(w, "btn3")->click();
        QCOMPARE(fx.dialogs.texts().mid(1), QStringList(2, QStringLiteral("没有可操作记录！")));
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::Warning);
    }

    // After a correction the corrected entry is current again; when the filters no longer list it,
    // the first row is.
    void currentRowAfterCorrection() {
        LedgerFixture fx;
        smallLedger(fx);
        Tsrfrm w;
        w.seekEntry(1);
        QCOMPARE(currentId(w), 1);
        fx.dialogs.onModal = [](QDialog& d) {
            type(child<QLineEdit>(d, "edt1"), QStringLiteral("450"));
            child<QPushButton>(d, "btn1")->click();
            return d.result();
        };
        child<QPushButton>(w, "btn2")->click();
        QCOMPARE(fx.dialogs.lastText(), QStringLiteral("\n收入记录更新成功！\n"));
        QCOMPARE(currentId(w), 1);
        QCOMPARE(w.grid()->footerText(QStringLiteral("收入金额")), QStringLiteral("￥551.23"));
        QCOMPARE(fx.accountMoney(cash, QStringLiteral("余额")),
                 Money::fromFen(10000 + 45000 + 123 + 50000 + 700 - 2000));
        QVERIFY_LEDGER(fx);

        // Cancelled: the same entry stays current.
        fx.dialogs.onModal = {};
        QVERIFY(showActive(w));
        w.seekEntry(2);
        QTableView* view = w.grid()->view();
        const QPoint at = view->visualRect(view->currentIndex()).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(fx.dialogs.shown.last().kind, Shown::Modal);
        QCOMPARE(fx.dialogs.shown.last().title, QStringLiteral("修改收入记账"));
        QCOMPARE(currentId(w), 2);

        fx.dialogs.onModal = [](QDialog& d) {
            child<QDateEdit>(d, "dtp1")->setDate(QDate(2026, 3, 1));
            child<QPushButton>(d, "btn1")->click();
            return d.result();
        };
        w.seekEntry(1);
        child<QPushButton>(w, "btn2")->click();
        QCOMPARE(listedIds(w), (QList<qint64>{3, 2}));
        QCOMPARE(currentId(w), 3);
    }

    void deleting_data() {
        QTest::addColumn<bool>("income");
        QTest::addColumn<bool>("spent");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<int>("refreshes");
        QTest::newRow("income") << true << false << true << "" << true << 1;
        QTest::newRow("income cancelled") << true << false << false << "" << false << 1;
        QTest::newRow("income already spent")
            << true << true << true << "该笔资金已经被使用，结算账户余额不足！" << false << 0;
        QTest::newRow("expense") << false << false << true << "" << true << 1;
        QTest::newRow("expense cancelled") << false << false << false << "" << false << 0;
        QTest::newRow("expense on a spent account") << false << true << true << "" << true << 1;
    }
    void deleting() {
        QFETCH(bool, income);
        QFETCH(bool, spent);
        QFETCH(bool, confirm);
        QFETCH(QString, refusal);
        QFETCH(bool, deleted);
        QFETCH(int, refreshes);
        LedgerFixture fx;
        smallLedger(fx);
        if (spent)
            fx.moveAccount(cash, QStringLiteral("支出"), fx.accountMoney(cash, QStringLiteral("余额")));
        const qint64 id = income ? 1 : 6;
        std::unique_ptr<TEntryBrowser> w;
        if (income)
            w = std::make_unique<Tsrfrm>();
        else
            w = std::make_unique<Tzcfrm>();
        w->seekEntry(id);
        const Money before = fx.accountMoney(cash, QStringLiteral("余额"));
        RefreshCounter refresh;
        fx.dialogs.answers = {confirm};
        child<QPushButton>(*w, "btn3")->click();
        if (!refusal.isEmpty()) {
            QCOMPARE(fx.dialogs.texts(), QStringList{refusal});
        } else {
            QCOMPARE(fx.dialogs.shown.first().kind, Shown::Confirm);
            QCOMPARE(fx.dialogs.shown.first().title, QStringLiteral("删除记录"));
            QCOMPARE(fx.dialogs.shown.first().text, QStringLiteral("你确定要删除该记录？"));
            QCOMPARE(fx.dialogs.shown.first().icon, ui::Icon::Question);
        }
        QCOMPARE(listedIds(*w).contains(id), !deleted);
        const qint64 moved = income ? -50000 : 2000;
        QCOMPARE(fx.accountMoney(cash, QStringLiteral("余额")), before + Money::fromFen(deleted ? moved : 0));
        QCOMPARE(refresh.n, refreshes);
        QVERIFY_LEDGER(fx);
    }

    // Each refusal of the recording windows in its order, with its field emptied and focused.
    void recordingRefusals_data() {
        QTest::addColumn<bool>("income");
        QTest::addColumn<bool>("accounts");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("amountCleared");
        const QString incomeAmount = QStringLiteral("\"收入金额\"不能为空且必须为正的数字！");
        const QString expenseAmount = QStringLiteral("\"支出金额\"不能为空且必须为正的数字！");
        QTest::newRow("no accounts") << true << false << "空"
                                     << "x"
                                     << "还没有建立资金账户，请先去添加！" << false;
        QTest::newRow("income without Subcategory") << true << true << "空"
                                                    << "x"
                                                    << "请选择收入名称!" << false;
        QTest::newRow("expense without Subcategory") << false << true << "空"
                                                     << "x"
                                                     << "请选择支出名称" << false;
        QTest::newRow("income empty") << true << true << ""
                                      << "" << incomeAmount << true;
        QTest::newRow("income not a number") << true << true << ""
                                             << "12a" << incomeAmount << true;
        QTest::newRow("income zero") << true << true << ""
                                     << "0" << incomeAmount << true;
        QTest::newRow("income rounding to zero") << true << true << ""
                                                 << "0.004" << incomeAmount << true;
        QTest::newRow("income below zero") << true << true << ""
                                           << "-5" << incomeAmount << true;
        QTest::newRow("expense rounding to zero") << false << true << ""
                                                  << "0.004" << expenseAmount << true;
        QTest::newRow("expense above the balance") << false << true << ""
                                                   << "100.01"
                                                   << "结算账户余额不足！" << true;
    }
    void recordingRefusals() {
        QFETCH(bool, income);
        QFETCH(bool, accounts);
        QFETCH(QString, category);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        QFETCH(bool, amountCleared);
        LedgerFixture fx;
        const Kind kind = income ? Kind::Income : Kind::Expense;
        if (accounts) fx.insertAccount(cash, Money::fromFen(10000));
        ::category(fx, kind, QStringLiteral("甲"), {QStringLiteral("乙")});
        ::category(fx, kind, QStringLiteral("空"), {});
        std::unique_ptr<TEntryRecordWindow> w;
        if (income)
            w = std::make_unique<Taddsrfrm>();
        else
            w = std::make_unique<Taddzcfrm>();
        QVERIFY(showActive(*w));
        if (!category.isEmpty()) child<QListWidget>(*w, "lst1")->setCurrentRow(1);
        type(child<QLineEdit>(*w, "edt1"), amount);
        child<QPushButton>(*w, "btn1")->click();
        QCOMPARE(fx.dialogs.texts(), QStringList{message});
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::Warning);
        QCOMPARE(fx.dialogs.shown.last().title, QStringLiteral("云杉"));
        if (amountCleared) {
            QCOMPARE(child<QLineEdit>(*w, "edt1")->text(), QString());
            QCOMPARE(focusName(*w), QStringLiteral("edt1"));
        }
        QCOMPARE(fx.count(QStringLiteral("收支表")), 0);
        QVERIFY(w->isVisible());
    }

    // The expense window's balance follows each saved entry, and the next is measured against it.
    void recordingGoesOn() {
        LedgerFixture fx;
        fx.insertAccount(cash, Money::fromFen(10000));
        fx.insertAccount(bank, Money::fromFen(500));
        ::category(fx, Kind::Expense, QStringLiteral("饮食"),
                   {QStringLiteral("午餐"), QStringLiteral("晚餐")});
        int relisted = 0;
        Taddzcfrm w([&] { ++relisted; });
        QVERIFY(showActive(w));
        auto* lbl7 = child<QLabel>(w, "lbl7");
        QCOMPARE(lbl7->text(), QStringLiteral("100"));
        child<QListWidget>(w, "lst2")->setCurrentRow(1);
        type(child<QLineEdit>(w, "edt1"), QStringLiteral("29.995"));
        type(child<QLineEdit>(w, "edt2"), QStringLiteral(" 聚餐 "));
        fx.dialogs.answers = {true};
        child<QPushButton>(w, "btn1")->click();
        QCOMPARE(fx.dialogs.shown.last().title, QStringLiteral("支出记账成功"));
        QCOMPARE(fx.dialogs.shown.last().text, QStringLiteral("支出记账添加成功，是否继续添加支出记账？"));
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::Question);
        QVERIFY(w.isVisible() && w.result() == 0);
        QCOMPARE(lbl7->text(), QStringLiteral("70"));
        QCOMPARE(child<QLineEdit>(w, "edt1")->text(), QString());
        QCOMPARE(child<QLineEdit>(w, "edt2")->text(), QString());
        QCOMPARE(child<QListWidget>(w, "lst2")->currentItem()->text(), QStringLiteral("晚餐"));
        QCOMPARE(relisted, 1);
        QSqlQuery q = store::exec(fx.db(), QStringLiteral("SELECT 支出金额, 备注, 支出名称 FROM 收支表"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toLongLong(), 3000);
        QCOMPARE(q.value(1).toString(), QStringLiteral(" 聚餐 "));
        QCOMPARE(q.value(2).toString(), QStringLiteral("晚餐"));

        type(child<QLineEdit>(w, "edt1"), QStringLiteral("70.01"));
        child<QPushButton>(w, "btn1")->click();
        QCOMPARE(fx.dialogs.lastText(), QStringLiteral("结算账户余额不足！"));
        child<QComboBox>(w, "cbb3")->setCurrentText(bank);
        QCOMPARE(lbl7->text(), QStringLiteral("5"));
        child<QComboBox>(w, "cbb3")->setCurrentText(cash);
        type(child<QLineEdit>(w, "edt1"), QStringLiteral("70"));
        fx.dialogs.answers = {false};
        child<QPushButton>(w, "btn1")->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(fx.accountMoney(cash, QStringLiteral("余额")), Money());
        QCOMPARE(relisted, 2);
        QVERIFY_LEDGER(fx);
    }

    void incomeRemarkIsTrimmed() {
        LedgerFixture fx;
        fx.insertAccount(cash, Money());
        ::category(fx, Kind::Income, QStringLiteral("工资"), {QStringLiteral("奖金")});
        Taddsrfrm w;
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("lbl7")) == nullptr);
        type(child<QLineEdit>(w, "edt1"), QStringLiteral("12.344"));
        type(child<QLineEdit>(w, "edt2"), QStringLiteral(" 年终 "));
        fx.dialogs.answers = {false};
        child<QPushButton>(w, "btn1")->click();
        QCOMPARE(fx.dialogs.lastText(), QStringLiteral("收入记账添加成功，是否继续添加收入记账？"));
        QSqlQuery q = store::exec(fx.db(), QStringLiteral("SELECT 收入金额, 备注 FROM 收支表"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toLongLong(), 1234);
        QCOMPARE(q.value(1).toString(), QStringLiteral("年终"));
        QCOMPARE(fx.accountMoney(cash, QStringLiteral("收入")), Money::fromFen(1234));
    }

    void correctionWindowOffersTheOldValuesFirst() {
        LedgerFixture fx;
        smallLedger(fx);
        Tzcfrm browser;
        Tupdatezcfrm w(browser.grid()->currentRecord());
        QCOMPARE(w.windowTitle(), QStringLiteral("修改支出记账"));
        const auto items = [](QComboBox* c) {
            QStringList out;
            for (int i = 0; i < c->count(); ++i)
                out << c->itemText(i);
            return out;
        };
        QCOMPARE(items(child<QComboBox>(w, "cbb2")), (QStringList{"饮食", "饮食"}));
        QCOMPARE(items(child<QComboBox>(w, "cbb3")), (QStringList{"午餐", "午餐"}));
        QCOMPARE(items(child<QComboBox>(w, "cbb1")), (QStringList{"现金", "现金", "银行"}));
        QCOMPARE(child<QLineEdit>(w, "edt1")->text(), QStringLiteral("20"));
        QCOMPARE(child<QDateEdit>(w, "dtp1")->date(), QDate(2026, 5, 10));
        QCOMPARE(child<QLabel>(w, "lbl7")->text(), QStringLiteral("1088.23"));
        child<QComboBox>(w, "cbb1")->setCurrentIndex(2);
        QCOMPARE(child<QLabel>(w, "lbl7")->text(), QStringLiteral("100"));
    }

    // Income of 100 on an account holding 30; expense of 50 on one holding 20, the other account
    // holding 49.99. Each refusal: its text and icon, the amount field restored or not, the focus.
    void correctionRefusals_data() {
        QTest::addColumn<bool>("income");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("move");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("amountAfter");
        QTest::addColumn<bool>("focused");
        const int none = int(ui::Icon::None), warning = int(ui::Icon::Warning);
        QTest::newRow("income to 70") << true << "70" << false << "\n收入记录更新成功！\n"
                                      << none << "70" << false;
        QTest::newRow("income to 69.99")
            << true << "69.99" << false << "该笔收入已经被使用，结算账户余额不足!" << none << "100" << true;
        QTest::newRow("income moved")
            << true << "100" << true << "原账户该笔收入款已经被使用，结算账户余额不足！" << none << "100"
            << false;
        QTest::newRow("income to 0.004")
            << true << "0.004" << false << "\"收入金额\"不能为空且必须为正的数字！" << warning << "100"
            << true;
        QTest::newRow("expense to 70") << false << "70" << false << "\n支出记录更新成功！\n"
                                       << none << "70" << false;
        QTest::newRow("expense to 70.01")
            << false << "70.01" << false << "该结算账户余额不足！" << warning << "50" << false;
        QTest::newRow("expense moved")
            << false << "50" << true << "该结算账户余额不足！" << warning << "50" << false;
    }
    void correctionRefusals() {
        QFETCH(bool, income);
        QFETCH(QString, amount);
        QFETCH(bool, move);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QString, amountAfter);
        QFETCH(bool, focused);
        LedgerFixture fx;
        const Kind kind = income ? Kind::Income : Kind::Expense;
        fx.insertAccount(cash, Money::fromFen(income ? 0 : 7000));
        fx.insertAccount(bank, Money::fromFen(4999));
        ::category(fx, kind, QStringLiteral("甲"), {QStringLiteral("乙")});
        record(fx, kind, "2026-05-01", QStringLiteral("甲"), QStringLiteral("乙"), income ? 10000 : 5000,
               cash);
        if (income) fx.moveAccount(cash, QStringLiteral("支出"), Money::fromFen(7000));
        std::unique_ptr<TEntryBrowser> browser;
        if (income)
            browser = std::make_unique<Tsrfrm>();
        else
            browser = std::make_unique<Tzcfrm>();
        TEntryCorrectionWindow w(browser->twin(), browser->grid()->currentRecord(), nullptr);
        QVERIFY(showActive(w));
        child<QComboBox>(w, "cbb2")->setFocus();
        if (move) child<QComboBox>(w, "cbb1")->setCurrentText(bank);
        type(child<QLineEdit>(w, "edt1"), amount);
        child<QComboBox>(w, "cbb2")->setFocus();
        child<QPushButton>(w, "btn1")->click();
        QCOMPARE(fx.dialogs.texts(), QStringList{message});
        QCOMPARE(int(fx.dialogs.shown.last().icon), icon);
        QCOMPARE(child<QLineEdit>(w, "edt1")->text(), amountAfter);
        QCOMPARE(focusName(w) == QStringLiteral("edt1"), focused);
        QVERIFY_LEDGER(fx);
        const bool done = message.contains(QStringLiteral("成功"));
        QCOMPARE(w.result(), done ? int(QDialog::Accepted) : 0);
        if (done) QCOMPARE(fx.accountMoney(cash, QStringLiteral("余额")), Money());
    }
};

QTEST_MAIN(TstEntryWindows)
#include "tst_entry_windows.moc"
