#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "raster/picture.h"
#include "x11/font_freetype.h"

TEST(Font, CellHeightAndWhiteTextWithinTheCell) {
  Font* font = openTextFont(28);
  ASSERT_NE(font, nullptr) << "no bold Comic Sans MS or Comic Neue (fonts-comic-neue)";
  EXPECT_NE(std::string(textFontFile()).find("Comic"), std::string::npos) << textFontFile();
  int32_t w = 0;
  int32_t h = 0;
  measureTextLine(font, "Hello", 5, &w, &h);
  EXPECT_EQ(h, 28);
  EXPECT_GT(w, 28);
  int32_t one = 0;
  measureTextLine(font, "Hello\\", 5, &one, &h);  // the length counts, not the NUL
  EXPECT_EQ(one, w);
  measureTextLine(font, "", 0, &w, &h);
  EXPECT_EQ(w, 0);

  std::unique_ptr<Picture> target(createPicture(100, 60));
  textpixels::Surface s = target->surface();
  drawTextLine(font, s, 10, 20, "Hg", 2);
  int white = 0;
  int outside = 0;
  for (int32_t y = 0; y < s.height; ++y) {
    for (int32_t x = 0; x < s.width; ++x) {
      const uint8_t* p = s.pixels + (s.height - 1 - y) * s.stride + 3 * x;
      if (p[0] == 0) continue;
      EXPECT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255);  // no smoothing
      ++white;
      if (y < 20 || y >= 48 || x < 10) ++outside;
    }
  }
  EXPECT_GT(white, 50);
  EXPECT_EQ(outside, 0);
  // Drawn partly off the surface: clipped, never written outside.
  drawTextLine(font, s, 90, -10, "WWW", 3);
  closeTextFont(font);
  EXPECT_EQ(openTextFont(0), nullptr);
}
