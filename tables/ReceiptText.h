#pragma once
// The receipt header and footer in the register's plain form: lines of 42 printer positions,
// a byte 0x01 before each bold character (so a bold character takes two positions), each line
// padded with blanks by its alignment.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class QTextDocument;

constexpr int ReceiptLineWidth = 42;
constexpr int HeaderLineCount = 6;
constexpr int FooterLineCount = 3;
constexpr std::size_t HeaderBlockUsed = 259;   // 252 text bytes, line count, six tall flags
constexpr std::size_t FooterBlockUsed = 130;   // 126 text bytes, line count, three tall flags

enum class ReceiptAlign { Left, Centre, Right };

// One printed line as the editor holds it: one paragraph.
struct ReceiptParagraph {
    QString Text;
    std::vector<bool> Bold;   // one flag per UTF-16 unit of Text
    ReceiptAlign Align = ReceiptAlign::Left;
};

// The paragraphs of an editor's document: a character of 20 pt is bold, the block's alignment
// is the line's (justified counts as left). A last empty paragraph is no line.
std::vector<ReceiptParagraph> ReceiptParagraphsOf(const QTextDocument& document);

// The 42 positions of one line, padded by its alignment (centred: the odd blank goes after).
// Empty Refusal on success.
struct ReceiptLine {
    std::string Bytes;
    QString Refusal;
};
ReceiptLine ReceiptLineBytes(const ReceiptParagraph& paragraph, int lineNumber);

// The used bytes of HeaderBlock or FooterBlock: the lines followed by zero bytes, the number
// of lines and the tall-line flags. A line over 42 positions, a character outside code page
// 1250, a control character (0x00-0x1F, 0x7F) or more lines than the block holds refuses the
// whole block.
struct ReceiptBlock {
    std::vector<uint8_t> Bytes;
    QString Refusal;
};
ReceiptBlock BuildReceiptBlock(const std::vector<ReceiptParagraph>& paragraphs, int maxLines,
                               const std::vector<bool>& tall);
