#include "platform/Rtf.h"
#include "tests/support/TestEnvironment.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

namespace {

// Each paragraph as "<align>|text" with bold (20 pt) characters in brackets.
QStringList Describe(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const Qt::Alignment a = b.blockFormat().alignment();
        QString line = (a & Qt::AlignRight) ? "R|" : (a & Qt::AlignHCenter) ? "C|" : "L|";
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            line += f.charFormat().fontPointSize() == 20 ? "[" + f.text() + "]" : f.text();
        }
        out << line;
    }
    return out;
}

} // namespace

TEST(Rtf, OwnFilesKeepParagraphsSizesAlignmentsAndPolishLetters)
{
    TestApp();
    const struct {
        Qt::Alignment Align;
        QString Normal, Big;
    } paragraphs[] = {{Qt::AlignHCenter, "SKLEP ", "ąćęłńóśźż"}, {Qt::AlignRight, "ĄĆĘŁŃÓŚŹŻ {x} \\ ", ""},
                      {Qt::AlignLeft, "", ""}, {Qt::AlignLeft, "€ ✓", ""},
                      {Qt::AlignHCenter, "", ""}};   // an empty last line stays
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat normal, big;
    normal.setFontPointSize(10);
    big.setFontPointSize(20);
    for (const auto& p : paragraphs) {
        QTextBlockFormat f;
        f.setAlignment(p.Align);
        &p == paragraphs ? c.setBlockFormat(f) : c.insertBlock(f);
        c.insertText(p.Normal, normal);
        c.insertText(p.Big, big);
    }
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset238 Courier New;}}\r\n"));
    EXPECT_TRUE(rtf.contains("\\'b9"));        // ą
    EXPECT_TRUE(rtf.contains("\\u10003?"));   // ✓ has no place in the code page
    EXPECT_TRUE(rtf.contains("\\{x\\} \\\\"));
    EXPECT_TRUE(rtf.endsWith("\r\n"));

    QTextDocument back;
    ASSERT_EQ(ReadRtf(rtf, back), RtfRead::Ok);
    EXPECT_EQ(Describe(back), Describe(doc));
}

TEST(Rtf, WordProcessorFilesLoadAndRefusedInputsLeaveTheDocument)
{
    TestApp();
    const QByteArray wordProcessor =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
        "{\\f1\\fnil\\fcharset238 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\qr\\f1\\fs40\\lang1045 Zak\\'b3ad\\fs22\\par\r\n"
        "\\pard\\qc\\f0 caf\\'e9\\line dw\\u243?ch\\tab x\\par\r\n"
        "\\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell B\\cell\\row\r\n"
        "\\pard\\qj\\uc2\\u322\\'b3\\'b3{\\pict\\wmetafile8 0102ff}end\\par\r\n}\r\n";
    const struct {
        QByteArray Input;
        RtfRead Result;
        QStringList Paragraphs;
    } cases[] = {
        {wordProcessor, RtfRead::Ok, {"R|[Zakład]", "C|café", "C|dwóch x", "L|A B ", "L|łend"}},
        {"plain text", RtfRead::NotRtf, {"L|keep"}},
        {QByteArray(RtfMaxBytes + 1, ' ').prepend("{\\rtf1 "), RtfRead::TooLarge, {"L|keep"}},
        {"{\\rtf1" + QByteArray(64, '{') + "x", RtfRead::TooDeep, {"L|keep"}},
        // Open groups are closed at the end; a cut escape reads nothing past the input.
        {"{\\rtf1" + QByteArray(62, '{') + "ab\\'4", RtfRead::Ok, {"L|ab"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Input.left(40).toStdString());
        QTextDocument doc;
        doc.setPlainText("keep");
        EXPECT_EQ(ReadRtf(c.Input, doc), c.Result);
        EXPECT_EQ(Describe(doc), c.Paragraphs);
    }
}
