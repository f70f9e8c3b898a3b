// The classification windows driven as a user would: the boxes each step shows on either twin, the
// selection the lists keep after each step, the dashboard refresh of the delete buttons, and the
// main window's commands that open them.
#include "entries/classification_ops.h"
#include "entries/classification_window.h"
#include "reports/main_window.h"
#include "store/db.h"
#include "support/fixture.h"
#include "ui/dashboard.h"

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using entries::ClassificationTables;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Counts dashboard refresh triggers while it lives.
struct RefreshCounter {
    int n = 0;
    RefreshCounter() {
        ui::setDashboardRefresh([this] { ++n; });
    }
    ~RefreshCounter() { ui::setDashboardRefresh({}); }
};

const ClassificationTables& tablesOf(bool income) {
    return income ? entries::incomeTables() : entries::expenseTables();
}

std::unique_ptr<QDialog> openWindow(bool income) {
    if (income) return std::make_unique<TSRCLASSfrm>();
    return std::make_unique<Tzcclassfrm>();
}

QListWidget* list(QWidget& w, const char* name) {
    return w.findChild<QListWidget*>(QString::fromLatin1(name));
}

void click(QWidget& w, const char* name) {
    QTest::mouseClick(w.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

// A mouse click on a row of a list, as the user makes it.
void clickRow(QListWidget* l, int row) {
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
}

// A double-click as a mouse makes it: the first click, then the second as a double-click.
void doubleClickRow(QListWidget* l, int row) {
    const QPoint at = l->visualItemRect(l->item(row)).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
}

QStringList items(const QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

int selected(const QListWidget* l) {
    const QList<QListWidgetItem*> sel = l->selectedItems();
    return sel.isEmpty() ? -1 : l->row(sel.first());
}

// A list as the user sees it: its items, the selected one in brackets.
QString shown(const QListWidget* l) {
    QStringList out = items(l);
    if (const int row = selected(l); row >= 0) out[row] = QLatin1Char('[') + out[row] + QLatin1Char(']');
    return out.join(QLatin1Char(' '));
}

QString describe(const Shown& box) {
    static const char* const kinds[] = {"message", "confirm", "question", "input", "modal"};
    static const char* const icons[] = {"none", "warning", "question", "information", "error"};
    // An input box shows its default text where the others show their icon.
    return QStringLiteral("%1|%2|%3|%4")
        .arg(QString::fromLatin1(kinds[box.kind]), box.title, box.text,
             box.kind == Shown::Input ? QStringLiteral("default=") + box.value
                                      : QString::fromLatin1(icons[static_cast<int>(box.icon)]));
}

QStringList described(const QList<Shown>& boxes) {
    QStringList out;
    for (const Shown& b : boxes)
        out << describe(b);
    return out;
}

// Both sides classified alike: 甲 holds 子 and 丑, 乙 holds 子 and 寅; one entry names 甲/子.
void build(const LedgerFixture& fx, const ClassificationTables& t) {
    for (const char* c : {"甲", "乙"})
        QVERIFY(entries::addCategory(fx.db(), t, s(c)) == entries::ClassOutcome::Done);
    for (const auto& [c, sub] : {std::pair{"甲", "子"}, {"甲", "丑"}, {"乙", "子"}, {"乙", "寅"}})
        QVERIFY(entries::addSubcategory(fx.db(), t, s(c), s(sub)) == entries::ClassOutcome::Done);
    const QString kind = t.category.left(2);
    store::exec(fx.db(),
                QStringLiteral("INSERT INTO 收支表 (日期, 收支类别, %1, %2, %3金额, 结算账户) "
                               "VALUES ('2026-05-01', ?, '甲', '子', 100, '现金')")
                    .arg(t.category, t.subcategory, kind),
                {kind});
}

// Both classification tables of a side, every row.
QStringList snapshot(const LedgerFixture& fx, const ClassificationTables& t) {
    QStringList out = entries::categories(fx.db(), t);
    QSqlQuery q = store::exec(
        fx.db(), QStringLiteral("SELECT %1, %2 FROM %2 ORDER BY rowid").arg(t.category, t.subcategory));
    while (q.next())
        out << q.value(0).toString() + QLatin1Char('/') + q.value(1).toString();
    return out;
}

} // namespace

class TestClassificationWindow : public QObject {
    Q_OBJECT

private slots:
    // What each refused or abandoned step shows, on either twin: the input box it asks with, the
    // refusal or confirmation, and nothing written. The delete buttons refresh the dashboard each time.
    void stepsThatWriteNothing_data() {
        QTest::addColumn<bool>("income");
        QTest::addColumn<bool>("empty");   // no classification at all
        QTest::addColumn<int>("category"); // the lst1 row to move to first, or -1
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("answer"); // typed into the input box; a null text cancels it
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("refreshes");

        const auto warning = [](const char* text) {
            return QStringLiteral("message|云杉|%1|warning").arg(s(text));
        };
        const auto input = [](const char* caption, const char* prompt, const char* value = "") {
            return QStringLiteral("input|%1|%2|default=%3").arg(s(caption), s(prompt), s(value));
        };
        const auto confirm = [](const char* title, const char* text) {
            return QStringLiteral("confirm|%1|%2|question").arg(s(title), s(text));
        };
        const QString none;

        // Income.
        QTest::newRow("income add taken") << true << false << -1 << "btn1" << s(" 乙 ")
                                          << QStringList{input("添加收入项目", "请输入\"收入项目\"：      "),
                                                         warning("该\"收入项目\"已存在，请重新输入！")}
                                          << 0;
        QTest::newRow("income rename none") << true << true << -1 << "btn2" << none
                                            << QStringList{warning("请选择要修改的\"收入项目\"！")} << 0;
        QTest::newRow("income rename padded")
            << true << false << -1 << "btn2" << s("甲  ")
            << QStringList{input("修改收入项目", "请输入新的\"收入项目\"：      ", "甲"),
                           warning("该\"收入项目\"已存在，请重新输入！")}
            << 0;
        QTest::newRow("income rename cancelled")
            << true << false << -1 << "btn2" << none
            << QStringList{input("修改收入项目", "请输入新的\"收入项目\"：      ", "甲")} << 0;
        QTest::newRow("income delete none") << true << true << -1 << "btn3" << none
                                            << QStringList{warning("请选择要删除的\"收入项目\"")} << 1;
        QTest::newRow("income delete in use")
            << true << false << -1 << "btn3" << none
            << QStringList{warning("该\"收入项目\"下面有收入记录，不能删除！")} << 1;
        QTest::newRow("income delete cancelled")
            << true << false << 1 << "btn3" << none
            << QStringList{confirm("删除收入项目",
                                   "你确定要删除该\"收入项目\"及其所包含的所有\"收入名称\"？")}
            << 1;
        QTest::newRow("income add sub none")
            << true << true << -1 << "btn4" << none << QStringList{warning("请先选择\"收入项目\"")} << 0;
        QTest::newRow("income add sub taken")
            << true << false << -1 << "btn4" << s("丑")
            << QStringList{input("添加收入名称", "请输入\"收入名称\"：      "),
                           warning("同一\"收入项目\"下不能有相同的\"收入名称\"！")}
            << 0;
        QTest::newRow("income rename sub none") << true << true << -1 << "btn5" << none
                                                << QStringList{warning("请选择要修改的\"收入名称\"！")} << 0;
        QTest::newRow("income rename sub taken elsewhere")
            << true << false << -1 << "btn5" << s("寅")
            << QStringList{input("修改收入名称", "请输入新的\"收入名称\"：      ", "子"),
                           s("message|云杉|同一\"收入项目\"下不能有相同的\"收入名称\"！|none")}
            << 0;
        QTest::newRow("income delete sub none") << true << true << -1 << "btn6" << none
                                                << QStringList{warning("请选择要删除的\"收入名称\"！")} << 1;
        QTest::newRow("income delete sub in use")
            << true << false << -1 << "btn6" << none
            << QStringList{warning("该\"收入名称\"下面有收入记录，不能删除！")} << 1;
        QTest::newRow("income delete sub cancelled")
            << true << false << 1 << "btn6" << none
            << QStringList{confirm("删除收入名称", "你确定要删除该\"收入名称\"？")} << 1;

        // Expense.
        QTest::newRow("expense add taken")
            << false << false << -1 << "btn1" << s(" 乙 ")
            << QStringList{input("添加支出项目", "请输入\"支出项目\"：        "),
                           warning("该\"支出项目\"已存在，请重新输入!")}
            << 0;
        QTest::newRow("expense rename none") << false << true << -1 << "btn2" << none
                                             << QStringList{warning("请选择要修改的\"支出项目\"！")} << 0;
        QTest::newRow("expense rename padded")
            << false << false << -1 << "btn2" << s("甲  ")
            << QStringList{input("修改支出项目", "请输入新的\"支出项目\"：       ", "甲"),
                           warning("该\"支出项目\"已存在，请重新输入！")}
            << 0;
        QTest::newRow("expense rename cancelled")
            << false << false << -1 << "btn2" << none
            << QStringList{input("修改支出项目", "请输入新的\"支出项目\"：       ", "甲")} << 0;
        QTest::newRow("expense delete none") << false << true << -1 << "btn3" << none
                                             << QStringList{warning("请选择要删除的\"支出项目\"！    ")} << 1;
        QTest::newRow("expense delete in use")
            << false << false << -1 << "btn3" << none
            << QStringList{warning("该\"支出项目\"下面有支出记录，不能删除！")} << 1;
        QTest::newRow("expense delete cancelled")
            << false << false << 1 << "btn3" << none
            << QStringList{confirm("删除支出项目", "你确定要删除该\"支出项目\"及其包含的所以\"支出名称\"？")}
            << 1;
        QTest::newRow("expense add sub none")
            << false << true << -1 << "btn4" << none << QStringList{warning("请先选择\"支出项目\"！")} << 0;
        QTest::newRow("expense add sub taken")
            << false << false << -1 << "btn4" << s("丑")
            << QStringList{input("添加支出名称", "请输入\"支出名称\"：      "),
                           warning("同一\"支出项目\"下不能有相同的\"支出名称\"！")}
            << 0;
        QTest::newRow("expense rename sub none") << false << true << -1 << "btn5" << none
                                                 << QStringList{warning("请选择要修改的\"支出名称\"！")} << 0;
        QTest::newRow("expense rename sub taken elsewhere")
            << false << false << -1 << "btn5" << s("寅")
            << QStringList{input("修改支出名称", "请输入新的\"支出名称\"：      ", "子"),
                           warning("同一\"支出项目\"下不能有相同的\"支出名称\"！")}
            << 0;
        QTest::newRow("expense delete sub none") << false << true << -1 << "btn6" << none
                                                 << QStringList{warning("请选择要删除的\"支出名称\"!")} << 1;
        QTest::newRow("expense delete sub in use")
            << false << false << -1 << "btn6" << none
            << QStringList{warning("该\"支出名称\"下面有支出记录，不能删除！")} << 1;
        QTest::newRow("expense delete sub cancelled")
            << false << false << 1 << "btn6" << none
            << QStringList{confirm("删除支出名称", "你确定要删除该\"支出名称\"？")} << 1;
    }
    void stepsThatWriteNothing() {
        QFETCH(bool, income);
        QFETCH(bool, empty);
        QFETCH(int, category);
        QFETCH(QString, button);
        QFETCH(QString, answer);
        QFETCH(QStringList, boxes);
        QFETCH(int, refreshes);
        LedgerFixture fx;
        const ClassificationTables& t = tablesOf(income);
        if (!empty) build(fx, t);
        const QStringList before = snapshot(fx, t);
        if (!answer.isNull()) fx.dialogs.inputs << answer;
        fx.dialogs.defaultAnswer = false;
        RefreshCounter refresh;

        const std::unique_ptr<QDialog> w = openWindow(income);
        if (category >= 0) list(*w, "lst1")->setCurrentRow(category);
        click(*w, button.toLatin1().constData());

        QCOMPARE(described(fx.dialogs.shown), boxes);
        QCOMPARE(snapshot(fx, t), before);
        QCOMPARE(refresh.n, refreshes);
    }

    // A classification built, renamed and pruned in one window, with the lists' selection after
    // every step: an add selects the newcomer, a rename keeps the position, a delete selects the last.
    void selectionFollowsEachStep_data() {
        QTest::addColumn<bool>("income");
        QTest::newRow("income") << true;
        QTest::newRow("expense") << false;
    }
    void selectionFollowsEachStep() {
        QFETCH(bool, income);
        LedgerFixture fx;
        const ClassificationTables& t = tablesOf(income);
        RefreshCounter refresh;
        const std::unique_ptr<QDialog> w = openWindow(income);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QListWidget* lst1 = list(*w, "lst1");
        QListWidget* lst2 = list(*w, "lst2");
        QCOMPARE(shown(lst1), QString());
        QCOMPARE(shown(lst2), QString());
        const auto step = [&](const char* button, std::initializer_list<const char*> answers) {
            for (const char* a : answers)
                fx.dialogs.inputs << s(a);
            click(*w, button);
        };

        step("btn1", {"  甲 "});
        step("btn1", {"乙"});
        QCOMPARE(shown(lst1), s("甲 [乙]"));
        step("btn4", {"子"});
        step("btn4", {" 寅"});
        QCOMPARE(shown(lst2), s("子 [寅]"));
        // A refused add still selects the last Category and leaves its Subcategories unlisted,
        // until the user clicks it.
        step("btn1", {"甲"});
        QCOMPARE(fx.dialogs.shown.last().kind, Shown::Message);
        QCOMPARE(shown(lst1), s("甲 [乙]"));
        QCOMPARE(shown(lst2), QString());
        clickRow(lst1, 1);
        QCOMPARE(shown(lst2), s("[子] 寅"));
        clickRow(lst1, 0);
        QCOMPARE(shown(lst2), QString());
        // Moving with the keys shows the Subcategories as a click does.
        QTest::keyClick(lst1, Qt::Key_Down);
        QCOMPARE(shown(lst2), s("[子] 寅"));
        QTest::keyClick(lst1, Qt::Key_Up);
        QCOMPARE(shown(lst2), QString());
        step("btn4", {"子"});
        step("btn1", {"丁"});
        clickRow(lst1, 2);
        for (const char* sub : {"辰", "巳", "午"})
            step("btn4", {sub});
        QCOMPARE(shown(lst1), s("甲 乙 [丁]"));
        QCOMPARE(shown(lst2), s("辰 巳 [午]"));

        // Renaming the first Category keeps it first and selected; its Subcategories stay listed.
        clickRow(lst1, 0);
        step("btn2", {"丙"});
        QCOMPARE(shown(lst1), s("[丙] 乙 丁"));
        QCOMPARE(shown(lst2), s("[子]"));
        // Renaming 子 under 丙 renames it under 乙 too.
        step("btn5", {"卯"});
        QCOMPARE(shown(lst2), s("[卯]"));
        QCOMPARE(entries::subcategories(fx.db(), t, s("乙")), (QStringList{s("卯"), s("寅")}));

        // Deleting 丙 (no entries) takes its Subcategory; the last Category is then selected and
        // its Subcategories listed.
        fx.dialogs.clear();
        click(*w, "btn3");
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(shown(lst1), s("乙 [丁]"));
        QCOMPARE(shown(lst2), s("[辰] 巳 午"));
        QCOMPARE(fx.count(t.subcategory), 5);

        // Deleting 辰 selects the last Subcategory; renaming it keeps its position.
        click(*w, "btn6");
        QCOMPARE(shown(lst2), s("巳 [午]"));
        step("btn5", {"未"});
        QCOMPARE(shown(lst2), s("巳 [未]"));
        QCOMPARE(refresh.n, 2);
        QCOMPARE(snapshot(fx, t),
                 (QStringList{s("乙"), s("丁"), s("乙/卯"), s("乙/寅"), s("丁/巳"), s("丁/未")}));

        // A double-click renames, on either list.
        doubleClickRow(lst2, 0);
        QCOMPARE(fx.dialogs.shown.last().title, income ? s("修改收入名称") : s("修改支出名称"));
        doubleClickRow(lst1, 0);
        QCOMPARE(fx.dialogs.shown.last().title, income ? s("修改收入项目") : s("修改支出项目"));
    }

    // The window opens on the first Category with its Subcategories, and its renames reach the
    // entries through the ledger's relations.
    void opensOnFirstCategoryAndRenamesReachEntries() {
        LedgerFixture fx;
        build(fx, entries::incomeTables());
        fx.dialogs.inputs << s("薪") << s("工");
        TSRCLASSfrm w;
        QCOMPARE(w.windowTitle(), s("收入分类管理"));
        QCOMPARE(shown(list(w, "lst1")), s("[甲] 乙"));
        QCOMPARE(shown(list(w, "lst2")), s("[子] 丑"));
        click(w, "btn5");
        click(w, "btn2");
        QCOMPARE(store::scalar(fx.db(), QStringLiteral("SELECT 收入项目 || '/' || 收入名称 FROM 收支表"))
                     .toString(),
                 s("工/薪"));
    }

    // A statement the database rejects ends the step in the general error report: nothing is
    // written, the lists stay as they were, and a delete button still refreshes the dashboard.
    void databaseErrorChangesNothing() {
        LedgerFixture fx;
        build(fx, entries::expenseTables());
        store::exec(fx.db(), QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE DELETE ON 支出项目 "
                                            "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
        RefreshCounter refresh;
        Tzcclassfrm w;
        list(w, "lst1")->setCurrentRow(1);
        click(w, "btn3");
        QCOMPARE(fx.dialogs.shown.last().icon, ui::Icon::Error);
        QVERIFY(fx.dialogs.lastText().contains(QStringLiteral("disk I/O error")));
        QCOMPARE(refresh.n, 1);
        QCOMPARE(shown(list(w, "lst1")), s("甲 [乙]"));
        QCOMPARE(shown(list(w, "lst2")), s("[子] 寅"));
        QCOMPARE(entries::categories(fx.db(), entries::expenseTables()), (QStringList{s("甲"), s("乙")}));
        QCOMPARE(fx.count(QStringLiteral("支出名称")), 4);
    }

    void mainWindowOpensEachWindowFresh() {
        LedgerFixture fx;
        build(fx, entries::expenseTables());
        Tzjzkfrm main;
        QStringList seen;
        fx.dialogs.onModal = [&](QDialog& d) {
            seen << d.objectName() + QLatin1Char(':') + shown(list(d, "lst1"));
            if (d.parentWidget() != &main) seen << QStringLiteral("not owned by the main window");
            return 0;
        };
        main.act7->trigger();
        main.act8->trigger();
        QVERIFY(entries::addCategory(fx.db(), entries::expenseTables(), s("丙")) ==
                entries::ClassOutcome::Done);
        main.btn9->click();
        QCOMPARE(seen, (QStringList{s("SRCLASSfrm:"), s("zcclassfrm:[甲] 乙"), s("zcclassfrm:[甲] 乙 丙")}));
    }

    void contextMenuClosesTheWindow() {
        LedgerFixture fx;
        Tzcclassfrm w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* N1 = w.findChild<QAction*>(QStringLiteral("N1"));
        QCOMPARE(N1->text(), s("关闭窗口"));
        QCOMPARE(w.contextMenuPolicy(), Qt::CustomContextMenu);
        N1->trigger();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestClassificationWindow)
#include "tst_classification_window.moc"
