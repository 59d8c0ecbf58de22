#pragma once
// Rich-text files (RTF) of the receipt header and footer. Qt reads and writes no RTF, so this
// is our own reader and writer between RTF bytes and a QTextDocument. Only what the receipt
// editor uses is kept: paragraphs, their alignment, and the font size of each character
// (20 pt or 10 pt).
#include <QByteArray>

class QTextDocument;

constexpr qsizetype RtfMaxBytes = 1024 * 1024;
constexpr int RtfMaxGroupDepth = 64;

enum class RtfRead { Ok, NotRtf, TooLarge, TooDeep };

// Reads RTF bytes into document (replacing its content). A refused input leaves the document
// as it was. Groups still open at the end are closed.
RtfRead ReadRtf(const QByteArray& bytes, QTextDocument& document);

// The document as RTF: code page 1250, Courier New, one \pard with its alignment per paragraph
// and a \par after each, \fs20 / \fs40 where the size changes, CRLF line ends.
QByteArray WriteRtf(const QTextDocument& document);
