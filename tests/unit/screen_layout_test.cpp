#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/picture/pixel_scale.h"
#include "core/show/screen_layout.h"

namespace {

PixelRect rect(int32_t x, int32_t y, int32_t w, int32_t h) {
  PixelRect r;
  r.x = x;
  r.y = y;
  r.width = w;
  r.height = h;
  return r;
}

void expectRect(const PixelRect& r, int32_t x, int32_t y, int32_t w, int32_t h) {
  EXPECT_EQ(r.x, x);
  EXPECT_EQ(r.y, y);
  EXPECT_EQ(r.width, w);
  EXPECT_EQ(r.height, h);
}

}  // namespace

TEST(ScreenLayout, ScaleFromThePrimaryMonitorAndTheSetting) {
  // Automatic: whole steps of 1024 x 768, the smaller of the two counts.
  EXPECT_EQ(chooseScale(1024, 768, 0), 1);
  EXPECT_EQ(chooseScale(2047, 1535, 0), 1);
  EXPECT_EQ(chooseScale(2048, 1536, 0), 2);
  EXPECT_EQ(chooseScale(3840, 2160, 0), 2);
  EXPECT_EQ(chooseScale(0, 0, 0), 1);
  // Forced: 1 to 8, at most what fits a 1024 x 768 show; anything above is
  // automatic; never past the screen.
  EXPECT_EQ(chooseScale(3840, 2160, 1), 1);
  EXPECT_EQ(chooseScale(1024, 768, 3), 1);
  EXPECT_EQ(chooseScale(1920, 1080, 3), 1);
  EXPECT_EQ(chooseScale(3072, 2304, 3), 3);
  EXPECT_EQ(chooseScale(8192, 6144, 8), 8);
  EXPECT_EQ(chooseScale(3840, 2160, 4), 2);
  EXPECT_EQ(chooseScale(3840, 2160, 9), 2);
  EXPECT_EQ(chooseScale(3840, 2160, 0xFFFFFFFFu), 2);
  EXPECT_EQ(chooseScale(5, 3, 8), 1);
}

TEST(ScreenLayout, WindowOverEveryMonitor) {
  // One monitor: the window is the primary monitor.
  ScreenLayout one = makeScreenLayout(rect(0, 0, 1024, 768), 1024, 768, 0);
  expectRect(rect(one.left, one.top, one.width, one.height), 0, 0, 1024, 768);
  EXPECT_EQ(one.scale, 1);
  EXPECT_EQ(showWidth(one), 1024);
  EXPECT_EQ(showHeight(one), 768);
  // A second head to the left, lower than the primary.
  ScreenLayout left = makeScreenLayout(rect(-800, 0, 1824, 768), 1024, 768, 0);
  expectRect(rect(left.left, left.top, left.width, left.height), -800, 0, 1824, 768);
  // Metrics that leave out part of the primary monitor are widened.
  ScreenLayout odd = makeScreenLayout(rect(100, -50, 10, 10), 1024, 768, 0);
  expectRect(rect(odd.left, odd.top, odd.width, odd.height), 0, -50, 1024, 818);
  // A large primary monitor: the show is half its size.
  ScreenLayout large = makeScreenLayout(rect(0, 0, 3840, 2160), 3840, 2160, 0);
  EXPECT_EQ(large.scale, 2);
  EXPECT_EQ(showWidth(large), 1920);
  EXPECT_EQ(showHeight(large), 1080);
  ScreenLayout odd3 = makeScreenLayout(rect(0, 0, 3073, 2305), 3073, 2305, 0);
  EXPECT_EQ(odd3.scale, 3);
  EXPECT_EQ(showWidth(odd3), 1024);
  EXPECT_EQ(showHeight(odd3), 768);
}

TEST(ScreenLayout, ShowRectanglesOnTheScreen) {
  ScreenLayout large = makeScreenLayout(rect(0, 0, 3840, 2160), 3840, 2160, 0);
  expectRect(clipToShow(large, rect(10, 20, 770, 339)), 10, 20, 770, 339);
  expectRect(clipToShow(large, rect(-10, 1000, 100, 339)), 0, 1000, 90, 80);
  expectRect(clipToShow(large, rect(1920, 0, 5, 5)), 0, 0, 0, 0);
  expectRect(clipToShow(large, rect(INT32_MAX, INT32_MAX, INT32_MAX, 1)), 0, 0, 0, 0);
  expectRect(toPrimary(large, rect(10, 20, 770, 339)), 20, 40, 1540, 678);
  expectRect(toPrimary(large, rect(-3, 0, INT32_MAX, 1)), -6, 0, INT32_MAX, 2);
  ScreenLayout one = makeScreenLayout(rect(0, 0, 1024, 768), 1024, 768, 0);
  expectRect(toPrimary(one, rect(7, 8, 9, 10)), 7, 8, 9, 10);
}

