// The one service through which every message box, confirmation, question, input box and modal
// child window is shown. Tests install a scripted double.
#pragma once

#include <QString>
#include <optional>

class QDialog;

namespace ui {

enum class Icon { None, Warning, Question, Information, Error };

// The application title: untitled boxes (the amount limit message, the 100th login) carry it.
QString appTitle();
// The title of the program's own boxes.
QString ownTitle();

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A box with one OK button.
    virtual void message(const QString& title, const QString& text, Icon icon) = 0;
    // OK / Cancel: true for OK.
    virtual bool confirm(const QString& title, const QString& text, Icon icon) = 0;
    // Yes / No: true for Yes.
    virtual bool question(const QString& title, const QString& text, Icon icon) = 0;
    // A one-line input box; nothing when cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                         const QString& value) = 0;
    // Shows a child window modally and returns its result once it closes.
    virtual int runModal(QDialog& window) = 0;
};

// The service in force: real boxes unless one was installed.
Dialogs& dialogs();
// Installs a service (nullptr brings back the real one). The caller keeps ownership.
void setDialogs(Dialogs* d);

// Shortcuts for the program's own boxes, titled "云杉".
inline void warn(const QString& text) {
    dialogs().message(ownTitle(), text, Icon::Warning);
}
inline void inform(const QString& text) {
    dialogs().message(ownTitle(), text, Icon::None);
}

} // namespace ui
