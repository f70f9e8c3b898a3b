// The deferred dashboard refresh as the rest of the program sees it: windows that change ledger
// figures trigger it; the main window installs what it does.
#pragma once

#include <functional>

namespace ui {

// Asks for a dashboard refresh; returns at once. Any number of triggers before the refresh runs
// give one refresh. Does nothing while no main window has installed a refresh.
void triggerDashboardRefresh();

// Installs the trigger (an empty function removes it).
void setDashboardRefresh(std::function<void()> trigger);

} // namespace ui
