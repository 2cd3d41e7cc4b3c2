#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/log_file.h"
#include "raster/bmp_read.h"
#include "raster/picture.h"
#include "support/test_files.h"

namespace {

using Bytes = std::vector<uint8_t>;

void put16(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A BMP with a 40-byte header, the palette and bit fields given, and rows.
Bytes bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression, const Bytes& extra,
          const Bytes& pixels) {
  Bytes b(54, 0);
  b[0] = 'B';
  b[1] = 'M';
  put32(b, 10, static_cast<uint32_t>(54 + extra.size()));
  put32(b, 14, 40);
  put32(b, 18, static_cast<uint32_t>(width));
  put32(b, 22, static_cast<uint32_t>(height));
  put16(b, 26, 1);
  put16(b, 28, bits);
  put32(b, 30, compression);
  b.insert(b.end(), extra.begin(), extra.end());
  b.insert(b.end(), pixels.begin(), pixels.end());
  put32(b, 2, static_cast<uint32_t>(b.size()));
  return b;
}

// "B G R" of the pixel at column x, row y (0 at the top) of a picture.
std::string pixelAt(const Bytes& picture, const bmpread::Layout& l, int32_t x, int32_t y) {
  const uint8_t* p = picture.data() + static_cast<size_t>(l.height - 1 - y) * l.stride + 3 * x;
  return std::to_string(p[0]) + " " + std::to_string(p[1]) + " " + std::to_string(p[2]);
}

Bytes decode(const Bytes& file, bmpread::Layout* l) {
  EXPECT_TRUE(bmpread::readLayout(file.data(), file.size(), l));
  Bytes picture(l->pictureBytes, 0);
  EXPECT_TRUE(bmpread::decode(file.data(), file.size(), *l, picture.data()));
  return picture;
}

}  // namespace

TEST(BmpRead, RowOrderAndDepths) {
  // 24 bits, 2 x 2, bottom-up: the file's first row is the bottom one.
  Bytes rows = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  bmpread::Layout l;
  Bytes pic = decode(bmp(2, 2, 24, 0, {}, rows), &l);
  EXPECT_EQ(pixelAt(pic, l, 0, 1), "1 2 3");
  EXPECT_EQ(pixelAt(pic, l, 1, 0), "10 11 12");
  // Top-down (negative height): the first row is the top one.
  pic = decode(bmp(2, -2, 24, 0, {}, rows), &l);
  EXPECT_EQ(pixelAt(pic, l, 0, 0), "1 2 3");
  EXPECT_FALSE(l.topDown == false);

  // 8 bits with a two-colour palette; 1 bit per pixel, most significant first.
  Bytes palette = {10, 20, 30, 0, 200, 210, 220, 0};
  pic = decode(bmp(3, 1, 8, 0, palette, {1, 0, 1, 0}), &l);
  EXPECT_EQ(pixelAt(pic, l, 0, 0), "200 210 220");
  EXPECT_EQ(pixelAt(pic, l, 1, 0), "10 20 30");
  pic = decode(bmp(3, 1, 1, 0, palette, {0x40, 0, 0, 0}), &l);
  EXPECT_EQ(pixelAt(pic, l, 0, 0), "10 20 30");
  EXPECT_EQ(pixelAt(pic, l, 1, 0), "200 210 220");

  // 16 bits 5-5-5 and 32 bits with bit fields (red in the low byte).
  pic = decode(bmp(1, 1, 16, 0, {}, {0x1F, 0x7C, 0, 0}), &l);
  EXPECT_EQ(pixelAt(pic, l, 0, 0), "255 0 255");
  Bytes masks = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};
  pic = decode(bmp(1, 1, 32, 3, masks, {1, 2, 3, 4}), &l);
  EXPECT_EQ(pixelAt(pic, l, 0, 0), "3 2 1");
}

TEST(BmpRead, RunLengthCoding) {
  Bytes palette(256 * 4, 0);
  palette[4] = 9;  // colour 1 is blue 9
  // Row 0 (bottom): 3 of colour 1, end of line; row 1: 3 as they stand
  // (padded to a word), end of picture.
  Bytes rle = {3, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1};
  bmpread::Layout l;
  Bytes pic = decode(bmp(3, 2, 8, 1, palette, rle), &l);
  EXPECT_EQ(pixelAt(pic, l, 2, 1), "9 0 0");
  EXPECT_EQ(pixelAt(pic, l, 0, 0), "9 0 0");
  EXPECT_EQ(pixelAt(pic, l, 1, 0), "0 0 0");
  EXPECT_EQ(pixelAt(pic, l, 2, 0), "9 0 0");
}

