#include "core/MessageList.h"

namespace {

// "1 błąd", "2 błędy", "5 błędów", "22 błędy", "112 błędów".
QString ErrorsNoun(std::size_t n)
{
    const std::size_t ones = n % 10, tens = n % 100;
    if (n == 1)
        return QStringLiteral("błąd");
    if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("błędy");
    return QStringLiteral("błędów");
}

} // namespace

QString ListedInMessage(const QString& heading, std::size_t count, const std::function<QString(std::size_t)>& line)
{
    QString text = heading;
    const std::size_t shown = std::min<std::size_t>(count, MessageListShown);
    for (std::size_t i = 0; i < shown; ++i)
        text += u'\n' + line(i);
    if (const std::size_t more = count - shown; more > 0)
        text += QStringLiteral("\n... i jeszcze %1 %2.").arg(more).arg(ErrorsNoun(more));
    return text;
}

QString ListedInMessage(const QString& heading, const QStringList& lines)
{
    return ListedInMessage(heading, std::size_t(lines.size()), [&lines](std::size_t i) { return lines[qsizetype(i)]; });
}
