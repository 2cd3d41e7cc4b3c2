#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/picture/bmp_header.h"
#include "raster/screen_buffer.h"

TEST(ScreenBuffer, WholeNumberScaleOfTheWindow) {
  ScreenBuffer screen;
  ASSERT_TRUE(screen.resize(3840, 2160, 0));
  EXPECT_EQ(screen.scale(), 2);
  EXPECT_EQ(screen.showWidth(), 1920);
  EXPECT_EQ(screen.showHeight(), 1080);
  ASSERT_TRUE(screen.resize(1024, 768, 3));
  EXPECT_EQ(screen.scale(), 3);
  EXPECT_EQ(screen.showWidth(), 341);
  ASSERT_TRUE(screen.resize(640, 480, 0));
  EXPECT_EQ(screen.scale(), 1);
  // A new layout blacks out the whole window; then only what changed.
  EXPECT_TRUE(screen.takeErase());
  EXPECT_FALSE(screen.takeErase());
  screen.touch({600, 470, 100, 100});
  screen.touch({-5, 0, 10, 1});
  PixelRect changed = screen.takeChanged();
  EXPECT_EQ(changed.x, 0);
  EXPECT_EQ(changed.y, 0);
  EXPECT_EQ(changed.width, 640);
  EXPECT_EQ(changed.height, 480);
  EXPECT_EQ(screen.takeChanged().width, 0);
}

TEST(ScreenBuffer, EnlargesIntoTheWindowsPixelFormat) {
  ScreenBuffer screen;
  ASSERT_TRUE(screen.resize(4, 2, 1));
  textpixels::Surface s = screen.surface();
  // Top-left pixel: blue 0x11, green 0x22, red 0xF8.
  uint8_t* topLeft = s.pixels + (s.height - 1) * s.stride;
  topLeft[0] = 0x11;
  topLeft[1] = 0x22;
  topLeft[2] = 0xF8;
  PixelRect rect{0, 0, 2, 1};

  PixelFormat plain;
  std::vector<uint8_t> out(2 * 2 * 2 * 4 + 8, 0xAA);
  enlargeInto(s, rect, 2, plain, out.data(), 16);
  EXPECT_EQ(out[0], 0x11);
  EXPECT_EQ(out[1], 0x22);
  EXPECT_EQ(out[2], 0xF8);
  EXPECT_EQ(out[4], 0x11);   // the block's second column
  EXPECT_EQ(out[16], 0x11);  // and its second row
  EXPECT_EQ(out[8], 0);      // the next show pixel is black
  EXPECT_EQ(out[32], 0xAA);  // nothing past the rectangle

  PixelFormat rgb565;
  rgb565.bytesPerPixel = 2;
  rgb565.msbFirst = true;
  rgb565.redMask = 0xF800;
  rgb565.greenMask = 0x07E0;
  rgb565.blueMask = 0x001F;
  enlargeInto(s, {0, 0, 1, 1}, 1, rgb565, out.data(), 4);
  // red 0xF8 -> 31, green 0x22 -> 8, blue 0x11 -> 2: 0xF902, high byte first.
  EXPECT_EQ(out[0], 0xF9);
  EXPECT_EQ(out[1], 0x02);

  // A canvas: R, G, B, A bytes, every pixel opaque.
  PixelFormat canvas;
  canvas.redMask = 0x0000FF;
  canvas.blueMask = 0xFF0000;
  canvas.opaqueBits = 0xFF000000u;
  enlargeInto(s, {0, 0, 2, 1}, 1, canvas, out.data(), 8);
  EXPECT_EQ((std::vector<uint8_t>(out.begin(), out.begin() + 8)),
            (std::vector<uint8_t>{0xF8, 0x22, 0x11, 0xFF, 0, 0, 0, 0xFF}));
}

TEST(ScreenBuffer, ScreenshotPixelsAreTheEnlargedRectangle) {
  ScreenBuffer screen;
  ASSERT_TRUE(screen.resize(3, 2, 1));
  textpixels::Surface s = screen.surface();
  s.pixels[(s.height - 1) * s.stride + 3] = 7;  // column 1 of the top row
  uint8_t* bits = enlargeForShot(s, {1, 0, 2, 2}, 2);
  ASSERT_NE(bits, nullptr);
  uint32_t row = bmp::rowLength(4);
  // Bottom-up: the top row of the show is the last two rows of the file.
  EXPECT_EQ(bits[3 * row], 7);
  EXPECT_EQ(bits[3 * row + 3], 7);
  EXPECT_EQ(bits[2 * row], 7);
  EXPECT_EQ(bits[3 * row + 6], 0);
  EXPECT_EQ(bits[0], 0);
  std::free(bits);
  EXPECT_EQ(enlargeForShot(s, {0, 0, 0, 5}, 2), nullptr);
}
