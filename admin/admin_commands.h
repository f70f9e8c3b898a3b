// The main window's administration commands: 系统设置 and 关于软件.
#pragma once

class QWidget;

namespace admin {

// Opens the system management window above owner.
void systemCommand(QWidget* owner);
// Opens the about window above owner.
void aboutCommand(QWidget* owner);

} // namespace admin
