// libFuzzer target: the amount reading and the texts money is shown as. Any input must be read
// without a crash or undefined behaviour; an accepted amount lies within the limit, and every
// text the program shows an amount as reads back to the same amount.
#include "store/money.h"

#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using store::AmountStatus;
using store::Money;

namespace {

[[noreturn]] void fail(const char* what, const QString& text, Money m) {
    std::fprintf(stderr, "%s: text \"%s\", amount %lld fen\n", what, qPrintable(text),
                 static_cast<long long>(m.fen()));
    std::abort();
}

void readsBack(const QString& text, Money m, const char* what) {
    const store::AmountParse p = store::parseAmount(text);
    if (!p.ok() || p.value != m) fail(what, text, m);
}

void roundTrip(Money m) {
    readsBack(m.text(), m, "money text does not read back");
    readsBack(m.generalText(), m, "general text does not read back");
    if (m.format(u"0.00") != m.text()) fail("0.00 differs from the money text", m.format(u"0.00"), m);
    if (m.format(u"￥0.00") != QStringLiteral("￥") + m.text())
        fail("￥0.00 lost its sign", m.format(u"￥0.00"), m);
    // "#.##" shows zero as nothing; every other amount reads back.
    const QString hashes = m.format(u"#.##");
    if (m.isZero() && !hashes.isEmpty()) fail("#.## shows a zero", hashes, m);
    if (!m.isZero()) readsBack(hashes, m, "#.## does not read back");
    (void)m.format(u"0.0");
    (void)m.format(u"0");
    (void)m.format(u"共计#个资金账户");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const store::AmountParse p = store::parseAmount(text);
    if (p.ok()) {
        if (p.value > Money::limit() || p.value < -Money::limit())
            fail("accepted beyond the limit", text, p.value);
        if (p.value.fen() > 0 && p.negative) fail("a positive amount marked negative", text, p.value);
        if (p.value.fen() < 0 && !p.negative) fail("a negative amount not marked", text, p.value);
        roundTrip(p.value);
    } else if (p.status == AmountStatus::OverLimit && p.value.fen() != 0) {
        fail("a refused amount carries a value", text, p.value);
    }

    // The same bytes as an amount in fen, anywhere within the limit on either side.
    if (size >= sizeof(std::int64_t)) {
        std::int64_t raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        const std::int64_t span = Money::limit().fen() + 1;
        roundTrip(Money::fromFen(raw % span));
    }
    return 0;
}
