// Messages that list items: at most 20 lines, then how many more, in Polish.
#include "core/MessageList.h"

#include <gtest/gtest.h>

TEST(MessageList, ShowsTwentyLinesThenCountsTheRestInPolish)
{
    const std::pair<int, const char*> cases[] = {
        {0, ""},  {20, ""}, {21, "1 błąd"}, {22, "2 błędy"}, {25, "5 błędów"}, {32, "12 błędów"}, {42, "22 błędy"},
        {132, "112 błędów"}, {8020, "8000 błędów"},
    };
    for (const auto& [count, more] : cases) {
        QStringList items;
        for (int i = 1; i <= count; ++i)
            items << QString::number(i);
        QStringList expected = QStringList{"Nagłówek:"} + items.mid(0, MessageListShown);
        if (*more)
            expected << QStringLiteral("... i jeszcze %1.").arg(QString::fromUtf8(more));
        EXPECT_EQ(ListedInMessage(QStringLiteral("Nagłówek:"), items).split(u'\n'), expected) << count;
    }
}
