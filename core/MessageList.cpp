#include "core/MessageList.h"

#include "platform/Prompts.h"

QString ListedInMessage(const QString& heading, std::size_t count, const std::function<QString(std::size_t)>& line)
{
    QString text = heading;
    const std::size_t shown = std::min<std::size_t>(count, MessageListShown);
    for (std::size_t i = 0; i < shown; ++i)
        text += u'\n' + line(i);
    if (const std::size_t more = count - shown; more > 0)
        text += QStringLiteral("\n... i jeszcze %1 %2.").arg(more).arg(PolishCountForm(
            more, QStringLiteral("błąd"), QStringLiteral("błędy"), QStringLiteral("błędów")));
    return text;
}

QString ListedInMessage(const QString& heading, const QStringList& lines)
{
    return ListedInMessage(heading, std::size_t(lines.size()), [&lines](std::size_t i) { return lines[qsizetype(i)]; });
}

QString PartialListText(std::size_t records)
{
    return QStringLiteral("Lista jest niepełna: odczytano %1 %2.")
        .arg(records)
        .arg(PolishCountForm(records, QStringLiteral("rekord"), QStringLiteral("rekordy"), QStringLiteral("rekordów")));
}