namespace {

// A bottom-up 24-bit surface of w x h, every byte 0xEE.
struct Pixels {
  Pixels(int32_t w, int32_t h) : memory(static_cast<size_t>((3 * w + 3) / 4 * 4 * h), 0xEE) {
    s.pixels = memory.data();
    s.width = w;
    s.height = h;
    s.stride = (3 * w + 3) / 4 * 4;
  }
  uint8_t* at(int32_t x, int32_t y) { return s.pixels + (s.height - 1 - y) * s.stride + 3 * x; }
  std::vector<uint8_t> memory;
  textpixels::Surface s;
};

}  // namespace

TEST(PixelScale, ReduceTakesTheTopLeftPixelOfEachBlock) {
  for (int k = 1; k <= 3; ++k) {
    // Each pixel of a k-times screen names its block and its place in it.
    Pixels large(5 * k, 3 * k);
    for (int y = 0; y < 3 * k; ++y)
      for (int x = 0; x < 5 * k; ++x) {
        uint8_t* p = large.at(x, y);
        p[0] = static_cast<uint8_t>(x / k), p[1] = static_cast<uint8_t>(y / k);
        p[2] = static_cast<uint8_t>(x % k + y % k);
      }
    Pixels small(5, 3);
    pixelscale::reduce(large.s, small.s, k);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        const uint8_t* p = small.at(x, y);
        ASSERT_EQ(p[0], x) << k;
        ASSERT_EQ(p[1], y) << k;
        ASSERT_EQ(p[2], 0) << k;
      }
    // Row padding is not written.
    EXPECT_EQ(small.memory[15], 0xEE);
  }
  // A source smaller than the target's blocks fills only what it covers.
  Pixels cut(3, 1);
  std::fill(cut.memory.begin(), cut.memory.end(), 0x11);
  Pixels big(4, 4);
  pixelscale::reduce(cut.s, big.s, 2);
  EXPECT_EQ(big.at(1, 0)[0], 0x11);
  EXPECT_EQ(big.at(2, 0)[0], 0xEE);
  EXPECT_EQ(big.at(0, 1)[0], 0xEE);
}

TEST(ScreenLayout, UnionOfRectangles) {
  expectRect(unionOf(rect(10, 20, 30, 40), rect(-5, 50, 10, 100)), -5, 20, 45, 130);
  expectRect(unionOf(PixelRect(), rect(1, 2, 3, 4)), 1, 2, 3, 4);
  expectRect(unionOf(rect(1, 2, 3, 4), rect(100, 100, 0, 9)), 1, 2, 3, 4);
  expectRect(unionOf(rect(0, 0, -1, 5), PixelRect()), 0, 0, 0, 0);
}

TEST(ScreenLayout, AShowPerMonitor) {
  // A large primary beside a small head: doubled on the large one only.
  std::vector<ShowPlace> two =
      placeShows(3072, 1536, {rect(0, 0, 2048, 1536), rect(2048, 0, 1024, 768)}, true, 0);
  ASSERT_EQ(two.size(), 2u);
  expectRect(two[0].area, 0, 0, 2048, 1536);
  EXPECT_EQ(two[0].scale, 2);
  expectRect(two[1].area, 2048, 0, 1024, 768);
  EXPECT_EQ(two[1].scale, 1);
  // The setting forces one scale on each, within each monitor's room.
  EXPECT_EQ(
      placeShows(3072, 1536, {rect(0, 0, 2048, 1536), rect(2048, 0, 1024, 768)}, true, 1)[0].scale,
      1);
  // Off, one monitor, or a mirrored copy and a monitor outside the window:
  // none, and the one show covers the screen as before.
  EXPECT_TRUE(
      placeShows(3072, 1536, {rect(0, 0, 2048, 1536), rect(2048, 0, 1024, 768)}, false, 0).empty());
  EXPECT_TRUE(placeShows(1024, 768, {rect(0, 0, 1024, 768)}, true, 0).empty());
  EXPECT_TRUE(placeShows(1024, 768,
                         {rect(0, 0, 1024, 768), rect(0, 0, 1024, 768), rect(5000, 0, 800, 600),
                          rect(0, 0, 0, 0)},
                         true, 0)
                  .empty());
  // A monitor reaching past the window is clipped to it.
  std::vector<ShowPlace> clipped =
      placeShows(1824, 768, {rect(800, 0, 1024, 768), rect(-100, 0, 900, 600)}, true, 0);
  ASSERT_EQ(clipped.size(), 2u);
  expectRect(clipped[1].area, 0, 0, 800, 600);
}

TEST(ScreenLayout, ChangesSpreadOverOneInterval) {
  EXPECT_EQ(staggerTicks(200, 0, 2), 0);
  EXPECT_EQ(staggerTicks(200, 1, 2), 100);
  EXPECT_EQ(staggerTicks(200, 2, 3), 133);
  // No delay, no timer: nothing to spread.
  EXPECT_EQ(staggerTicks(0, 1, 2), 0);
  EXPECT_EQ(staggerTicks(INT32_MAX, 3, 4), 1610612735);  // no overflow
}
