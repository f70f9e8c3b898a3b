// The calculator hook of amount edits.
#include "ui/calculator_hook.h"

#include <QLineEdit>

namespace ui {

const char* calculatorHint() {
    return "亲！~需要计算器吗？请双击！";
}

void attachCalculator(QLineEdit* edit) {
    edit->setToolTip(QString::fromUtf8(calculatorHint()));
}

} // namespace ui
