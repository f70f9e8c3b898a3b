// A Dialogs double: records every box and modal window shown and answers from a script.
#pragma once

#include "ui/dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

struct Shown {
    enum Kind { Message, Confirm, Question, Input, Modal };
    Kind kind;
    QString title;
    QString text; // message text, or the input box's prompt, or the modal window's title
    ui::Icon icon = ui::Icon::None;
    QString value = {}; // the input box's default text
};

class ScriptedDialogs : public ui::Dialogs {
public:
    QList<Shown> shown;
    // Answers for confirm() and question(), taken in order; when empty, defaultAnswer.
    QList<bool> answers;
    bool defaultAnswer = true;
    // Answers for input(), taken in order; std::nullopt is a cancel. When empty: cancel.
    QList<std::optional<QString>> inputs;
    // Drives a modal window the code under test opens; by default it is closed at once, rejected.
    std::function<int(QDialog&)> onModal;

    void message(const QString& title, const QString& text, ui::Icon icon) override;
    bool confirm(const QString& title, const QString& text, ui::Icon icon) override;
    bool question(const QString& title, const QString& text, ui::Icon icon) override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& value) override;
    int runModal(QDialog& window) override;

    // The texts of every box shown so far, in order.
    QStringList texts() const;
    // The text of the last box, or an empty text when none was shown.
    QString lastText() const;
    void clear() { shown.clear(); }
};
