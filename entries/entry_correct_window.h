// The correction windows Tupdatesrfrm "修改收入记账" and Tupdatezcfrm "修改支出记账": one
// implementation, the differences in the kind's descriptor. Each corrects the entry of a browser row.
#pragma once

#include "entries/entry_twins.h"

#include <QDialog>
#include <QSqlRecord>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

class TEntryCorrectionWindow : public QDialog {
    Q_OBJECT
public:
    // row: the browser's current row, the entry to correct.
    TEntryCorrectionWindow(const entries::EntryTwin& twin, const QSqlRecord& row, QWidget* owner);
    ~TEntryCorrectionWindow() override;

private:
    void buildForm();
    void FormCreate();
    void cbb2Change();
    void cbb1Change();
    void btn1Click();
    void lookUpBalance(const QString& account);

    const entries::EntryTwin& twin_;
    const QSqlRecord row_;
    qint64 id_ = 0;
    QString oldAccount_;
    store::Money oldAmount_;
    // The income window's: the old account's balance, taken once. The expense window's: the balance
    // of the chosen account, shown in lbl7.
    store::Money balance_;

    QLabel* note = nullptr;
    QComboBox* cbb2 = nullptr;
    QComboBox* cbb3 = nullptr;
    QDateEdit* dtp1 = nullptr;
    QLineEdit* edt1 = nullptr;
    QComboBox* cbb1 = nullptr;
    QLabel* lbl7 = nullptr;
    QLineEdit* remark = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;
};

class Tupdatesrfrm : public TEntryCorrectionWindow {
    Q_OBJECT
public:
    explicit Tupdatesrfrm(const QSqlRecord& row, QWidget* owner = nullptr)
        : TEntryCorrectionWindow(entries::incomeTwin(), row, owner) {}
};

class Tupdatezcfrm : public TEntryCorrectionWindow {
    Q_OBJECT
public:
    explicit Tupdatezcfrm(const QSqlRecord& row, QWidget* owner = nullptr)
        : TEntryCorrectionWindow(entries::expenseTwin(), row, owner) {}
};