TEST(BmpRead, RefusesWhatIsNoPicture) {
  bmpread::Layout l;
  Bytes good = bmp(2, 2, 24, 0, {}, Bytes(16, 0));
  Bytes b = good;
  b[0] = 'X';
  EXPECT_FALSE(bmpread::readLayout(b.data(), b.size(), &l));
  b = good;
  put32(b, 18, 0);  // no width
  EXPECT_FALSE(bmpread::readLayout(b.data(), b.size(), &l));
  b = good;
  put16(b, 28, 7);  // 7 bits per pixel
  EXPECT_FALSE(bmpread::readLayout(b.data(), b.size(), &l));
  b = good;
  put32(b, 18, 100000);
  put32(b, 22, 100000);  // 30 GB of pixels
  EXPECT_FALSE(bmpread::readLayout(b.data(), b.size(), &l));
  EXPECT_FALSE(bmpread::readLayout(good.data(), 20, &l));
  // Pixel data that begins past the end of the file.
  b = good;
  put32(b, 10, 5000);
  ASSERT_TRUE(bmpread::readLayout(b.data(), b.size(), &l));
  Bytes pic(l.pictureBytes);
  EXPECT_FALSE(bmpread::decode(b.data(), b.size(), l, pic.data()));
}

class PictureLoad : public testing::Test {
 protected:
  void SetUp() override { logFile().open(dir.file("error.log").c_str(), ""); }
  void TearDown() override { logFile().close(); }
  std::string log() { return readFileBytes(dir.file("error.log")); }

  TempDir dir;
};

TEST_F(PictureLoad, LogsAsTheWindowsSaver) {
  std::unique_ptr<Picture> p(loadPicture(dir.path().c_str(), "missing.pcx"));
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->failed);
  p.reset(loadPicture(dir.path().c_str(), "comic.gif"));
  EXPECT_TRUE(p->failed);
  dir.write("short.pcx", std::string(10, 'x'));
  p.reset(loadPicture(dir.path().c_str(), "short.pcx"));
  EXPECT_TRUE(p->failed);
  dir.write("broken.bmp", "BM not really");
  p.reset(loadPicture(dir.path().c_str(), "broken.bmp"));
  EXPECT_TRUE(p->failed);
  p.reset(createPicture(0, 339));
  EXPECT_TRUE(p->failed);
  std::string folder = dir.path();
  EXPECT_EQ(log(),
            folder + "/missing.pcx: Unable to open file\r\n" +
                "comic.gif: Unable to determine format...files need .pcx or .bmp extension!\r\n" +
                folder + "/short.pcx: Unable to allocate filebuffer of size -118\r\n" + folder +
                "/broken.bmp: Unable to load image\r\n" +
                "Create: Unable to create a DIB section\r\n");
}

TEST_F(PictureLoad, EndingInAnyCaseOpensTheLowerCaseFile) {
  dir.write("pic.bmp", bmp(2, 1, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0}));
  std::unique_ptr<Picture> p(loadPicture(dir.path().c_str(), "pic.BMP"));
  ASSERT_FALSE(p->failed);
  EXPECT_EQ(p->width, 2);
  EXPECT_EQ(p->height, 1);
  EXPECT_EQ(p->stride, 8);
  EXPECT_EQ(p->pixels[3], 4);
  EXPECT_EQ(log(), "");
}

TEST(PictureCopy, ClipsAndMirrors) {
  std::unique_ptr<Picture> source(createPicture(3, 2));
  std::unique_ptr<Picture> target(createPicture(4, 3));
  textpixels::Surface s = source->surface();
  // Columns 1, 2, 3 of the top row, 4, 5, 6 of the bottom one.
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x)
      s.pixels[(1 - y) * s.stride + 3 * x] = static_cast<uint8_t>(1 + x + 3 * y);
  }
  textpixels::Surface t = target->surface();
  auto at = [&](int x, int y) { return t.pixels[(t.height - 1 - y) * t.stride + 3 * x]; };
  copyPicture(s, t, 2, 2, false);  // only the top-left two pixels land
  EXPECT_EQ(at(2, 2), 1);
  EXPECT_EQ(at(3, 2), 2);
  EXPECT_EQ(at(2, 1), 0);
  copyPicture(s, t, -1, 0, true);  // mirrored: 3 2 1, the 3 falls off
  EXPECT_EQ(at(0, 0), 2);
  EXPECT_EQ(at(1, 0), 1);
  EXPECT_EQ(at(0, 1), 5);
  fillBlack(t, 1, -5, 100, 6);
  EXPECT_EQ(at(1, 0), 0);
  EXPECT_EQ(at(0, 0), 2);
  EXPECT_EQ(at(2, 2), 1);
}
