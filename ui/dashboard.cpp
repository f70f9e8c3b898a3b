// The installed dashboard refresh trigger.
#include "ui/dashboard.h"

namespace ui {

namespace {
std::function<void()>& installed() {
    static std::function<void()> f;
    return f;
}
} // namespace

void triggerDashboardRefresh() {
    if (installed()) installed()();
}

void setDashboardRefresh(std::function<void()> trigger) {
    installed() = std::move(trigger);
}

} // namespace ui
