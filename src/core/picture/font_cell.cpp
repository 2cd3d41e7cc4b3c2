#include "core/picture/font_cell.h"

#include <cstring>

namespace {

uint32_t be16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 8 | p[1]; }
uint32_t be32(const uint8_t* p) { return be16(p) << 16 | be16(p + 2); }
int32_t signed16(const uint8_t* p) { return static_cast<int16_t>(be16(p)); }

// The table with that tag, when it holds at least need bytes in the file.
const uint8_t* findTable(const uint8_t* file, size_t size, const char* tag, size_t need) {
  if (size < 12) return nullptr;
  uint32_t count = be16(file + 4);
  for (uint32_t i = 0; i < count; ++i) {
    size_t entry = 12 + 16 * static_cast<size_t>(i);
    if (entry + 16 > size) return nullptr;
    if (std::memcmp(file + entry, tag, 4) != 0) continue;
    size_t offset = be32(file + entry + 8);
    size_t length = be32(file + entry + 12);
    if (length < need || offset > size || size - offset < need) return nullptr;
    return file + offset;
  }
  return nullptr;
}

}  // namespace

FontCell chooseFontCell(int32_t unitsPerEm, int32_t winAscent, int32_t winDescent,
                        int32_t hheaAscender, int32_t hheaDescender) {
  FontCell cell;
  cell.unitsPerEm = unitsPerEm;
  if (winAscent + winDescent > 0) {
    cell.ascent = winAscent;
    cell.total = winAscent + winDescent;
  } else if (hheaAscender - hheaDescender > 0) {
    cell.ascent = hheaAscender;
    cell.total = hheaAscender - hheaDescender;
  } else {
    cell.ascent = unitsPerEm;
    cell.total = unitsPerEm;
  }
  return cell;
}

bool readFontCell(const uint8_t* file, size_t size, FontCell* out) {
  if (file == nullptr || size < 12) return false;
  uint32_t version = be32(file);
  if (version != 0x00010000u && version != 0x4F54544Fu && version != 0x74727565u) return false;
  const uint8_t* head = findTable(file, size, "head", 54);
  const uint8_t* hhea = findTable(file, size, "hhea", 36);
  if (head == nullptr || hhea == nullptr) return false;
  int32_t unitsPerEm = static_cast<int32_t>(be16(head + 18));
  if (unitsPerEm <= 0) return false;
  const uint8_t* os2 = findTable(file, size, "OS/2", 78);
  int32_t winAscent = os2 != nullptr ? static_cast<int32_t>(be16(os2 + 74)) : 0;
  int32_t winDescent = os2 != nullptr ? static_cast<int32_t>(be16(os2 + 76)) : 0;
  *out = chooseFontCell(unitsPerEm, winAscent, winDescent, signed16(hhea + 4), signed16(hhea + 6));
  return true;
}

int64_t emSizeForCell(const FontCell& cell, int32_t cellHeight) {
  if (cell.total <= 0) return 0;
  return int64_t{cellHeight} * 64 * cell.unitsPerEm / cell.total;
}

int32_t ascentForCell(const FontCell& cell, int32_t cellHeight) {
  if (cell.total <= 0) return 0;
  return static_cast<int32_t>((int64_t{cellHeight} * cell.ascent + cell.total / 2) / cell.total);
}
