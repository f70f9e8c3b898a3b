// The calculator hook of amount edits: a hint, a double-click starts a calculator, leaving the edit
// for another control of its window (or closing the window) closes one that we started.
#pragma once

class QLineEdit;

namespace ui {

// The hint every amount edit carries.
const char* calculatorHint();

// Gives an amount edit the hint and the calculator behaviour.
void attachCalculator(QLineEdit* edit);

} // namespace ui
