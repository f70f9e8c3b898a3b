// What sets the income windows apart from their expense twins: one descriptor per kind, read by
// the browser, the recording window and the correction window alike.
#pragma once

#include "entries/entry_ops.h"
#include "ui/dialogs.h"

#include <QColor>
#include <QString>

namespace entries {

struct EntryTwin {
    Kind kind;

    // Browser.
    QString browserClass; // Tsrfrm / Tzcfrm
    QString browserName;  // srfrm / zcfrm
    QString browserCaption;
    QString recordButton; // btn1
    QString correctButton;
    QString deleteButton;
    QString instructions; // lbl1
    QString totalText;    // footer of 日期
    QColor sumColor;      // footer of the amount
    int remarkWidth;
    QString countFormat; // footer of 备注
    QString noCategoryPlaceholder;
    QString noCategoryMessage;
    // A deleted income may already have been spent; an expense given back only raises a balance.
    bool deleteChecksBalance;
    // Whether the dashboard refresh follows a cancelled delete too.
    bool refreshAfterCancelledDelete;

    // Recording and correction windows.
    QString recordClass; // Taddsrfrm / Taddzcfrm
    QString recordName;
    QString recordCaption;
    QString correctClass; // Tupdatesrfrm / Tupdatezcfrm
    QString correctName;
    QString correctCaption;
    QString note;             // the rounding note
    QString categoryLabel;    // lbl2
    QString subcategoryLabel; // lbl3
    QString amountLabel;      // lbl4
    QString recordNoSubcategory;
    QString correctNoSubcategory;
    QString amountRefusal;
    // The expense windows show the chosen account's balance and measure against it; the income
    // correction measures against the old account's balance, taken once.
    bool showsBalance;
    bool trimsRecordedRemark;
    QString recordedTitle;
    QString recordedQuestion;
    QString movedRefusal; // the account changes and the balance does not allow it
    QString keptRefusal;  // the account stays and the balance does not allow it
    ui::Icon balanceRefusalIcon;
    bool movedRefusalRestoresAmount;
    bool keptRefusalFocusesAmount;
    QString correctedText;
    // Income re-queries the accounts before the dashboard refresh, expense after it.
    bool requeryBeforeRefresh;
    // Object names that differ: the recording window's note label, the correction's remark field.
    QString recordNoteName;
    QString correctRemarkName;
};

const EntryTwin& incomeTwin();
const EntryTwin& expenseTwin();

} // namespace entries
