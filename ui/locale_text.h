// Dates and times as the program shows them: the system's formats when it is Chinese, otherwise
// the zh_CN ones.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace ui {

// Short date: 2026/5/15 (zh_CN).
QString shortDateText(QDate d);
// The short date's pattern, for date pickers: yyyy/M/d (zh_CN).
QString shortDateFormat();
// Long time without a time zone: 09:41:26 (zh_CN).
QString longTimeText(QTime t);
// 星期日 … 星期六.
QString weekdayText(QDate d);

} // namespace ui
