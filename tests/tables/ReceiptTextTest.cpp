// Receipt lines in the register's form: padding by alignment, bold marks, refusals.
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

std::string Blanks(int n) { return std::string(std::size_t(n), ' '); }

} // namespace

TEST(ReceiptText, LinesArePaddedByAlignmentWithBoldMarks)
{
    struct Case {
        ReceiptParagraph p;
        std::string bytes;
    };
    const Case cases[] = {
        {Para("ABC", ReceiptAlign::Centre), Blanks(19) + "ABC" + Blanks(20)},
        {Para("ABC", ReceiptAlign::Right), Blanks(39) + "ABC"},
        {Para("ABC", ReceiptAlign::Left), "ABC" + Blanks(39)},
        {Para("A", ReceiptAlign::Left, "b"), "\x01" "A" + Blanks(40)},
        {Para("", ReceiptAlign::Centre), Blanks(42)},
        {Para("Łódź", ReceiptAlign::Right), Blanks(38) + "\xa3\xf3" "d\x9f"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.p.Text.toStdString());
        const ReceiptLine line = ReceiptLineBytes(c.p, 1);
        EXPECT_TRUE(line.Refusal.isEmpty());
        EXPECT_EQ(line.Bytes, c.bytes);
    }
}

TEST(ReceiptText, HeaderBlockHoldsLinesCountAndTallFlags)
{
    const ReceiptBlock b = BuildReceiptBlock({Para("A", ReceiptAlign::Left), Para("B", ReceiptAlign::Left)},
                                             HeaderLineCount, {false, true});
    ASSERT_TRUE(b.Refusal.isEmpty());
    ASSERT_EQ(b.Bytes.size(), HeaderBlockUsed);
    EXPECT_EQ(b.Bytes[42], 'B');
    for (std::size_t i = 84; i < 252; ++i)
        ASSERT_EQ(b.Bytes[i], 0) << i;
    EXPECT_EQ(b.Bytes[252], 2);
    EXPECT_EQ((std::vector<uint8_t>(b.Bytes.begin() + 253, b.Bytes.end())), (std::vector<uint8_t>{0, 1, 0, 0, 0, 0}));

    const ReceiptBlock f = BuildReceiptBlock({Para("X", ReceiptAlign::Left)}, FooterLineCount, {});
    ASSERT_EQ(f.Bytes.size(), FooterBlockUsed);
    EXPECT_EQ(f.Bytes[42], 0);
    EXPECT_EQ(f.Bytes[126], 1);
}

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
