#pragma once
// The goods area is always laid out at the current GoodsRecordSize. The two register models
// space their records differently (83 bytes x 8000, 69 bytes x 2000), and a database file does
// not record which spacing it was saved under, so records are moved whenever the spacing changes.
#include <cstddef>
#include <cstdint>

// Bytes of the goods area: the start geometry, which every other spacing fits in.
constexpr std::size_t GoodsAreaSize = std::size_t(8000) * 83;
constexpr uint8_t TepoDuxGoodsRecordSize = 69;

// The number of goods a register with records of this size holds (83: 8000, 69: 2000).
uint16_t GoodsCountForRecordSize(uint8_t recordSize);

// Moves bytes 0..67 of every stored record (PLU bytes not both 0) of area from slots of
// fromSize to slots of toSize; everything else of the area becomes 0. Returns how many stored
// goods lie above what the new spacing holds and were left out.
struct GoodsRelay {
    unsigned Kept = 0;
    unsigned LeftOut = 0;
};
GoodsRelay RelayGoodsArea(uint8_t* area, uint8_t fromSize, uint8_t toSize);

// The spacing a goods area was saved under: the one under which no slot holds PLU bytes other
// than 0 or its own number and more goods are found; 83 on a tie or when neither fits.
uint8_t GoodsSpacingOfArea(const uint8_t* area);

// Tells the user how many goods the spacing could not hold (nothing when none).
void ReportGoodsLeftOut(unsigned leftOut);

// Makes recordSize the current spacing (and its count the current MaxGoodsCount), moving the
// goods of a usable image to it; a change of the image marks the database modified.
void ChangeGoodsRecordSize(uint8_t recordSize);
