// Real message boxes, input boxes and modal runs.
#include "ui/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

QString appTitle() {
    return QStringLiteral("云杉记账管理");
}
QString ownTitle() {
    return QStringLiteral("云杉");
}

namespace {

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

class RealDialogs : public Dialogs {
public:
    void message(const QString& title, const QString& text, Icon icon) override {
        QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, QApplication::activeWindow());
        box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        box.exec();
    }
    bool confirm(const QString& title, const QString& text, Icon icon) override {
        QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok | QMessageBox::Cancel,
                        QApplication::activeWindow());
        box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
        box.setDefaultButton(QMessageBox::Ok);
        return box.exec() == QMessageBox::Ok;
    }
    bool question(const QString& title, const QString& text, Icon icon) override {
        QMessageBox box(boxIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No,
                        QApplication::activeWindow());
        box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& value) override {
        QInputDialog box(QApplication::activeWindow());
        box.setWindowTitle(caption);
        box.setLabelText(prompt);
        box.setTextValue(value);
        box.setOkButtonText(QStringLiteral("确定"));
        box.setCancelButtonText(QStringLiteral("取消"));
        if (box.exec() != QDialog::Accepted) return std::nullopt;
        return box.textValue();
    }
    int runModal(QDialog& window) override { return window.exec(); }
};

RealDialogs realDialogs;
Dialogs* installed = nullptr;

} // namespace

Dialogs& dialogs() {
    return installed ? *installed : realDialogs;
}

void setDialogs(Dialogs* d) {
    installed = d;
}

} // namespace ui
