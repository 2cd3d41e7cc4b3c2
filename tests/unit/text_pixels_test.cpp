#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "core/picture/text_pixels.h"

namespace {

using textpixels::Surface;

// A bottom-up BGR surface filled with one grey value, with guard bytes
// around it that must stay untouched.
struct Canvas {
  Canvas(int w, int h, uint8_t fill) : memory(64 + ((3 * w + 3) & ~3) * h + 64, 0x5A) {
    s.width = w;
    s.height = h;
    s.stride = (3 * w + 3) & ~3;
    s.pixels = memory.data() + 64;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int b = 0; b < 3; ++b) at(x, y)[b] = fill;
  }
  uint8_t* at(int x, int y) { return s.pixels + (s.height - 1 - y) * s.stride + 3 * x; }
  uint8_t value(int x, int y) { return at(x, y)[0]; }
  bool guardsIntact() const {
    for (int i = 0; i < 64; ++i)
      if (memory[i] != 0x5A || memory[memory.size() - 1 - i] != 0x5A) return false;
    return true;
  }
  // Every pixel that is no longer the fill value.
  std::set<std::pair<int, int>> changed(uint8_t fill) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x)
        if (value(x, y) != fill) out.insert({x, y});
    return out;
  }
  std::vector<uint8_t> memory;
  Surface s;
};

}  // namespace

TEST(TextShrink, BlockMeanOfBlueDarkensTheTarget) {
  Canvas source(4, 2, 0);
  // Block 0: blue 255, 255 on the top row, 0, 0 below; green and red are
  // ignored. Block 1: all white.
  source.at(0, 0)[0] = source.at(1, 0)[0] = 255;
  source.at(0, 1)[1] = source.at(0, 1)[2] = 255;
  for (int x = 2; x < 4; ++x)
    for (int y = 0; y < 2; ++y) source.at(x, y)[0] = 255;
  Canvas target(4, 3, 200);
  textpixels::shrinkAndDarken(source.s, target.s, 1, 1);
  EXPECT_EQ(target.value(1, 1), 100);  // a 127, f 129
  EXPECT_EQ(target.value(2, 1), 0);    // a 255, f 1: 200 / 256
  EXPECT_EQ(target.changed(200), (std::set<std::pair<int, int>>{{1, 1}, {2, 1}}));
}

TEST(TextShrink, OddSizesAndEdgesStayInside) {
  Canvas white(5, 5, 255);
  Canvas target(3, 3, 100);
  // 2 x 2 blocks only: the fifth row and column are not sampled; the shrunk
  // picture hangs off the left, top, right and bottom.
  for (auto [x0, y0] : {std::pair{-1, -1}, std::pair{2, 2}, std::pair{-5, 0}, std::pair{3, 0}}) {
    Canvas t(3, 3, 100);
    textpixels::shrinkAndDarken(white.s, t.s, x0, y0);
    EXPECT_TRUE(t.guardsIntact());
  }
  textpixels::shrinkAndDarken(white.s, target.s, 0, 0);
  EXPECT_EQ(target.changed(100).size(), 4u);
  Canvas flat(4, 1, 255);
  textpixels::shrinkAndDarken(flat.s, target.s, 0, 0);  // height 1: nothing
  EXPECT_EQ(target.changed(100).size(), 4u);
}

TEST(TailLine, VerticalIsTwoColumnsFromAboveTheSpeakerToTheText) {
  Canvas c(110, 310, 200);
  textpixels::drawTailLine(c.s, 100, 50, 100, 300);
  std::set<std::pair<int, int>> want;
  for (int y = 50; y <= 299; ++y) want.insert({100, y}), want.insert({101, y});
  EXPECT_EQ(c.changed(200), want);
  EXPECT_EQ(c.value(100, 50), 0);
}

