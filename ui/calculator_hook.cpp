// The calculator hook of amount edits.
#include "ui/calculator_hook.h"

#include "platform/calculator.h"
#include "platform/services.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>

namespace ui {

namespace {

// Watches one amount edit: a double-click starts a calculator; the focus moving on to another
// control of the same window closes one. A focus loss because our window was deactivated (the user
// clicked into the calculator) or because a popup opened closes nothing.
class EditWatcher : public QObject {
public:
    explicit EditWatcher(QLineEdit* edit) : QObject(edit), edit_(edit) {}

    bool eventFilter(QObject* o, QEvent* e) override {
        if (o != edit_) return false;
        if (e->type() == QEvent::MouseButtonDblClick) {
            platform::calculator().start();
        } else if (e->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(e)->reason();
            const QWidget* next = QApplication::focusWidget();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && next &&
                next != edit_ && next->window() == edit_->window())
                platform::calculator().closeOne();
        }
        return false;
    }

private:
    QPointer<QLineEdit> edit_;
};

// Watches the window that holds amount edits: closing (hiding) it closes one calculator.
class WindowWatcher : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == parent() && e->type() == QEvent::Hide && !e->spontaneous())
            platform::calculator().closeOne();
        return false;
    }
};

const char* const kWatched = "yunshan_calculator_watched";

} // namespace

const char* calculatorHint() {
    return "亲！~需要计算器吗？请双击！";
}

void attachCalculator(QLineEdit* edit) {
    edit->setToolTip(QString::fromUtf8(calculatorHint()));
    edit->installEventFilter(new EditWatcher(edit));
    QWidget* window = edit->window();
    if (window && !window->property(kWatched).toBool()) {
        window->setProperty(kWatched, true);
        window->installEventFilter(new WindowWatcher(window));
    }
}

} // namespace ui
