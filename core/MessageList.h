#pragma once
// Messages that list items (refused goods, bad lines): a box the height of a few lines whatever
// the count, so that its OK button stays on the screen.
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>

// The most items a message lists; the rest are counted.
constexpr int MessageListShown = 20;

// The heading, then the first MessageListShown of count lines, each on a line of its own (line(i)
// makes the i-th), then "... i jeszcze N błędów." for the rest.
QString ListedInMessage(const QString& heading, std::size_t count, const std::function<QString(std::size_t)>& line);
QString ListedInMessage(const QString& heading, const QStringList& lines);

// What a list read only in part says beside the reason it stopped: "Lista jest niepełna:
// odczytano 7 rekordów."
QString PartialListText(std::size_t records);
