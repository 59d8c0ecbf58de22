// Messages that list items: at most 20 lines, then how many more, in Polish.
#include "core/MessageList.h"

#include <gtest/gtest.h>

TEST(MessageList, ShowsTwentyLinesThenCountsTheRestInPolish)
{
    const struct {
        std::size_t count;
        const char* tail;   // the last line; empty when every item is listed
    } cases[] = {
        {0, ""},
        {20, ""},
        {21, "... i jeszcze 1 błąd."},
        {22, "... i jeszcze 2 błędy."},
        {25, "... i jeszcze 5 błędów."},
        {32, "... i jeszcze 12 błędów."},
        {42, "... i jeszcze 22 błędy."},
        {104, "... i jeszcze 84 błędy."},
        {132, "... i jeszcze 112 błędów."},
        {8020, "... i jeszcze 8000 błędów."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        QStringList items;
        for (std::size_t i = 0; i < c.count; ++i)
            items << QString::number(i + 1);
        const QStringList lines = ListedInMessage(QStringLiteral("Nagłówek:"), items).split(u'\n');
        const bool more = *c.tail != 0;
        ASSERT_EQ(lines.size(), 1 + std::min<qsizetype>(qsizetype(c.count), MessageListShown) + (more ? 1 : 0));
        EXPECT_EQ(lines.first(), "Nagłówek:");
        if (c.count >= 20) {
            EXPECT_EQ(lines[20], "20");
        }
        const QString last = more ? QString::fromUtf8(c.tail) : c.count ? QString::number(c.count) : "Nagłówek:";
        EXPECT_EQ(lines.last(), last);
    }
}
