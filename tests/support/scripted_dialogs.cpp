// The scripted Dialogs double.
#include "support/scripted_dialogs.h"

#include <QDialog>

void ScriptedDialogs::message(const QString& title, const QString& text, ui::Icon icon) {
    shown.append({Shown::Message, title, text, icon});
}

bool ScriptedDialogs::confirm(const QString& title, const QString& text, ui::Icon icon) {
    shown.append({Shown::Confirm, title, text, icon});
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

bool ScriptedDialogs::question(const QString& title, const QString& text, ui::Icon icon) {
    shown.append({Shown::Question, title, text, icon});
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

std::optional<QString> ScriptedDialogs::input(const QString& caption, const QString& prompt,
                                              const QString& value) {
    shown.append({Shown::Input, caption, prompt, ui::Icon::None, value});
    return inputs.isEmpty() ? std::nullopt : inputs.takeFirst();
}

int ScriptedDialogs::runModal(QDialog& window) {
    shown.append({Shown::Modal, window.windowTitle(), window.windowTitle(), ui::Icon::None});
    if (onModal) return onModal(window);
    window.reject();
    return QDialog::Rejected;
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}

QString ScriptedDialogs::lastText() const {
    return shown.isEmpty() ? QString() : shown.last().text;
}
