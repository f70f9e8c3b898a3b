// The standard window style.
#include "ui/window_style.h"

#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace ui {

namespace {
// Fixes the size and centres the window at its first show; later shows keep the user's placement.
class StyleFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            auto* w = static_cast<QWidget*>(o);
            if (!w->property("yunshan_fixed").toBool()) {
                w->setProperty("yunshan_fixed", true);
                if (w->layout())
                    w->layout()->setSizeConstraint(QLayout::SetFixedSize);
                else
                    w->setFixedSize(w->size());
                centreOnScreen(w);
            }
        }
        return false;
    }
};
} // namespace

QFont programFont(int pointSize) {
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"),
                   QStringLiteral("Noto Sans CJK SC")});
    f.setPointSize(pointSize);
    return f;
}

void applyStandardStyle(QWidget* window) {
    Qt::WindowFlags flags = window->windowFlags();
    flags &= ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowMinMaxButtonsHint |
               Qt::WindowContextHelpButtonHint);
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    window->setWindowFlags(flags);
    window->setFont(programFont(10));
    window->installEventFilter(new StyleFilter(window));
}

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace ui
