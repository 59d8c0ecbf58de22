#include "core/StatusHook.h"

namespace {
std::function<void()> statusHook;
}

void SetStatusRefreshHook(std::function<void()> hook) { statusHook = std::move(hook); }

void RequestStatusRefresh()
{
    if (statusHook)
        statusHook();
}
