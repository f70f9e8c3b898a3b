// The main window's account commands: add, edit and delete an account, and "账户存取" (transfer).
// Each shows its own refusals; a database error propagates as store::DbError, so callers connect
// them through ui::guarded.
#pragma once

class QWidget;
class QSqlRecord;

namespace accounts {

// "添    加": opens the add-account window above owner.
void addAccountCommand(QWidget* owner);

// "修    改": opens the edit-account window for current, the account grid's current row (an empty
// record when there are no accounts).
void editAccountCommand(QWidget* owner, const QSqlRecord& current);

// "删    除": deletes current after confirmation, while nothing is counted in its accumulators.
void deleteAccountCommand(const QSqlRecord& current);

// "账户存取": opens the transfer window above owner when there are at least two accounts.
void transferCommand(QWidget* owner);

} // namespace accounts
