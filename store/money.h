// Money: an exact amount in fen (hundredths of a yuan), and the texts the ledger shows it as.
#pragma once

#include <QString>
#include <QStringView>
#include <compare>

namespace store {

class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromFen(qint64 fen) { return Money(fen); }

    constexpr qint64 fen() const { return fen_; }
    constexpr bool isZero() const { return fen_ == 0; }

    // The largest amount the amount check lets through: 9999999999999.99.
    static constexpr Money limit() { return Money(999'999'999'999'999); }

    // Two decimals, "." as point, no grouping, "-" when negative: 3 -> "3.00".
    QString text() const;
    // Shortest decimal form: no trailing zeros, no point for whole amounts: 12.5, 100, 0.
    QString generalText() const;
    // A display pattern of '#' and '0' digit places with literal text around it, as grids use:
    // "#.##" (12.5, nothing for 0, .5), "0.00" (always two decimals), "￥0.00".
    QString format(QStringView pattern) const;

    constexpr Money operator+(Money o) const { return Money(fen_ + o.fen_); }
    constexpr Money operator-(Money o) const { return Money(fen_ - o.fen_); }
    constexpr Money operator-() const { return Money(-fen_); }
    Money& operator+=(Money o) {
        fen_ += o.fen_;
        return *this;
    }
    Money& operator-=(Money o) {
        fen_ -= o.fen_;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 fen) : fen_(fen) {}
    qint64 fen_ = 0;
};

// The outcome of reading typed text as an amount.
enum class AmountStatus {
    NotNumber, // not a decimal number at all (empty, letters, "12,5")
    OverLimit, // a number beyond Money::limit() on either side of zero
    Ok,        // a number at most the limit; its value, rounded to fen, is in AmountParse::value
};

struct AmountParse {
    AmountStatus status = AmountStatus::NotNumber;
    Money value;
    // The exact number is below zero, even where it rounds to 0.00 (-0.001); set for OverLimit too.
    bool negative = false;
    // The sign of what the rounding dropped (exact number minus value): 100.004 gives +1, 100.005
    // gives -1, 100.00 gives 0.
    int beyondFen = 0;
    bool ok() const { return status == AmountStatus::Ok; }
    // Compares the number as typed, before rounding, with an amount: some checks judge the typed
    // number (100.004 is more than 100.00) rather than the amount it is stored as.
    std::strong_ordering exactCompare(Money m) const {
        if (value != m) return value <=> m;
        return beyondFen <=> 0;
    }
};

// Reads a decimal number: blanks around it, an optional sign, digits with an optional fraction
// and an optional exponent (1e3). The exact decimal value is rounded half away from zero to fen
// (2.675 -> 2.68). The sign is not judged here: callers refuse zero or negatives themselves.
// A number beyond the limit is OverLimit whatever its sign, so no caller can take a value that
// the ledger cannot hold for an amount.
AmountParse parseAmount(QStringView text);

} // namespace store
