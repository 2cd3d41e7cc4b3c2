#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "core/picture/pcx_decode.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes header(int xmin, int ymin, int xmax, int ymax) {
  Bytes h(pcx::kHeaderSize, 0);
  h[0] = 10;
  h[1] = 5;
  h[2] = 1;
  h[3] = 8;
  auto put = [&](int at, int v) {
    h[at] = static_cast<uint8_t>(v & 0xFF);
    h[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
  };
  put(4, xmin);
  put(6, ymin);
  put(8, xmax);
  put(10, ymax);
  h[65] = 3;
  return h;
}

struct Decoded {
  pcx::Layout layout;
  Bytes picture;
  bool complete = false;
  // Canary past the line buffer: decode must never reach it.
  Bytes line;
};

Decoded decodeAll(const Bytes& head, const Bytes& data) {
  Decoded d;
  EXPECT_EQ(pcx::layoutOf(head.data(), &d.layout), pcx::LayoutResult::ok);
  d.picture.assign(d.layout.pictureBytes, 0xEE);
  d.line.assign(d.layout.lineBytes + 16, 0xAB);
  d.complete = pcx::decode(data.data(), data.size(), d.layout, d.line.data(), d.picture.data());
  for (size_t i = d.layout.lineBytes; i < d.line.size(); ++i) EXPECT_EQ(d.line[i], 0xAB);
  return d;
}

// Blue, green, red of picture pixel (x, y), y from the top.
Bytes pixel(const Decoded& d, int x, int y) {
  size_t at = static_cast<size_t>(d.layout.height - 1 - y) * d.layout.stride + 3 * x;
  return Bytes(d.picture.begin() + at, d.picture.begin() + at + 3);
}

}  // namespace

TEST(PcxHeader, AcceptsOnlyTheThreePlaneRunLengthVariant) {
  EXPECT_TRUE(pcx::formatAccepted(header(0, 0, 1, 1).data()));
  const std::pair<int, uint8_t> wrong[] = {{0, 11}, {1, 3}, {2, 0}, {3, 4}, {65, 1}, {65, 4}};
  for (auto [at, value] : wrong) {
    Bytes h = header(0, 0, 1, 1);
    h[at] = value;
    EXPECT_FALSE(pcx::formatAccepted(h.data())) << "offset " << at;
  }
}

TEST(PcxHeader, SizesComeFromTheSignedWindow) {
  pcx::Layout l;
  ASSERT_EQ(pcx::layoutOf(header(0, 0, 2, 1).data(), &l), pcx::LayoutResult::ok);
  EXPECT_EQ(l.width, 3);
  EXPECT_EQ(l.height, 2);
  EXPECT_EQ(l.planeLength, 4);
  EXPECT_EQ(l.stride, 12);
  EXPECT_EQ(l.lineBytes, 12u);
  EXPECT_EQ(l.pictureBytes, 24u);

  ASSERT_EQ(pcx::layoutOf(header(-5, -2, 0, 7).data(), &l), pcx::LayoutResult::ok);
  EXPECT_EQ(l.width, 6);
  EXPECT_EQ(l.height, 10);
  EXPECT_EQ(l.stride, 20);

  // An odd width stored unpadded, as its bytes-per-line field says.
  Bytes unpadded = header(0, 0, 6, 0);
  unpadded[66] = 7;
  ASSERT_EQ(pcx::layoutOf(unpadded.data(), &l), pcx::LayoutResult::ok);
  EXPECT_EQ(l.planeLength, 7);
  EXPECT_EQ(l.lineBytes, 21u);
  for (uint8_t field : {0, 8, 9, 200}) {
    unpadded[66] = field;
    ASSERT_EQ(pcx::layoutOf(unpadded.data(), &l), pcx::LayoutResult::ok);
    EXPECT_EQ(l.planeLength, 8) << int(field);
  }

  EXPECT_EQ(pcx::layoutOf(header(5, 0, 4, 0).data(), &l), pcx::LayoutResult::empty);
  EXPECT_EQ(pcx::layoutOf(header(0, 3, 0, 0).data(), &l), pcx::LayoutResult::empty);
  EXPECT_EQ(pcx::layoutOf(header(32767, 0, -32768, 0).data(), &l), pcx::LayoutResult::empty);
  // The widest window still decodes one row; a full square does not fit.
  ASSERT_EQ(pcx::layoutOf(header(-32768, 0, 32767, 0).data(), &l), pcx::LayoutResult::ok);
  EXPECT_EQ(l.width, 65536);
  EXPECT_EQ(l.stride, 196608);
  EXPECT_EQ(pcx::layoutOf(header(-32768, -32768, 32767, 32767).data(), &l),
            pcx::LayoutResult::tooLarge);
  EXPECT_EQ(pcx::layoutOf(header(0, 0, 32767, 32767).data(), &l), pcx::LayoutResult::tooLarge);
}

