// Program start: opens the ledger of the program folder.
#include "store/db.h"
#include "store/dmod1.h"
#include "ui/dialogs.h"
#include "ui/window_style.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(ui::appTitle());
    QApplication::setFont(ui::programFont(10));
    store::Tdmod1 dm;
    try {
        dm.open(store::Tdmod1::dataFilePath(QCoreApplication::applicationDirPath()));
    } catch (const store::DbError& e) {
        ui::dialogs().message(ui::ownTitle(), e.text(), ui::Icon::Warning);
        return 1;
    }
    return 0;
}
