// The Caps Lock lamp: a green light (img1) while Caps Lock is on, a grey one (img2) while it is
// off, 113 × 24, one over the other. A 10 ms timer follows the keyboard; a click flips Caps Lock.
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace ui {

class CapsLockLamp : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 113;
    static constexpr int kHeight = 24;

    explicit CapsLockLamp(QWidget* parent = nullptr);

    QLabel* img1 = nullptr; // lit: Caps Lock on
    QLabel* img2 = nullptr; // dark: Caps Lock off
    // The indicator timer (10 ms), running from creation on.
    QTimer* timer() const { return tmr_; }

    // Reads the keyboard and shows the matching light (what every tick does).
    void tmrTimer();

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    QTimer* tmr_ = nullptr;
};

} // namespace ui
