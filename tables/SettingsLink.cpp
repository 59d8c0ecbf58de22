#include "tables/SettingsLink.h"

#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Time.h"

#include <QStringList>

bool AckSucceeded(int result) { return result == AckAccepted || result == AckDone; }

bool IsWholeFrame(const uint8_t* bytes, std::size_t got, std::size_t length)
{
    return got == length && IsWholeFrame(bytes, length);
}

