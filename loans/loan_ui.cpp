// Shared pieces of the loan windows.
#include "loans/loan_ui.h"

#include "store/db.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/dashboard.h"

#include <QDateEdit>
#include <QLocale>

namespace loans {

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    const QLocale system = QLocale::system();
    setDisplayFormat(system.language() == QLocale::Chinese ? system.dateFormat(QLocale::ShortFormat)
                                                           : QStringLiteral("yyyy/M/d"));
    setCalendarPopup(true);
}

bool DatePicker::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

QString rowMoneyText(const QSqlRecord& row, const QString& column) {
    const QVariant v = row.value(column);
    if (!v.isValid() || v.isNull()) return QString();
    return store::moneyOf(v).text();
}

store::Money rowMoney(const QSqlRecord& row, const QString& column) {
    return store::moneyOf(row.value(column));
}

bool hasRow(const QSqlRecord& row) {
    return !row.value(QStringLiteral("id")).toString().isEmpty();
}

void refreshAfterChange(Kind kind) {
    relist(*store::dmod1, kind);
    store::requery(*store::dmod1);
    ui::triggerDashboardRefresh();
}

void reportGone(Kind kind, const QString& what) {
    relist(*store::dmod1, kind);
    store::requery(*store::dmod1);
    throw store::DbError(QStringLiteral("%1已不存在。").arg(what));
}

} // namespace loans
