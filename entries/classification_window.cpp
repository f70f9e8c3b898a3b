// The classification window both twins share, and the two descriptors.
#include "entries/classification_window.h"

#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/dashboard.h"
#include "ui/guard.h"
#include "ui/window_style.h"
#include "ui_classification_window.h"

#include <QMenu>

namespace entries {

namespace {

// The delete buttons refresh the dashboard whatever happens, a database error included.
struct RefreshOnExit {
    RefreshOnExit() = default;
    RefreshOnExit(const RefreshOnExit&) = delete;
    RefreshOnExit& operator=(const RefreshOnExit&) = delete;
    ~RefreshOnExit() { ui::triggerDashboardRefresh(); }
};

QSqlDatabase ledger() {
    return store::dmod1->con1();
}

} // namespace

const ClassificationKind& incomeClassification() {
    static const ClassificationKind k{
        .tables = incomeTables(),
        .objectName = QStringLiteral("SRCLASSfrm"),
        .caption = QStringLiteral("收入分类管理"),
        .addCategoryButton = QStringLiteral("添加收入项目(大类别)"),
        .addSubcategoryButton = QStringLiteral("添加收入名称(小类别)"),
        .addCategoryCaption = QStringLiteral("添加收入项目"),
        .addCategoryPrompt = QStringLiteral("请输入\"收入项目\"：      "),
        .categoryTakenOnAdd = QStringLiteral("该\"收入项目\"已存在，请重新输入！"),
        .noCategoryToRename = QStringLiteral("请选择要修改的\"收入项目\"！"),
        .renameCategoryCaption = QStringLiteral("修改收入项目"),
        .renameCategoryPrompt = QStringLiteral("请输入新的\"收入项目\"：      "),
        .categoryTakenOnRename = QStringLiteral("该\"收入项目\"已存在，请重新输入！"),
        .noCategoryToDelete = QStringLiteral("请选择要删除的\"收入项目\""),
        .categoryInUse = QStringLiteral("该\"收入项目\"下面有收入记录，不能删除！"),
        .deleteCategoryTitle = QStringLiteral("删除收入项目"),
        .deleteCategoryQuestion = QStringLiteral("你确定要删除该\"收入项目\"及其所包含的所有\"收入名称\"？"),
        .noCategoryForSubcategory = QStringLiteral("请先选择\"收入项目\""),
        .addSubcategoryCaption = QStringLiteral("添加收入名称"),
        .addSubcategoryPrompt = QStringLiteral("请输入\"收入名称\"：      "),
        .subcategoryTakenOnAdd = QStringLiteral("同一\"收入项目\"下不能有相同的\"收入名称\"！"),
        .noSubcategoryToRename = QStringLiteral("请选择要修改的\"收入名称\"！"),
        .renameSubcategoryCaption = QStringLiteral("修改收入名称"),
        .renameSubcategoryPrompt = QStringLiteral("请输入新的\"收入名称\"：      "),
        .subcategoryTakenOnRename = QStringLiteral("同一\"收入项目\"下不能有相同的\"收入名称\"！"),
        .subcategoryTakenOnRenameIcon = ui::Icon::None,
        .noSubcategoryToDelete = QStringLiteral("请选择要删除的\"收入名称\"！"),
        .subcategoryInUse = QStringLiteral("该\"收入名称\"下面有收入记录，不能删除！"),
        .deleteSubcategoryTitle = QStringLiteral("删除收入名称"),
        .deleteSubcategoryQuestion = QStringLiteral("你确定要删除该\"收入名称\"？"),
    };
    return k;
}

const ClassificationKind& expenseClassification() {
    static const ClassificationKind k{
        .tables = expenseTables(),
        .objectName = QStringLiteral("zcclassfrm"),
        .caption = QStringLiteral("支出分类管理"),
        .addCategoryButton = QStringLiteral("添加支出项目(大类别)"),
        .addSubcategoryButton = QStringLiteral("添加支出名称(小类别)"),
        .addCategoryCaption = QStringLiteral("添加支出项目"),
        .addCategoryPrompt = QStringLiteral("请输入\"支出项目\"：        "),
        .categoryTakenOnAdd = QStringLiteral("该\"支出项目\"已存在，请重新输入!"),
        .noCategoryToRename = QStringLiteral("请选择要修改的\"支出项目\"！"),
        .renameCategoryCaption = QStringLiteral("修改支出项目"),
        .renameCategoryPrompt = QStringLiteral("请输入新的\"支出项目\"：       "),
        .categoryTakenOnRename = QStringLiteral("该\"支出项目\"已存在，请重新输入！"),
        .noCategoryToDelete = QStringLiteral("请选择要删除的\"支出项目\"！    "),
        .categoryInUse = QStringLiteral("该\"支出项目\"下面有支出记录，不能删除！"),
        .deleteCategoryTitle = QStringLiteral("删除支出项目"),
        .deleteCategoryQuestion = QStringLiteral("你确定要删除该\"支出项目\"及其包含的所以\"支出名称\"？"),
        .noCategoryForSubcategory = QStringLiteral("请先选择\"支出项目\"！"),
        .addSubcategoryCaption = QStringLiteral("添加支出名称"),
        .addSubcategoryPrompt = QStringLiteral("请输入\"支出名称\"：      "),
        .subcategoryTakenOnAdd = QStringLiteral("同一\"支出项目\"下不能有相同的\"支出名称\"！"),
        .noSubcategoryToRename = QStringLiteral("请选择要修改的\"支出名称\"！"),
        .renameSubcategoryCaption = QStringLiteral("修改支出名称"),
        .renameSubcategoryPrompt = QStringLiteral("请输入新的\"支出名称\"：      "),
        .subcategoryTakenOnRename = QStringLiteral("同一\"支出项目\"下不能有相同的\"支出名称\"！"),
        .subcategoryTakenOnRenameIcon = ui::Icon::Warning,
        .noSubcategoryToDelete = QStringLiteral("请选择要删除的\"支出名称\"!"),
        .subcategoryInUse = QStringLiteral("该\"支出名称\"下面有支出记录，不能删除！"),
        .deleteSubcategoryTitle = QStringLiteral("删除支出名称"),
        .deleteSubcategoryQuestion = QStringLiteral("你确定要删除该\"支出名称\"？"),
    };
    return k;
}

ClassificationWindow::ClassificationWindow(const ClassificationKind& kind, QWidget* owner)
    : QDialog(owner), kind(kind), form(std::make_unique<Ui::ClassificationForm>()) {
    form->setupUi(this);
    setObjectName(kind.objectName);
    setWindowTitle(kind.caption);
    form->btn1->setText(kind.addCategoryButton);
    form->btn4->setText(kind.addSubcategoryButton);
    // The lists carry no caption of their own; a screen reader names them after what they hold.
    form->lst1->setAccessibleName(kind.tables.category);
    form->lst2->setAccessibleName(kind.tables.subcategory);
    ui::applyStandardStyle(this);

    pm2 = new QMenu(this);
    pm2->setObjectName(QStringLiteral("pm2"));
    N1 = pm2->addAction(QStringLiteral("关闭窗口"));
    N1->setObjectName(QStringLiteral("N1"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            ui::guarded([this](const QPoint& at) { pm2->popup(mapToGlobal(at)); }));
    connect(N1, &QAction::triggered, this, ui::guarded([this] { N1Click(); }));

    // A click on the selected Category shows its Subcategories again (after an add cleared them);
    // a move by the keys shows the new one's.
    connect(form->lst1, &QListWidget::itemClicked, this, ui::guarded([this] { lst1Click(); }));
    connect(form->lst1, &QListWidget::currentRowChanged, this, ui::guarded([this] {
                if (!selecting) lst1Click();
            }));
    connect(form->lst1, &QListWidget::itemDoubleClicked, this, ui::guarded([this] { btn2Click(); }));
    connect(form->lst2, &QListWidget::itemDoubleClicked, this, ui::guarded([this] { btn5Click(); }));
    connect(form->btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(form->btn2, &QPushButton::clicked, this, ui::guarded([this] { btn2Click(); }));
    connect(form->btn3, &QPushButton::clicked, this, ui::guarded([this] { btn3Click(); }));
    connect(form->btn4, &QPushButton::clicked, this, ui::guarded([this] { btn4Click(); }));
    connect(form->btn5, &QPushButton::clicked, this, ui::guarded([this] { btn5Click(); }));
    connect(form->btn6, &QPushButton::clicked, this, ui::guarded([this] { btn6Click(); }));
    FormCreate();
}

ClassificationWindow::~ClassificationWindow() = default;

void ClassificationWindow::FormCreate() {
    refillCategories();
    if (form->lst1->count() == 0) return;
    selectRow(form->lst1, 0);
    refillSubcategories(form->lst1->item(0)->text());
    selectRow(form->lst2, 0);
}

void ClassificationWindow::lst1Click() {
    const int row = selectedRow(form->lst1);
    if (row < 0) {
        form->lst2->clear();
        return;
    }
    refillSubcategories(form->lst1->item(row)->text());
    selectRow(form->lst2, 0);
}

void ClassificationWindow::btn1Click() {
    const QString name = store::trimmedText(ask(kind.addCategoryCaption, kind.addCategoryPrompt, QString()));
    if (name.isEmpty()) return;
    if (addCategory(ledger(), kind.tables, name) == ClassOutcome::Duplicate)
        ui::warn(kind.categoryTakenOnAdd);
    refillCategories();
    selectRow(form->lst1, form->lst1->count() - 1);
    form->lst2->clear();
}

void ClassificationWindow::btn2Click() {
    const int row = selectedRow(form->lst1);
    if (row < 0) return ui::warn(kind.noCategoryToRename);
    const QString oldName = form->lst1->item(row)->text();
    const QString answer = ask(kind.renameCategoryCaption, kind.renameCategoryPrompt, oldName);
    const QString name = store::trimmedText(answer);
    // The old name padded with blanks goes on, and is refused as taken.
    if (name.isEmpty() || answer == oldName) return;
    if (renameCategory(ledger(), kind.tables, oldName, name) == ClassOutcome::Duplicate)
        ui::warn(kind.categoryTakenOnRename);
    refillCategories();
    selectRow(form->lst1, row);
}

void ClassificationWindow::btn3Click() {
    const RefreshOnExit refresh;
    const int row = selectedRow(form->lst1);
    if (row < 0) return ui::warn(kind.noCategoryToDelete);
    const QString name = form->lst1->item(row)->text();
    if (categoryInUse(ledger(), kind.tables, name)) return ui::warn(kind.categoryInUse);
    if (!ui::dialogs().confirm(kind.deleteCategoryTitle, kind.deleteCategoryQuestion, ui::Icon::Question))
        return;
    if (deleteCategory(ledger(), kind.tables, name) == ClassOutcome::InUse)
        return ui::warn(kind.categoryInUse);
    refillCategories();
    selectRow(form->lst1, form->lst1->count() - 1);
    form->lst2->clear();
    const int selected = selectedRow(form->lst1);
    if (selected < 0) return;
    refillSubcategories(form->lst1->item(selected)->text());
    selectRow(form->lst2, 0);
}

void ClassificationWindow::btn4Click() {
    const int row = selectedRow(form->lst1);
    if (row < 0) return ui::warn(kind.noCategoryForSubcategory);
    const QString category = form->lst1->item(row)->text();
    const QString name =
        store::trimmedText(ask(kind.addSubcategoryCaption, kind.addSubcategoryPrompt, QString()));
    if (name.isEmpty()) return;
    if (addSubcategory(ledger(), kind.tables, category, name) == ClassOutcome::Duplicate)
        ui::warn(kind.subcategoryTakenOnAdd);
    refillSubcategories(category);
    selectRow(form->lst2, form->lst2->count() - 1);
}

void ClassificationWindow::btn5Click() {
    const int row = selectedRow(form->lst2);
    if (row < 0) return ui::warn(kind.noSubcategoryToRename);
    const QString oldName = form->lst2->item(row)->text();
    const int categoryRow = selectedRow(form->lst1);
    const QString category = categoryRow < 0 ? QString() : form->lst1->item(categoryRow)->text();
    const QString answer = ask(kind.renameSubcategoryCaption, kind.renameSubcategoryPrompt, oldName);
    const QString name = store::trimmedText(answer);
    if (name.isEmpty() || answer == oldName) return;
    if (renameSubcategory(ledger(), kind.tables, oldName, name) == ClassOutcome::Duplicate)
        ui::dialogs().message(ui::ownTitle(), kind.subcategoryTakenOnRename,
                              kind.subcategoryTakenOnRenameIcon);
    refillSubcategories(category);
    selectRow(form->lst2, row);
}

void ClassificationWindow::btn6Click() {
    const RefreshOnExit refresh;
    const int row = selectedRow(form->lst2);
    if (row < 0) return ui::warn(kind.noSubcategoryToDelete);
    const QString name = form->lst2->item(row)->text();
    const int categoryRow = selectedRow(form->lst1);
    const QString category = categoryRow < 0 ? QString() : form->lst1->item(categoryRow)->text();
    if (subcategoryInUse(ledger(), kind.tables, category, name)) return ui::warn(kind.subcategoryInUse);
    if (!ui::dialogs().confirm(kind.deleteSubcategoryTitle, kind.deleteSubcategoryQuestion,
                               ui::Icon::Question))
        return;
    if (deleteSubcategory(ledger(), kind.tables, category, name) == ClassOutcome::InUse)
        return ui::warn(kind.subcategoryInUse);
    refillSubcategories(category);
    selectRow(form->lst2, form->lst2->count() - 1);
}

void ClassificationWindow::N1Click() {
    close();
}

void ClassificationWindow::refillCategories() {
    const QStringList names = categories(ledger(), kind.tables);
    selecting = true;
    form->lst1->clear();
    form->lst1->addItems(names);
    selecting = false;
}

void ClassificationWindow::refillSubcategories(const QString& category) {
    const QStringList names = subcategories(ledger(), kind.tables, category);
    form->lst2->clear();
    form->lst2->addItems(names);
}

void ClassificationWindow::selectRow(QListWidget* list, int row) {
    selecting = true;
    list->setCurrentRow(row >= 0 && row < list->count() ? row : -1);
    selecting = false;
}

int ClassificationWindow::selectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

QString ClassificationWindow::ask(const QString& caption, const QString& prompt, const QString& value) const {
    return ui::dialogs().input(caption, prompt, value).value_or(value);
}

void incomeClassificationCommand(QWidget* owner) {
    TSRCLASSfrm SRCLASSfrm(owner);
    ui::dialogs().runModal(SRCLASSfrm);
}

void expenseClassificationCommand(QWidget* owner) {
    Tzcclassfrm zcclassfrm(owner);
    ui::dialogs().runModal(zcclassfrm);
}

} // namespace entries

TSRCLASSfrm::TSRCLASSfrm(QWidget* owner) : ClassificationWindow(entries::incomeClassification(), owner) {}

Tzcclassfrm::Tzcclassfrm(QWidget* owner) : ClassificationWindow(entries::expenseClassification(), owner) {}
