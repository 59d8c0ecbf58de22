// Receipt lines the register cannot take are refused, with the line named.
#include "tables/ReceiptText.h"

#include <gtest/gtest.h>

namespace {

ReceiptParagraph Para(const QString& text, ReceiptAlign align, const QString& boldMask = {})
{
    ReceiptParagraph p;
    p.Text = text;
    p.Align = align;
    for (qsizetype i = 0; i < text.size(); ++i)
        p.Bold.push_back(i < boldMask.size() && boldMask[i] == 'b');
    return p;
}

} // namespace

TEST(ReceiptText, OverlongLinesForeignCharactersAndTooManyLinesAreRefused)
{
    // 42 positions pass, 43 (a bold character takes two) refuse the block and name the line.
    EXPECT_TRUE(ReceiptLineBytes(Para(QString(42, 'x'), ReceiptAlign::Left), 1).Refusal.isEmpty());
    const ReceiptBlock longLine = BuildReceiptBlock(
        {Para("ok", ReceiptAlign::Left), Para(QString(42, 'x'), ReceiptAlign::Left, "b")}, FooterLineCount, {});
    EXPECT_TRUE(longLine.Bytes.empty());
    EXPECT_TRUE(longLine.Refusal.startsWith("Linia 2 jest za długa: 43 pozycji")) << longLine.Refusal.toStdString();

    const ReceiptBlock foreign = BuildReceiptBlock({Para("Cena ✓", ReceiptAlign::Left)}, HeaderLineCount, {});
    EXPECT_TRUE(foreign.Bytes.empty());
    EXPECT_TRUE(foreign.Refusal.endsWith("obsługuje: ✓")) << foreign.Refusal.toStdString();

    const ReceiptBlock many = BuildReceiptBlock(std::vector<ReceiptParagraph>(4, Para("a", ReceiptAlign::Left)),
                                                FooterLineCount, {});
    EXPECT_TRUE(many.Bytes.empty());
    EXPECT_FALSE(many.Refusal.isEmpty());
}
