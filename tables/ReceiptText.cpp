#include "tables/ReceiptText.h"

#include "platform/Cp1250.h"
#include "tables/SettingsLink.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace {

constexpr double BoldPointSize = 20.0;
constexpr uint8_t BoldMark = 0x01;

ReceiptAlign AlignOf(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return ReceiptAlign::Right;
    if (a & Qt::AlignHCenter)
        return ReceiptAlign::Centre;
    return ReceiptAlign::Left;
}

// The distinct control characters of text as codes ("0x01 0x1B"): the register reads them as
// print commands (0x01 is its bold mark), and they take a position each.
QString ControlCharactersOf(const QString& text)
{
    QStringList found;
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            continue;
        const QString code = QStringLiteral("0x") + QString::number(c.unicode(), 16).rightJustified(2, u'0').toUpper();
        if (!found.contains(code))
            found << code;
    }
    return found.join(QLatin1Char(' '));
}

} // namespace

std::vector<ReceiptParagraph> ReceiptParagraphsOf(const QTextDocument& document)
{
    std::vector<ReceiptParagraph> out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        ReceiptParagraph p;
        p.Align = AlignOf(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const bool bold = f.charFormat().fontPointSize() == BoldPointSize;
            p.Text += f.text();
            p.Bold.insert(p.Bold.end(), std::size_t(f.text().size()), bold);
        }
        out.push_back(std::move(p));
    }
    if (!out.empty() && out.back().Text.isEmpty())
        out.pop_back();
    return out;
}

ReceiptLine ReceiptLineBytes(const ReceiptParagraph& paragraph, int lineNumber)
{
    ReceiptLine line;
    if (const QString refusal = Cp1250Refusal(paragraph.Text); !refusal.isEmpty()) {
        line.Refusal = QStringLiteral("Linia %1: %2").arg(lineNumber).arg(refusal);
        return line;
    }
    if (const QString controls = ControlCharactersOf(paragraph.Text); !controls.isEmpty()) {
        line.Refusal = QStringLiteral("Linia %1 zawiera znaki sterujące, których kasa nie drukuje: %2. Nic nie "
                                      "zapisano ani nie wysłano.")
                           .arg(lineNumber)
                           .arg(controls);
        return line;
    }
    std::string text;
    for (qsizetype i = 0; i < paragraph.Text.size(); ++i) {
        if (std::size_t(i) < paragraph.Bold.size() && paragraph.Bold[std::size_t(i)])
            text += char(BoldMark);
        text += char(UnicodeToCp1250(paragraph.Text[i].unicode()));
    }
    const int used = int(text.size());
    if (used > ReceiptLineWidth) {
        line.Refusal = QStringLiteral("Linia %1 jest za długa: %2 pozycji, a mieści się %3 (znak pogrubiony zajmuje "
                                      "dwie). Nic nie zapisano ani nie wysłano.")
                           .arg(lineNumber)
                           .arg(used)
                           .arg(ReceiptLineWidth);
        return line;
    }
    const int surplus = ReceiptLineWidth - used;
    int before = 0;
    switch (paragraph.Align) {
    case ReceiptAlign::Left: before = 0; break;
    case ReceiptAlign::Right: before = surplus; break;
    case ReceiptAlign::Centre: before = surplus / 2; break;
    }
    line.Bytes = std::string(std::size_t(before), ' ') + text + std::string(std::size_t(surplus - before), ' ');
    return line;
}

ReceiptBlock BuildReceiptBlock(const std::vector<ReceiptParagraph>& paragraphs, int maxLines,
                               const std::vector<bool>& tall)
{
    ReceiptBlock block;
    if (int(paragraphs.size()) > maxLines) {
        block.Refusal = QStringLiteral("Tekst ma %1 linii, a mieści się %2. Nic nie zapisano ani nie wysłano.")
                            .arg(paragraphs.size())
                            .arg(maxLines);
        return block;
    }
    const std::size_t textBytes = std::size_t(maxLines * ReceiptLineWidth);
    block.Bytes.assign(textBytes + 1 + std::size_t(maxLines), 0);
    std::size_t at = 0;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const ReceiptLine line = ReceiptLineBytes(paragraphs[i], int(i + 1));
        if (!line.Refusal.isEmpty()) {
            block.Bytes.clear();
            block.Refusal = line.Refusal;
            return block;
        }
        std::copy(line.Bytes.begin(), line.Bytes.end(), block.Bytes.begin() + std::ptrdiff_t(at));
        at += line.Bytes.size();
    }
    block.Bytes[textBytes] = uint8_t(paragraphs.size());
    for (int i = 0; i < maxLines; ++i)
        block.Bytes[textBytes + 1 + std::size_t(i)] = std::size_t(i) < tall.size() && tall[std::size_t(i)] ? 1 : 0;
    return block;
}
