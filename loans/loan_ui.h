// Small pieces every loan window shares: the date picker's format, the money texts of a list row
// and what follows every change of a loan.
#pragma once

#include "loans/loan_ops.h"

#include <QDateEdit>
#include <QSqlRecord>
#include <QString>

namespace loans {

// A date picker in the program's short date format with a calendar drop-down. Tab leaves it, as it
// leaves every other control, instead of stepping through its year, month and day.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

protected:
    bool focusNextPrevChild(bool next) override;
};

// A column of a list row as money text ("100.00"), an empty text when the row has none.
QString rowMoneyText(const QSqlRecord& row, const QString& column);
// A column of a list row as an amount (0 when the row has none).
store::Money rowMoney(const QSqlRecord& row, const QString& column);
// Whether the list had a current row (its id is not empty).
bool hasRow(const QSqlRecord& row);

// After a change: the side's list re-read, the account list re-queried, the dashboard refresh
// triggered.
void refreshAfterChange(Kind kind);

// A loan or account that vanished between reading and writing cannot be shown as a refusal of the
// window: it reaches the general error report, after the lists are re-read.
[[noreturn]] void reportGone(Kind kind, const QString& what);

} // namespace loans
