// The classification windows TSRCLASSfrm "收入分类管理" and Tzcclassfrm "支出分类管理": one
// implementation, told apart by a descriptor that carries every difference between the two.
#pragma once

#include "entries/classification_ops.h"
#include "ui/dialogs.h"

#include <QDialog>
#include <QString>
#include <memory>

class QAction;
class QListWidget;
class QMenu;

namespace Ui {
class ClassificationForm;
}

namespace entries {

// What sets the income window apart from the expense window: its tables, its object name, and every
// text it shows. The message fields hold the whole text, trailing blanks and punctuation included.
struct ClassificationKind {
    ClassificationTables tables;
    QString objectName;
    QString caption;
    QString addCategoryButton;    // btn1
    QString addSubcategoryButton; // btn4

    // Adding a Category.
    QString addCategoryCaption;
    QString addCategoryPrompt;
    QString categoryTakenOnAdd;
    // Renaming a Category.
    QString noCategoryToRename;
    QString renameCategoryCaption;
    QString renameCategoryPrompt;
    QString categoryTakenOnRename;
    // Deleting a Category.
    QString noCategoryToDelete;
    QString categoryInUse;
    QString deleteCategoryTitle;
    QString deleteCategoryQuestion;
    // Adding a Subcategory.
    QString noCategoryForSubcategory;
    QString addSubcategoryCaption;
    QString addSubcategoryPrompt;
    QString subcategoryTakenOnAdd;
    // Renaming a Subcategory.
    QString noSubcategoryToRename;
    QString renameSubcategoryCaption;
    QString renameSubcategoryPrompt;
    QString subcategoryTakenOnRename;
    ui::Icon subcategoryTakenOnRenameIcon;
    // Deleting a Subcategory.
    QString noSubcategoryToDelete;
    QString subcategoryInUse;
    QString deleteSubcategoryTitle;
    QString deleteSubcategoryQuestion;
};

const ClassificationKind& incomeClassification();
const ClassificationKind& expenseClassification();

// The window both twins are.
class ClassificationWindow : public QDialog {
    Q_OBJECT
public:
    ClassificationWindow(const ClassificationKind& kind, QWidget* owner);
    ~ClassificationWindow() override;

private:
    void FormCreate();
    void lst1Click();
    void btn1Click();
    void btn2Click();
    void btn3Click();
    void btn4Click();
    void btn5Click();
    void btn6Click();
    void N1Click();

    // Clears lst1 and lists every Category; clears lst2 and lists the Category's Subcategories.
    void refillCategories();
    void refillSubcategories(const QString& category);
    // Selects a row of a list (nothing when the list is empty); the user's own clicks are the only
    // ones that show a Category's Subcategories.
    void selectRow(QListWidget* list, int row);
    // The selected row of a list, or -1.
    static int selectedRow(const QListWidget* list);
    // Asks in an input box; Cancel gives back the default text.
    QString ask(const QString& caption, const QString& prompt, const QString& value) const;

    const ClassificationKind& kind;
    std::unique_ptr<Ui::ClassificationForm> form;
    QMenu* pm2 = nullptr;
    QAction* N1 = nullptr;
    bool selecting = false;
};

// Opens the windows modally above owner, created afresh each time (the main window's commands
// 收入类别 and 支出类别).
void incomeClassificationCommand(QWidget* owner);
void expenseClassificationCommand(QWidget* owner);

} // namespace entries

// The twins under their own names.
class TSRCLASSfrm : public entries::ClassificationWindow {
    Q_OBJECT
public:
    explicit TSRCLASSfrm(QWidget* owner = nullptr);
};

class Tzcclassfrm : public entries::ClassificationWindow {
    Q_OBJECT
public:
    explicit Tzcclassfrm(QWidget* owner = nullptr);
};