TEST(TailLine, HorizontalStartsAtTheSpeakerAndCoversTheRowAbove) {
  Canvas c(20, 10, 200);
  textpixels::drawTailLine(c.s, 3, 5, 8, 5);  // speaker right of the text
  std::set<std::pair<int, int>> want;
  for (int x = 3; x <= 7; ++x) want.insert({x, 5}), want.insert({x, 4});
  EXPECT_EQ(c.changed(200), want);
  Canvas same(5, 5, 200);
  textpixels::drawTailLine(same.s, 2, 2, 2, 2);
  EXPECT_TRUE(same.changed(200).empty());
}

TEST(TailLine, DiagonalGoesUpFromTheLowerEnd) {
  Canvas c(20, 20, 200);
  // Text end below the speaker: the walk starts at the text end.
  textpixels::drawTailLine(c.s, 10, 15, 6, 11);
  std::set<std::pair<int, int>> want;
  for (int k = 1; k <= 4; ++k) want.insert({10 - k, 15 - k}), want.insert({11 - k, 15 - k});
  EXPECT_EQ(c.changed(200), want);
}

TEST(TailLine, SteepLineShadesWithTwoHundredFiftyFive) {
  Canvas c(20, 20, 200);
  // Speaker (5, 10), text (6, 6): dx 1, dy 4, slope 0.25, three steps.
  textpixels::drawTailLine(c.s, 6, 6, 5, 10);
  // Step 1: fraction .25, h 63, row 9: (5) by 63, (6) black, (7) by 192.
  EXPECT_EQ(c.value(5, 9), 200 * 63 / 256);
  EXPECT_EQ(c.value(6, 9), 0);
  EXPECT_EQ(c.value(7, 9), 200 * 192 / 256);
  // Step 2: fraction .5, h 127.
  EXPECT_EQ(c.value(5, 8), 200 * 127 / 256);
  EXPECT_EQ(c.value(7, 8), 200 * 128 / 256);
  // Step 3: fraction .75, h 191.
  EXPECT_EQ(c.value(5, 7), 200 * 191 / 256);
  EXPECT_EQ(c.value(7, 7), 200 * 64 / 256);
  EXPECT_EQ(c.changed(200).size(), 9u);
}

TEST(TailLine, SteepLineLeftwardCarriesAColumn) {
  Canvas c(20, 20, 200);
  // Speaker (10, 12), text (8, 8): dx 2, dy 4, slope .5, sx -1.
  textpixels::drawTailLine(c.s, 8, 8, 10, 12);
  // Step 2 reaches fraction 1: the column moves to 9, h 0 (black).
  EXPECT_EQ(c.value(9, 10), 0);
  EXPECT_EQ(c.value(8, 10), 0);
  EXPECT_EQ(c.value(7, 10), 200 * 255 / 256);
  // Step 1: fraction .5, h 127 at column 10.
  EXPECT_EQ(c.value(10, 11), 200 * 127 / 256);
  EXPECT_EQ(c.value(9, 11), 0);
  EXPECT_EQ(c.value(8, 11), 200 * 128 / 256);
}

TEST(TailLine, FlatLineShadesWithTwoHundredFiftySix) {
  Canvas c(20, 20, 200);
  // Speaker (2, 10), text (6, 9): dx 4, dy 1, slope .25, three steps.
  textpixels::drawTailLine(c.s, 6, 9, 2, 10);
  EXPECT_EQ(c.value(3, 10), 200 * 64 / 256);  // h .25 x 256 = 64
  EXPECT_EQ(c.value(3, 9), 0);
  EXPECT_EQ(c.value(3, 8), 200 * 191 / 256);
  EXPECT_EQ(c.value(5, 10), 200 * 192 / 256);
  EXPECT_EQ(c.value(5, 8), 200 * 63 / 256);
  EXPECT_EQ(c.changed(200).size(), 9u);
}

TEST(TailLine, PixelsOffTheSurfaceAreSkipped) {
  Canvas c(8, 8, 200);
  textpixels::drawTailLine(c.s, -30, -40, 40, 50);
  textpixels::drawTailLine(c.s, 7, 0, 7, 30);
  textpixels::drawTailLine(c.s, -3, 3, 30, 7);
  EXPECT_TRUE(c.guardsIntact());
  EXPECT_EQ(c.value(7, 3), 0);
}

