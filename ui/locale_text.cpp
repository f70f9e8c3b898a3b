// Date and time texts.
#include "ui/locale_text.h"

#include <QLocale>

namespace ui {

namespace {
bool systemIsChinese() {
    return QLocale::system().language() == QLocale::Chinese;
}
} // namespace

QString shortDateText(QDate d) {
    if (systemIsChinese()) return QLocale::system().toString(d, QLocale::ShortFormat);
    return d.toString(QStringLiteral("yyyy/M/d"));
}

QString shortDateFormat() {
    if (systemIsChinese()) return QLocale::system().dateFormat(QLocale::ShortFormat);
    return QStringLiteral("yyyy/M/d");
}

QString longTimeText(QTime t) {
    if (systemIsChinese()) {
        // Qt's long format carries a time zone, which a clock does not show.
        QString f = QLocale::system().timeFormat(QLocale::LongFormat);
        f.remove(QLatin1Char('t'));
        return QLocale::system().toString(t, f.simplified());
    }
    return t.toString(QStringLiteral("HH:mm:ss"));
}

QString weekdayText(QDate d) {
    static const char* const names[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    return QString::fromUtf8(names[d.dayOfWeek() % 7]);
}

} // namespace ui