TEST(PcxDecode, PlanesBecomeBgrRowsBottomUp) {
  // 3 x 2: each row is 4 red, 4 green, 4 blue bytes (the fourth not shown).
  Bytes data = {1, 2, 3, 99, 11, 12, 13, 99, 21, 22, 23, 99,
                4, 5, 6, 98, 14, 15, 16, 98, 24, 25, 26, 98};
  Decoded d = decodeAll(header(0, 0, 2, 1), data);
  EXPECT_TRUE(d.complete);
  EXPECT_EQ(pixel(d, 0, 0), (Bytes{21, 11, 1}));
  EXPECT_EQ(pixel(d, 2, 0), (Bytes{23, 13, 3}));
  EXPECT_EQ(pixel(d, 1, 1), (Bytes{25, 15, 5}));
  // The top row is the last in memory; padding bytes are not written.
  EXPECT_EQ(d.picture[12], 21);
  EXPECT_EQ(d.picture[9], 0xEE);
  EXPECT_EQ(d.picture[21], 0xEE);
}

TEST(PcxDecode, RunMarkersAndRunsAcrossPlanes) {
  // 0xC3 0x7F: three 0x7F; 0xC0 0x55: nothing; 0x3F: one literal; a run of
  // five covers the last red byte, green, and the first blue byte.
  Bytes data = {0xC3, 0x7F, 0xC0, 0x55, 0x3F, 0xC5, 0x40, 0xC1, 0xC8, 0xC2, 0x09};
  Decoded d = decodeAll(header(0, 0, 3, 0), data);
  EXPECT_TRUE(d.complete);
  EXPECT_EQ(pixel(d, 0, 0), (Bytes{0x40, 0x40, 0x7F}));
  EXPECT_EQ(pixel(d, 1, 0), (Bytes{0xC8, 0x40, 0x7F}));
  EXPECT_EQ(pixel(d, 2, 0), (Bytes{0x09, 0x40, 0x7F}));
  EXPECT_EQ(pixel(d, 3, 0), (Bytes{0x09, 0x40, 0x3F}));
}

TEST(PcxDecode, RunPastTheRowEndIsCutAndTheNextRowStartsAfterIt) {
  // Width 2, plane length 2, six bytes a row. The first row's run asks for
  // 63 bytes; the next row begins with the byte after it.
  Bytes data = {0xFF, 0x11, 1, 2, 3, 4, 5, 6};
  Decoded d = decodeAll(header(0, 0, 1, 1), data);
  EXPECT_TRUE(d.complete);
  EXPECT_EQ(pixel(d, 0, 0), (Bytes{0x11, 0x11, 0x11}));
  EXPECT_EQ(pixel(d, 0, 1), (Bytes{5, 3, 1}));
  EXPECT_EQ(pixel(d, 1, 1), (Bytes{6, 4, 2}));
}

TEST(PcxDecode, CutOffDataStopsInsideTheBufferAndLeavesBlack) {
  // Second row cut after two bytes, or after one and a marker without its
  // value byte; no data at all.
  const std::pair<Bytes, uint8_t> cases[] = {{Bytes{1, 2, 3, 4, 5, 6, 7, 8}, 8},
                                             {Bytes{1, 2, 3, 4, 5, 6, 7, 0xC4}, 0}};
  for (const auto& [data, secondRed] : cases) {
    Decoded d = decodeAll(header(0, 0, 1, 2), data);
    EXPECT_FALSE(d.complete);
    EXPECT_EQ(pixel(d, 0, 0), (Bytes{5, 3, 1}));
    EXPECT_EQ(pixel(d, 0, 1), (Bytes{0, 0, 7}));
    EXPECT_EQ(pixel(d, 1, 1), (Bytes{0, 0, secondRed}));
    // The row after the cut is never written.
    EXPECT_EQ(pixel(d, 0, 2), (Bytes{0xEE, 0xEE, 0xEE}));
  }
  Decoded none = decodeAll(header(0, 0, 1, 2), Bytes{});
  EXPECT_FALSE(none.complete);
  EXPECT_EQ(pixel(none, 1, 0), (Bytes{0, 0, 0}));
  EXPECT_EQ(pixel(none, 1, 1), (Bytes{0xEE, 0xEE, 0xEE}));
}