namespace {

// Single-precision arithmetic done in integers, so that the expected tails
// do not depend on the floating-point unit that runs the test. Values lie
// in [0, 2) and are held as multiples of 2^-40.
constexpr int kPoint = 40;
constexpr uint64_t kOne = uint64_t{1} << kPoint;

// Rounds to 24 significant bits, ties to even; sticky says that non-zero
// bits below v were already dropped.
uint64_t toSingle(uint64_t v, bool sticky = false) {
  int top = 63;
  while (top > 0 && (v >> top) == 0) --top;
  if (top <= 23) return v;
  int shift = top - 23;
  uint64_t keep = v >> shift;
  uint64_t rest = v & ((uint64_t{1} << shift) - 1);
  uint64_t half = uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (sticky || (keep & 1) != 0))) ++keep;
  return keep << shift;
}

// The tail's walk for slanted lines with the arithmetic above; the
// lower end is the speaker.
void referenceTail(const Surface& s, int32_t textX, int32_t textY, int32_t x, int32_t y) {
  int32_t dx = std::abs(textX - x);
  int32_t sx = textX >= x ? 1 : -1;
  int32_t dy = y - textY;
  bool steep = dy > dx;
  int32_t run = steep ? dy : dx;
  int32_t rise = steep ? dx : dy;
  uint64_t numerator = static_cast<uint64_t>(rise) << kPoint;
  uint64_t slope =
      toSingle(numerator / static_cast<uint64_t>(run), numerator % static_cast<uint64_t>(run) != 0);
  uint64_t fraction = 0;
  for (int32_t k = 0; k < run - 1; ++k) {
    fraction = toSingle(fraction + slope);
    bool carry = fraction >= kOne;
    if (carry) fraction = toSingle(fraction - kOne);
    int32_t h = static_cast<int32_t>(toSingle(fraction * (steep ? 255 : 256)) >> kPoint);
    if (steep) {
      if (carry) x += sx;
      --y;
      textpixels::darken(s, x, y, h);
      textpixels::blacken(s, x + sx, y);
      textpixels::darken(s, x + 2 * sx, y, 255 - h);
    } else {
      if (carry) --y;
      x += sx;
      textpixels::darken(s, x, y, h);
      textpixels::blacken(s, x, y - 1);
      textpixels::darken(s, x, y - 2, 255 - h);
    }
  }
}

}  // namespace

// Slopes that are not exact in binary: both builds, 32-bit and 64-bit, must
// give the single-precision result pixel for pixel.
TEST(TailLine, InexactSlopesFollowSinglePrecision) {
  EXPECT_EQ(toSingle(kOne / 3, true), 0x5555558000u);  // 1/3 as a float
  uint32_t state = 12345;
  auto next = [&state](int32_t limit) {
    state = state * 1103515245u + 12345u;
    return static_cast<int32_t>((state >> 8) % static_cast<uint32_t>(limit));
  };
  int slanted = 0;
  for (int round = 0; round < 300; ++round) {
    int32_t speakerX = 10 + next(110), speakerY = 40 + next(80);
    int32_t textX = 10 + next(110), textY = speakerY - 1 - next(35);
    if (round == 0) speakerX = 10, speakerY = 100, textX = 18, textY = 82;
    int32_t dx = std::abs(textX - speakerX), dy = speakerY - textY;
    if (dx == 0 || dx == dy) continue;
    ++slanted;
    Canvas got(130, 130, 200), want(130, 130, 200);
    textpixels::drawTailLine(got.s, textX, textY, speakerX, speakerY);
    referenceTail(want.s, textX, textY, speakerX, speakerY);
    ASSERT_EQ(got.memory, want.memory)
        << "tail from (" << textX << "," << textY << ") to (" << speakerX << "," << speakerY << ")";
  }
  EXPECT_GT(slanted, 250);
}
