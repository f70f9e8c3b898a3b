// The Caps Lock lamp.
#include "ui/capslock_lamp.h"

#include "platform/keyboard.h"
#include "platform/services.h"
#include "ui/artwork.h"
#include "ui/guard.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace ui {

namespace {
QLabel* lampImage(QWidget* parent, const char* name, const QString& resource, const QString& accessible) {
    auto* img = new QLabel(parent);
    img->setObjectName(QLatin1String(name));
    img->setGeometry(0, 0, CapsLockLamp::kWidth, CapsLockLamp::kHeight);
    img->setPixmap(
        svgPixmap(resource, QSize(CapsLockLamp::kWidth, CapsLockLamp::kHeight), parent->devicePixelRatioF()));
    img->setAccessibleName(accessible);
    img->setToolTip(accessible);
    // The lamp takes the clicks: the picture under the cursor decides what a click does.
    img->setAttribute(Qt::WA_TransparentForMouseEvents);
    return img;
}
} // namespace

CapsLockLamp::CapsLockLamp(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::PointingHandCursor);
    img1 =
        lampImage(this, "img1", QStringLiteral(":/start/capslock_on.svg"), QStringLiteral("CapsLock 已打开"));
    img2 = lampImage(this, "img2", QStringLiteral(":/start/capslock_off.svg"),
                     QStringLiteral("CapsLock 已关闭"));
    tmr_ = new QTimer(this);
    tmr_->setInterval(10);
    connect(tmr_, &QTimer::timeout, this, guarded([this] { tmrTimer(); }));
    tmrTimer();
    tmr_->start();
}

void CapsLockLamp::tmrTimer() {
    const bool on = platform::keyboard().capsLockOn();
    img1->setVisible(on);
    img2->setVisible(!on);
}

void CapsLockLamp::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        // Either light sends one full stroke: grey turns Caps Lock on, green turns it off. The
        // next tick swaps the pictures.
        platform::keyboard().toggleCapsLock();
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

} // namespace ui
