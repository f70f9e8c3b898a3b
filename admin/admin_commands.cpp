// The administration commands.
#include "admin/admin_commands.h"

#include "admin/about_window.h"
#include "admin/system_window.h"
#include "ui/dialogs.h"

namespace admin {

void systemCommand(QWidget* owner) {
    Tsysfrm sysfrm(owner);
    ui::dialogs().runModal(sysfrm);
}

void aboutCommand(QWidget* owner) {
    Taboutfrm aboutfrm(owner);
    ui::dialogs().runModal(aboutfrm);
}

} // namespace admin
