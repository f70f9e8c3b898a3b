// Exact decimal parsing and formatting of money; no floating point anywhere.
#include "store/money.h"

#include <algorithm>

namespace store {

namespace {

// Whole yuan and fen of a non-negative amount, as text.
void split(qint64 fen, QString& whole, QString& cents) {
    const quint64 a = fen < 0 ? quint64(0) - quint64(fen) : quint64(fen);
    whole = QString::number(a / 100);
    cents = QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

QString Money::text() const {
    QString whole, cents;
    split(fen_, whole, cents);
    return (fen_ < 0 ? QStringLiteral("-") : QString()) + whole + QLatin1Char('.') + cents;
}

QString Money::generalText() const {
    QString whole, cents;
    split(fen_, whole, cents);
    while (cents.endsWith(QLatin1Char('0')))
        cents.chop(1);
    QString s = fen_ < 0 ? QStringLiteral("-") : QString();
    s += whole;
    if (!cents.isEmpty()) s += QLatin1Char('.') + cents;
    return s;
}

QString Money::format(QStringView pattern) const {
    // The number part is the first run of '#', '0', '.' and ','; the rest is literal text.
    const auto isPlace = [](QChar c) { return c == u'#' || c == u'0' || c == u'.'; };
    qsizetype start = 0;
    while (start < pattern.size() && !isPlace(pattern[start]))
        ++start;
    qsizetype end = start;
    while (end < pattern.size() && isPlace(pattern[end]))
        ++end;
    const QStringView number = pattern.mid(start, end - start);
    const qsizetype point = number.indexOf(u'.');
    const QStringView intPart = point < 0 ? number : number.left(point);
    const QStringView fracPart = point < 0 ? QStringView() : number.mid(point + 1);
    const qsizetype required = fracPart.lastIndexOf(u'0') + 1; // '0' places always show
    const qsizetype places = std::min<qsizetype>(fracPart.size(), 2);

    // Round half away from zero to the shown places (fen have two).
    quint64 a = fen_ < 0 ? quint64(0) - quint64(fen_) : quint64(fen_);
    if (places < 2) {
        const quint64 unit = places == 1 ? 10 : 100;
        a = (a + unit / 2) / unit * unit;
    }
    QString whole = QString::number(a / 100);
    QString cents = QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0')).left(places);
    while (cents.size() > required && cents.endsWith(QLatin1Char('0')))
        cents.chop(1);
    if (whole == QLatin1String("0") && !intPart.contains(u'0')) whole.clear();
    QString digits = whole;
    if (!cents.isEmpty()) digits += QLatin1Char('.') + cents;
    const bool negative = fen_ < 0 && a != 0;
    QString out = pattern.left(start).toString();
    if (negative && !digits.isEmpty()) out += QLatin1Char('-');
    out += digits;
    out += pattern.mid(end);
    return out;
}

AmountParse parseAmount(QStringView text) {
    AmountParse out;
    qsizetype i = 0, n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    while (n > i && text[n - 1].isSpace())
        --n;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

    // value = digits * 10^exp10, digits without leading zeros
    QString digits;
    qint64 exp10 = 0;
    bool anyDigit = false;
    for (; i < n && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        anyDigit = true;
        if (!digits.isEmpty() || text[i] != u'0') digits += text[i];
    }
    if (i < n && text[i] == u'.') {
        ++i;
        for (; i < n && text[i].isDigit() && text[i].unicode() < 128; ++i) {
            anyDigit = true;
            if (!digits.isEmpty() || text[i] != u'0') digits += text[i];
            --exp10;
        }
    }
    if (!anyDigit) return out;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) expNegative = text[i++] == u'-';
        if (i >= n || !(text[i].isDigit() && text[i].unicode() < 128)) return out;
        qint64 e = 0;
        for (; i < n && text[i].isDigit() && text[i].unicode() < 128; ++i)
            e = std::min<qint64>(e * 10 + (text[i].unicode() - u'0'), 1'000'000'000);
        exp10 += expNegative ? -e : e;
    }
    if (i != n) return out;

    while (digits.endsWith(QLatin1Char('0'))) { // trailing zeros only shift the exponent
        digits.chop(1);
        ++exp10;
    }
    out.status = AmountStatus::Ok;
    if (digits.isEmpty()) return out; // zero
    out.negative = negative;

    // Digits before the fen point: digits.size() + exp10 + 2.
    const qint64 kept = qint64(digits.size()) + exp10 + 2;
    constexpr qint64 maxKept = 18; // 10^18 fen still fits a qint64
    if (kept > maxKept) {
        out.status = AmountStatus::OverLimit;
        return out;
    }
    qint64 fen = 0;
    bool roundUp = false, moreDigits = false;
    if (kept >= digits.size()) {
        fen = digits.toLongLong();
        for (qint64 k = digits.size(); k < kept; ++k)
            fen *= 10;
    } else {
        if (kept > 0) fen = digits.left(kept).toLongLong();
        if (kept >= 0) {
            roundUp = digits[kept] >= u'5';
            moreDigits = true;
        } // kept < 0: the value is below a thousandth of a fen and rounds to 0
        else
            moreDigits = true;
    }
    // The limit bounds both signs: a value beyond it has no amount the ledger could hold.
    if (fen > Money::limit().fen() || (fen == Money::limit().fen() && moreDigits)) {
        out.status = AmountStatus::OverLimit;
        return out;
    }
    if (roundUp) ++fen;
    // Trailing zeros are gone, so digits beyond the fen are never all zero.
    if (moreDigits) out.beyondFen = (roundUp ? -1 : 1) * (negative ? -1 : 1);
    out.value = Money::fromFen(negative ? -fen : fen);
    return out;
}

} // namespace store
