// The application's general error report.
#include "ui/guard.h"

#include "store/db.h"
#include "ui/dialogs.h"

namespace ui {

void reportError(const std::exception& e) {
    const auto* db = dynamic_cast<const store::DbError*>(&e);
    QString text = db ? db->text() : QString::fromLocal8Bit(e.what());
    // The engine's text stays for whoever has to look into the failure; the sentence before it
    // tells the user what to do where there is something to do.
    const QString advice = db ? store::failureAdvice(*db) : QString();
    if (!advice.isEmpty()) text = advice + QStringLiteral("\n\n") + text;
    try {
        dialogs().message(appTitle(), text, Icon::Error);
    } catch (...) {
        // A report that cannot be shown must not take the program down with it.
    }
}

} // namespace ui
