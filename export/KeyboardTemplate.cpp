#include "export/KeyboardTemplate.h"

#include "platform/Printing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

std::array<KeyLegend, KeyCount> DefaultKeyLegends()
{
    return {{{"", "F3", "F8"},
             {"", "F4", "F9"},
             {"", "F5", "F10"},
             {QStringLiteral("ILOŚĆ"), "2", ""},
             {"CENA", "1", ""},
             {"", "F2", "F7"},
             {"SYMBOLE", "7", "WALUTA"},
             {"ABC", "8", QStringLiteral("WPŁ/WYP")},
             {"DEF", "9", "NIP"},
             {"A/a", "3", ""},
             {"", "F1", "F6"},
             {"GHI", "4", QStringLiteral("PŁATNOŚCI")},
             {"JKL", "5", "STORNO"},
             {"MNO", "6", "ANULUJ"},
             {"", "4", ""},
             {"", "F", "FUNKCJE"},
             {"PQRS", "1", "RABAT"},
             {"TUV", "2", "NARZUT"},
             {"WXYZ", "3", "KAUCJA"},
             {"", "KOD", ""},
             {"", "C", ""},
             {"SPACJA", "0", "SZUFLADA"},
             {"", ",", "PAPIER"},
             {"", "RAZEM", ""}}};
}

int ArrowIndexOfKey(int key)
{
    switch (key) {
    case 4: return 0;
    case 5: return 1;
    case 10: return 2;
    case 15: return 3;
    default: return -1;
    }
}

QString ArrowGlyphOfKey(int key)
{
    // The arrow font's "1".."4" are up, left, right, down.
    switch (key) {
    case 4: return QStringLiteral("←");   // "2"
    case 5: return QStringLiteral("↑");   // "1"
    case 10: return QStringLiteral("→");  // "3"
    case 15: return QStringLiteral("↓");  // "4"
    default: return {};
    }
}

QString ArrowFontFamily() { return QStringLiteral("DejaVu Sans"); }

int KeyColumn(int key) { return key <= 20 ? (key - 1) % 5 : key - 21; }

int KeyRow(int key) { return key <= 20 ? (key - 1) / 5 : 4; }

KeyboardGeometry KeyboardGeometryFor(int dpi)
{
    KeyboardGeometry g;
    g.P = PrinterPixelsPerMm(dpi);
    g.S = int(g.P * 13);
    g.Key24Width = int(31 * g.P);
    return g;
}

QRect KeyCellRect(int key, const KeyboardGeometry& g)
{
    const int left = KeyboardOrigin + KeyColumn(key) * g.S;
    const int top = KeyboardOrigin + KeyRow(key) * g.S;
    const int width = key == 24 ? g.Key24Width : g.S;
    return QRect(left, top, width, g.S);
}

int ShrinkFontSize(int start, const std::function<bool(int size)>& tooWide)
{
    int size = start;
    while (size > 1 && tooWide(size))
        --size;
    return size;
}

int KeyTextX(int key, int w, const KeyboardGeometry& g)
{
    const int left = KeyboardOrigin + KeyColumn(key) * g.S;
    if (key == 24)
        return left + int(31 * g.P * 0.5 - w / 2);
    return left + (g.S / 2 - w / 2);
}

int KeyTopTextY(int key, const KeyboardGeometry& g) { return int(KeyboardOrigin + KeyRow(key) * g.S + 0.5 * g.P); }

int KeyMiddleTextY(int key, int h, const KeyboardGeometry& g)
{
    return KeyboardOrigin + KeyRow(key) * g.S + (g.S / 2 - h / 2);
}

int KeyBottomTextY(int key, int h, const KeyboardGeometry& g)
{
    return KeyboardOrigin + KeyRow(key) * g.S + int(g.S - 0.5 * g.P - h);
}

bool PaintKeyboardTemplate(QPrinter& printer, const KeyboardTemplateData& data)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PaintKeyboardPage(painter, printer, data);
    painter.end();
    return true;
}

void PaintKeyboardPage(QPainter& painter, QPaintDevice& device, const KeyboardTemplateData& data)
{
    const KeyboardGeometry g = KeyboardGeometryFor(device.logicalDpiX());
    painter.setPen(QPen(Qt::black, 1));
    for (int key = 1; key <= KeyCount; ++key) {
        painter.setBrush(data.Backgrounds[std::size_t(key - 1)]);
        painter.drawRect(KeyCellRect(key, g));
    }
    painter.setBrush(Qt::NoBrush);

    // One text of a key: shrunk to the width it may take, placed by its top edge.
    auto text = [&](int key, int part, const QString& s) {
        if (s.isEmpty())
            return;
        QFont font(QStringLiteral("Arial"));
        font.setStyleHint(QFont::SansSerif);
        font.setBold(part == KeyMiddle);
        const int maxWidth = key == 24 && part == KeyMiddle ? 2 * g.S : g.S;
        const bool shrinks = key != 24 || part == KeyMiddle;
        const int size = ShrinkFontSize(part == KeyMiddle ? 16 : 6, [&](int pt) {
            font.setPointSize(pt);
            return shrinks && QFontMetrics(font, &device).horizontalAdvance(s) > maxWidth;
        });
        font.setPointSize(size);
        const QFontMetrics m(font, &device);
        const int w = m.horizontalAdvance(s);
        const int y = part == KeyTop      ? KeyTopTextY(key, g)
                      : part == KeyMiddle ? KeyMiddleTextY(key, m.height(), g)
                                          : KeyBottomTextY(key, m.height(), g);
        painter.setFont(font);
        painter.setPen(data.TextColours[std::size_t(key - 1)][std::size_t(part)]);
        painter.drawText(KeyTextX(key, w, g), y + m.ascent(), s);
    };
    for (int key = 1; key <= KeyCount; ++key) {
        const KeyLegend& l = data.Texts[std::size_t(key - 1)];
        text(key, KeyTop, l.Top);
        // An arrow key prints its arrow alone under the top text.
        if (ArrowIndexOfKey(key) >= 0)
            continue;
        text(key, KeyMiddle, l.Middle);
        text(key, KeyBottom, l.Bottom);
    }

    QFont arrows(ArrowFontFamily());
    arrows.setPointSize(16);
    painter.setFont(arrows);
    const QFontMetrics m(arrows, &device);
    for (int key : {4, 5, 10, 15}) {
        const QString glyph = ArrowGlyphOfKey(key);
        const int w = m.horizontalAdvance(glyph);
        painter.setPen(data.ArrowColours[std::size_t(ArrowIndexOfKey(key))]);
        painter.drawText(KeyTextX(key, w, g), KeyMiddleTextY(key, m.height(), g) + m.ascent(), glyph);
    }
}
