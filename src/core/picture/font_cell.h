// A font's cell (ascent plus descent, the Windows metrics) and the size that
// makes it a given number of pixels high: the speech font asks for a cell
// height, and each front end's text renderer wants an em size.
#pragma once

#include <cstddef>
#include <cstdint>

// In font units.
struct FontCell {
  int32_t unitsPerEm = 0;
  int32_t ascent = 0;
  int32_t total = 0;  // ascent plus descent
};

// The cell of a font file (TrueType or OpenType): the OS/2 table's Windows
// ascent and descent, else the horizontal header's, else one em. False
// when the file is no such font.
bool readFontCell(const uint8_t* file, size_t size, FontCell* out);

// The cell from the three sets of numbers, by the rule above.
FontCell chooseFontCell(int32_t unitsPerEm, int32_t winAscent, int32_t winDescent,
                        int32_t hheaAscender, int32_t hheaDescender);

// The em size, in 64ths of a pixel, whose cell is cellHeight pixels high.
int64_t emSizeForCell(const FontCell& cell, int32_t cellHeight);
// The ascent in pixels of that size, rounded.
int32_t ascentForCell(const FontCell& cell, int32_t cellHeight);
