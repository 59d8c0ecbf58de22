#pragma once
// Windows below the main window ask it to refresh its status panel through this hook, which
// the main window installs when it is created.
#include <functional>

void SetStatusRefreshHook(std::function<void()> hook);
void RequestStatusRefresh();
