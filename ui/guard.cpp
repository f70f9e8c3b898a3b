// The application's general error report.
#include "ui/guard.h"

#include "store/db.h"
#include "ui/dialogs.h"

namespace ui {

void reportError(const std::exception& e) {
    const auto* db = dynamic_cast<const store::DbError*>(&e);
    const QString text = db ? db->text() : QString::fromLocal8Bit(e.what());
    try {
        dialogs().message(appTitle(), text, Icon::Error);
    } catch (...) {
        // A report that cannot be shown must not take the program down with it.
    }
}

} // namespace ui
