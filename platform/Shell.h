#pragma once
// Shell services: opening a link (mailto:, http:) with the desktop's program, and the beep.
#include <QString>
#include <functional>

// Asks the desktop to open the link; the result is not checked by callers.
bool OpenLink(const QString& url);
void Beep();
// Tests install a handler that records the links instead of opening them.
void SetLinkOpener(std::function<bool(const QString&)> opener);
