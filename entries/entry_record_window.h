// The recording windows Taddsrfrm "收入登记" and Taddzcfrm "支出登记": one implementation, the
// differences in the kind's descriptor. Each records entries one after another until the user stops.
#pragma once

#include "entries/entry_twins.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TEntryRecordWindow : public QDialog {
    Q_OBJECT
public:
    // relistOwner re-lists the browser that opened the window after each saved entry.
    TEntryRecordWindow(const entries::EntryTwin& twin, std::function<void()> relistOwner, QWidget* owner);
    ~TEntryRecordWindow() override;

private:
    void buildForm();
    void FormCreate();
    void lst1Click();
    void cbb3Change();
    void btn1Click();
    void showBalance();

    const entries::EntryTwin& twin_;
    std::function<void()> relistOwner_;
    // The balance the expense window shows and measures against.
    store::Money balance_;

    QLabel* note = nullptr;
    QLabel* lbl2 = nullptr;
    QListWidget* lst1 = nullptr;
    QLabel* lbl3 = nullptr;
    QListWidget* lst2 = nullptr;
    QDateEdit* dtp1 = nullptr;
    QLineEdit* edt1 = nullptr;
    QComboBox* cbb3 = nullptr;
    QLabel* lbl7 = nullptr;
    QLineEdit* edt2 = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;
};

class Taddsrfrm : public TEntryRecordWindow {
    Q_OBJECT
public:
    explicit Taddsrfrm(std::function<void()> relistOwner = {}, QWidget* owner = nullptr)
        : TEntryRecordWindow(entries::incomeTwin(), std::move(relistOwner), owner) {}
};

class Taddzcfrm : public TEntryRecordWindow {
    Q_OBJECT
public:
    explicit Taddzcfrm(std::function<void()> relistOwner = {}, QWidget* owner = nullptr)
        : TEntryRecordWindow(entries::expenseTwin(), std::move(relistOwner), owner) {}
};
