#pragma once
// The keyboard template: the 24 keys' default legends, where each key lies on the printed
// template, how its texts are placed and shrunk, and the painting.
#include <QColor>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

class QPaintDevice;
class QPainter;
class QPrinter;

constexpr int KeyCount = 24;
enum KeyTextPart { KeyTop = 0, KeyMiddle = 1, KeyBottom = 2 };

struct KeyLegend {
    QString Top;
    QString Middle;
    QString Bottom;
};
// Legends of keys 1..24 (index key - 1).
std::array<KeyLegend, KeyCount> DefaultKeyLegends();

// Keys 4, 5, 10 and 15 carry an arrow in place of a middle text: its index 0..3, else -1.
int ArrowIndexOfKey(int key);
// The arrow font's character of the key ("2", "1", "3", "4") drawn as the arrow it stands for.
QString ArrowGlyphOfKey(int key);
// The family the arrows are drawn in (no arrow font is installed with the program).
QString ArrowFontFamily();

// Column and row of key 1..24 (key 24 is the wide key in row 4, column 3).
int KeyColumn(int key);
int KeyRow(int key);

struct KeyboardGeometry {
    double P = 0;        // printer pixels per millimetre
    int S = 0;           // cell side: 13 mm
    int Key24Width = 0;  // 31 mm
};
KeyboardGeometry KeyboardGeometryFor(int dpi);
constexpr int KeyboardOrigin = 100;
QRect KeyCellRect(int key, const KeyboardGeometry& g);

// The point size a text gets: from start down, one point at a time, while tooWide(size) holds;
// never below 1 point.
int ShrinkFontSize(int start, const std::function<bool(int size)>& tooWide);

// Left edge of a text w pixels wide centred in the key's cell; top edges of the three texts of
// a row of height h.
int KeyTextX(int key, int w, const KeyboardGeometry& g);
int KeyTopTextY(int key, const KeyboardGeometry& g);
int KeyMiddleTextY(int key, int h, const KeyboardGeometry& g);
int KeyBottomTextY(int key, int h, const KeyboardGeometry& g);

// What the printout reads.
struct KeyboardTemplateData {
    std::array<KeyLegend, KeyCount> Texts;
    std::array<std::array<QColor, 3>, KeyCount> TextColours;
    std::array<QColor, KeyCount> Backgrounds;
    std::array<QColor, 4> ArrowColours;
};

// Paints the template on the printer (portrait). False when the printer could not be started.
bool PaintKeyboardTemplate(QPrinter& printer, const KeyboardTemplateData& data);
// The template on any device the painter is open on, at the device's resolution.
void PaintKeyboardPage(QPainter& painter, QPaintDevice& device, const KeyboardTemplateData& data);
