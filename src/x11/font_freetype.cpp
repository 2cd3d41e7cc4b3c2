#include "x11/font_freetype.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "core/picture/font_cell.h"

struct Font {
  int32_t cellHeight = 0;
  int32_t ascent = 0;
  FT_F26Dot6 charSize = 0;
};

namespace {

// One face for the whole run: the file and its size are set per font.
struct Library {
  bool tried = false;
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  bool embolden = false;
  FT_F26Dot6 currentSize = -1;
  std::string file;
};

Library& lib() {
  static Library l;
  return l;
}

// The file fontconfig picks for the pattern, when its family is the one
// asked for (fontconfig always answers with something).
bool findFont(const char* family, bool anyFamily, std::string* file, bool* embolden) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return false;
  FcChar8* found = nullptr;
  FcChar8* path = nullptr;
  FcBool bold = FcFalse;
  bool ok = FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch &&
            FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
  if (ok && !anyFamily)
    ok = FcStrCmpIgnoreCase(found, reinterpret_cast<const FcChar8*>(family)) == 0;
  if (ok) {
    *file = reinterpret_cast<const char*>(path);
    // fontconfig says so when only a regular face was found for bold.
    *embolden = FcPatternGetBool(match, FC_EMBOLDEN, 0, &bold) == FcResultMatch && bold;
  }
  FcPatternDestroy(match);
  return ok;
}

bool ready() {
  Library& l = lib();
  if (l.tried) return l.face != nullptr;
  l.tried = true;
  std::atexit(releaseTextFonts);
  if (!FcInit()) return false;
  std::string file;
  bool embolden = false;
  if (!findFont("Comic Sans MS", false, &file, &embolden) &&
      !findFont("Comic Neue", false, &file, &embolden) &&
      !findFont("Comic Neue", true, &file, &embolden)) {
    return false;
  }
  if (FT_Init_FreeType(&l.library) != 0) return false;
  if (FT_New_Face(l.library, file.c_str(), 0, &l.face) != 0 || !FT_IS_SCALABLE(l.face)) {
    if (l.face != nullptr) FT_Done_Face(l.face);
    l.face = nullptr;
    return false;
  }
  l.file = file;
  l.embolden = embolden;
  return true;
}

FontCell cellOf(FT_Face face) {
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return chooseFontCell(face->units_per_EM, os2 != nullptr ? os2->usWinAscent : 0,
                        os2 != nullptr ? os2->usWinDescent : 0, face->ascender, face->descender);
}

bool useSize(const Font* font) {
  Library& l = lib();
  if (l.currentSize == font->charSize) return true;
  if (FT_Set_Char_Size(l.face, 0, font->charSize, 72, 72) != 0) return false;
  l.currentSize = font->charSize;
  return true;
}

// Texts are single-byte Windows text: the 0x80 to 0x9F row of code page
// 1252, the rest as Latin-1.
FT_ULong codeOf(unsigned char c) {
  static const uint16_t k1252[32] = {
      0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  return c >= 0x80 && c < 0xA0 ? k1252[c - 0x80] : c;
}

bool loadGlyph(unsigned char c, bool render) {
  Library& l = lib();
  FT_UInt index = FT_Get_Char_Index(l.face, codeOf(c));
  if (FT_Load_Glyph(l.face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) return false;
  FT_GlyphSlot slot = l.face->glyph;
  if (l.embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    FT_Outline_Embolden(&slot->outline, l.face->size->metrics.y_ppem * 2);
  }
  return !render || FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0;
}

int32_t advanceOf() {
  FT_GlyphSlot slot = lib().face->glyph;
  return static_cast<int32_t>((slot->advance.x + 32) >> 6);
}

}  // namespace

Font* openTextFont(int32_t cellHeight) {
  if (cellHeight < 1 || !ready()) return nullptr;
  Font* font = new (std::nothrow) Font();
  if (font == nullptr) return nullptr;
  FontCell cell = cellOf(lib().face);
  font->cellHeight = cellHeight;
  font->charSize = static_cast<FT_F26Dot6>(emSizeForCell(cell, cellHeight));
  font->ascent = ascentForCell(cell, cellHeight);
  return font;
}

void closeTextFont(Font* font) { delete font; }

void measureTextLine(Font* font, const char* text, int32_t length, int32_t* width,
                     int32_t* height) {
  *width = 0;
  *height = 0;
  if (font == nullptr || !useSize(font)) return;
  int32_t w = 0;
  for (int32_t i = 0; i < length; ++i) {
    if (loadGlyph(static_cast<unsigned char>(text[i]), false)) w += advanceOf();
  }
  *width = w;
  *height = font->cellHeight;
}

void drawTextLine(Font* font, const textpixels::Surface& target, int32_t x, int32_t y,
                  const char* text, int32_t length) {
  if (font == nullptr || target.pixels == nullptr || !useSize(font)) return;
  int32_t penX = x;
  int32_t baseline = y + font->ascent;
  for (int32_t i = 0; i < length; ++i) {
    if (!loadGlyph(static_cast<unsigned char>(text[i]), true)) continue;
    FT_GlyphSlot slot = lib().face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    int32_t left = penX + slot->bitmap_left;
    int32_t top = baseline - slot->bitmap_top;
    for (uint32_t row = 0; row < bitmap.rows; ++row) {
      int32_t ty = top + static_cast<int32_t>(row);
      if (ty < 0 || ty >= target.height) continue;
      const unsigned char* bits = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
      uint8_t* line = target.pixels + static_cast<size_t>(target.height - 1 - ty) * target.stride;
      for (uint32_t col = 0; col < bitmap.width; ++col) {
        if ((bits[col >> 3] & (0x80 >> (col & 7))) == 0) continue;
        int32_t tx = left + static_cast<int32_t>(col);
        if (tx < 0 || tx >= target.width) continue;
        std::memset(line + 3 * static_cast<size_t>(tx), 0xFF, 3);
      }
    }
    penX += advanceOf();
  }
}

const char* textFontFile() { return lib().file.c_str(); }

void releaseTextFonts() {
  Library& l = lib();
  if (l.face != nullptr) FT_Done_Face(l.face);
  if (l.library != nullptr) FT_Done_FreeType(l.library);
  l.face = nullptr;
  l.library = nullptr;
  l.currentSize = -1;
  if (l.tried) FcFini();
  l.tried = true;
}
