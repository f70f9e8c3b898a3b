// The toolkit's platform-facing widgets: the calculator hook of amount edits (with a stand-in
// calculator program) and the Caps Lock lamp (with a keyboard double).
#include "platform/calculator.h"
#include "platform/keyboard.h"
#include "platform/services.h"
#include "ui/calculator_hook.h"
#include "ui/capslock_lamp.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {
class FakeKeyboard : public platform::Keyboard {
public:
    bool on = false;
    int strokes = 0;
    bool capsLockOn() const override { return on; }
    void toggleCapsLock() override {
        on = !on;
        ++strokes;
    }
};

QStringList lines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A window with an amount edit (edt1) and another control (edt2).
struct AmountWindow {
    QDialog w;
    QLineEdit* edt1 = new QLineEdit(&w);
    QLineEdit* edt2 = new QLineEdit(&w);
    AmountWindow() {
        auto* lay = new QVBoxLayout(&w);
        lay->addWidget(edt1);
        lay->addWidget(edt2);
        ui::attachCalculator(edt1);
        w.show();
        QApplication::setActiveWindow(&w);
        edt1->setFocus();
    }
};
} // namespace

class TstToolkit : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString program_;
    QString started() const { return dir_.filePath(QStringLiteral("started")); }
    QString closed() const { return dir_.filePath(QStringLiteral("closed")); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // The stand-in calculator notes its start and its close request, then runs until asked to close
        // (or for half a minute, so that a failed test leaves nothing behind).
        program_ = dir_.filePath(QStringLiteral("calculator"));
        QFile f(program_);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\n"
                               "trap 'echo $$ >> \"%2\"; exit 0' TERM\n"
                               "echo $$ >> \"%1\"\n"
                               "i=0; while [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n")
                    .arg(started(), closed())
                    .toLocal8Bit());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void init() {
        QFile::remove(started());
        QFile::remove(closed());
    }

    void calculatorHook() {
        platform::DesktopCalculator calc({QStringLiteral("no-such-calculator-here"), program_});
        platform::setCalculator(&calc);
        {
            AmountWindow a;
            QCOMPARE(a.edt1->toolTip(), QStringLiteral("亲！~需要计算器吗？请双击！"));
            QTest::mouseDClick(a.edt1, Qt::LeftButton);
            QTest::mouseDClick(a.edt1, Qt::LeftButton);
            QTRY_COMPARE(lines(started()).size(), 2);
            QCOMPARE(calc.running().size(), 2);

            // Another control of the window takes the focus: the latest calculator closes.
            a.edt2->setFocus();
            QTRY_COMPARE(lines(closed()), QStringList{lines(started()).at(1)});
            QTRY_COMPARE(calc.running().size(), 1);

            // Leaving a control without the hook closes nothing; neither does our window losing the
            // activation (the user clicks into the calculator).
            a.edt1->setFocus();
            QWidget other;
            other.show();
            QApplication::setActiveWindow(&other);
            QTRY_VERIFY(!a.edt1->hasFocus());
            QApplication::setActiveWindow(&a.w);
            QTRY_VERIFY(a.edt1->hasFocus());
            QCOMPARE(calc.running().size(), 1);

            // Closing the window closes one.
            a.w.close();
            QTRY_COMPARE(lines(closed()).size(), 2);
            QCOMPARE(calc.running().size(), 0);
        }
        while (!calc.running().isEmpty())
            calc.closeOne();
        platform::setCalculator(nullptr);
    }

    void noCalculatorInstalled() {
        platform::DesktopCalculator calc(
            {QStringLiteral("no-such-calculator-here"), QStringLiteral("/nonexistent/calc")});
        QVERIFY(calc.program().isEmpty());
        platform::setCalculator(&calc);
        {
            AmountWindow a;
            QTest::mouseDClick(a.edt1, Qt::LeftButton);
            a.edt2->setFocus();
            a.w.close();
        }
        QVERIFY(calc.running().isEmpty());
        platform::setCalculator(nullptr);
    }

    void capsLockLamp() {
        FakeKeyboard kb;
        platform::setKeyboard(&kb);
        {
            ui::CapsLockLamp lamp;
            lamp.show();
            QCOMPARE(lamp.size(), QSize(113, 24));
            QVERIFY(lamp.timer()->isActive());
            QCOMPARE(lamp.timer()->interval(), 10);
            QVERIFY(lamp.img2->isVisible());
            QVERIFY(!lamp.img1->isVisible());
            QVERIFY(!lamp.img1->pixmap().isNull() && !lamp.img2->pixmap().isNull());

            // The grey light turns Caps Lock on; a tick later the green one shows.
            QTest::mouseClick(&lamp, Qt::LeftButton);
            QCOMPARE(kb.strokes, 1);
            QTRY_VERIFY(lamp.img1->isVisible());
            QVERIFY(!lamp.img2->isVisible());

            // Caps Lock switched off elsewhere: the lamp follows by itself.
            kb.on = false;
            QTRY_VERIFY(lamp.img2->isVisible());
            kb.on = true;
            QTRY_VERIFY(lamp.img1->isVisible());
            QTest::mouseClick(&lamp, Qt::LeftButton);
            QCOMPARE(kb.strokes, 2);
            QVERIFY(!kb.on);
            QTRY_VERIFY(lamp.img2->isVisible());
        }
        platform::setKeyboard(nullptr);
    }
};

QTEST_MAIN(TstToolkit)
#include "tst_toolkit.moc"
