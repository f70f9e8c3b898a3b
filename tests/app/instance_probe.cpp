// Takes the single-instance lock like the program does; prints the refusal box instead of showing
// it. Prints "running" once it holds the lock and keeps it until a line arrives on its input.
#include "app/startup.h"
#include "platform/instance_lock.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <cstdio>
#include <iostream>
#include <string>

namespace {
class PrintingDialogs : public ui::Dialogs {
public:
    void message(const QString& title, const QString& text, ui::Icon) override {
        std::printf("%s|%s\n", qPrintable(title), qPrintable(text));
        std::fflush(stdout);
    }
    bool confirm(const QString&, const QString&, ui::Icon) override { return false; }
    bool question(const QString&, const QString&, ui::Icon) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    int runModal(QDialog&) override { return 0; }
};
} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    PrintingDialogs dialogs;
    ui::setDialogs(&dialogs);
    platform::LockFileInstanceLock lock;
    if (!app::claimSingleInstance(lock)) return 3;
    std::printf("running\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    return 0;
}
