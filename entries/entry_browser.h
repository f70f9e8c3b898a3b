// The income and expense browsers Tsrfrm "收入管理" and Tzcfrm "支出管理": one implementation,
// the differences in the kind's descriptor. They list, filter and total the entries of one kind and
// open the recording and correction windows.
#pragma once

#include "entries/entry_twins.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace ui {
class FooterGrid;
}
namespace entries {
class EntryListModel;
}

class TEntryBrowser : public QDialog {
    Q_OBJECT
public:
    TEntryBrowser(const entries::EntryTwin& twin, QWidget* owner);
    ~TEntryBrowser() override;

    const entries::EntryTwin& twin() const { return twin_; }
    // Re-lists with the current filters; the first row becomes the current one.
    void dtp2Change();
    // Makes the listed entry with this id the current row; the first row when it is not listed.
    void seekEntry(qint64 id);
    ui::FooterGrid* grid() const { return dbgrdh; }

private:
    void buildForm();
    void FormCreate();
    void cbb1Change();
    void chk2Click();
    void btn1Click();
    void btn2Click();
    void btn3Click();
    entries::ListFilter filter() const;

    const entries::EntryTwin& twin_;
    bool creating_ = true;

    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;
    QPushButton* btn3 = nullptr;
    QGroupBox* grp1 = nullptr;
    QLabel* lbl1 = nullptr;
    QGroupBox* grp2 = nullptr;
    QCheckBox* chk1 = nullptr;
    QDateEdit* dtp1 = nullptr;
    QDateEdit* dtp2 = nullptr;
    QGroupBox* grp3 = nullptr;
    QCheckBox* chk2 = nullptr;
    QComboBox* cbb1 = nullptr;
    QGroupBox* grp4 = nullptr;
    QCheckBox* chk3 = nullptr;
    QComboBox* cbb2 = nullptr;
    ui::FooterGrid* dbgrdh = nullptr;
    entries::EntryListModel* list_ = nullptr;
    QMenu* pm1 = nullptr;
    QMenu* pm2 = nullptr;
};

// The income browser.
class Tsrfrm : public TEntryBrowser {
    Q_OBJECT
public:
    explicit Tsrfrm(QWidget* owner = nullptr) : TEntryBrowser(entries::incomeTwin(), owner) {}
};

// The expense browser.
class Tzcfrm : public TEntryBrowser {
    Q_OBJECT
public:
    explicit Tzcfrm(QWidget* owner = nullptr) : TEntryBrowser(entries::expenseTwin(), owner) {}
};
