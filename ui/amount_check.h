// The amount check every amount edit goes through.
#pragma once

#include "store/money.h"

#include <QString>
#include <optional>

namespace ui {

// The limit message's text (three lines, each pair separated by an empty line).
QString amountLimitMessage();

// Reads typed text as an amount. Not a number: nothing, silently. Above 9999999999999.99: the
// limit message (titled with the application title, no icon), then nothing. Below
// -9999999999999.99: nothing, silently (the caller's refusal of a negative amount is the one shown).
// Otherwise the amount rounded to fen; zero and negatives pass, callers judge the sign.
std::optional<store::Money> amountCheck(const QString& text);

} // namespace ui
