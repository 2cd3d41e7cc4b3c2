#include "core/picture/font_cell.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
}

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  put16(b, at, v >> 16);
  put16(b, at + 2, v & 0xFFFF);
}

// An OpenType file of the three tables the cell comes from.
std::vector<uint8_t> fontFile(int32_t unitsPerEm, int32_t winAscent, int32_t winDescent,
                              int32_t ascender, int32_t descender, bool withOs2 = true) {
  const char* tags[] = {"head", "hhea", "OS/2"};
  const uint32_t sizes[] = {54, 36, 78};
  uint32_t count = withOs2 ? 3 : 2;
  std::vector<uint8_t> b(12 + 16 * count);
  put32(b, 0, 0x4F54544F);  // "OTTO"
  put16(b, 4, count);
  for (uint32_t i = 0; i < count; ++i) {
    size_t entry = 12 + 16 * i;
    b[entry] = tags[i][0];
    b[entry + 1] = tags[i][1];
    b[entry + 2] = tags[i][2];
    b[entry + 3] = tags[i][3];
    put32(b, entry + 8, static_cast<uint32_t>(b.size()));
    put32(b, entry + 12, sizes[i]);
    b.resize(b.size() + sizes[i]);
  }
  size_t head = 12 + 16 * count;
  put16(b, head + 18, static_cast<uint32_t>(unitsPerEm));
  put16(b, head + 54 + 4, static_cast<uint16_t>(ascender));
  put16(b, head + 54 + 6, static_cast<uint16_t>(descender));
  if (withOs2) {
    put16(b, head + 90 + 74, static_cast<uint32_t>(winAscent));
    put16(b, head + 90 + 76, static_cast<uint32_t>(winDescent));
  }
  return b;
}

}  // namespace

TEST(FontCell, WindowsMetricsFirstThenTheHeaderThenOneEm) {
  FontCell cell;
  std::vector<uint8_t> f = fontFile(1000, 900, 300, 800, -200);
  ASSERT_TRUE(readFontCell(f.data(), f.size(), &cell));
  EXPECT_EQ(cell.unitsPerEm, 1000);
  EXPECT_EQ(cell.ascent, 900);
  EXPECT_EQ(cell.total, 1200);

  f = fontFile(1000, 0, 0, 800, -200, false);
  ASSERT_TRUE(readFontCell(f.data(), f.size(), &cell));
  EXPECT_EQ(cell.ascent, 800);
  EXPECT_EQ(cell.total, 1000);

  cell = chooseFontCell(2048, 0, 0, 0, 0);
  EXPECT_EQ(cell.ascent, 2048);
  EXPECT_EQ(cell.total, 2048);
}

TEST(FontCell, FilesThatAreNoFontAreRefused) {
  FontCell cell;
  std::vector<uint8_t> f = fontFile(1000, 900, 300, 800, -200);
  EXPECT_FALSE(readFontCell(f.data(), 40, &cell));  // the tables cut off
  f[0] = 'X';
  EXPECT_FALSE(readFontCell(f.data(), f.size(), &cell));
  EXPECT_FALSE(readFontCell(nullptr, 0, &cell));
  f = fontFile(0, 900, 300, 800, -200);
  EXPECT_FALSE(readFontCell(f.data(), f.size(), &cell));
}

TEST(FontCell, EmSizeAndAscentForACellHeight) {
  FontCell cell = chooseFontCell(1000, 900, 300, 0, 0);
  // A 24-pixel cell: 1000 / 1200 of it is the em, 20 pixels; ascent 18.
  EXPECT_EQ(emSizeForCell(cell, 24), 20 * 64);
  EXPECT_EQ(ascentForCell(cell, 24), 18);
  EXPECT_EQ(ascentForCell(cell, 5), 4);  // 3.75 rounded
  EXPECT_EQ(emSizeForCell(FontCell(), 24), 0);
}
