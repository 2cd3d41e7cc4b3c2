#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "base/log_file.h"
#include "core/picture/bmp_header.h"
#include "support/test_files.h"

namespace {

uint32_t le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::set<std::string>* takenNames = nullptr;
bool takenInSet(const char* path) { return takenNames->count(path) != 0; }
bool everythingTaken(const char*) { return true; }
bool allButTheLastTaken(const char* path) { return std::strstr(path, "shot9999") == nullptr; }
int calls = 0;
bool countingTaken(const char*) {
  ++calls;
  return true;
}

std::string shotName(const char* path) { return std::string(path).substr(std::strlen("D\\")); }

}  // namespace

TEST(BmpHeaders, ByteExactFor5x2) {
  uint8_t h[bmp::kHeadersSize];
  bmp::writeHeaders(h, 5, 2);
  const uint8_t want[54] = {'B', 'M', 86, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                            5,   0,   0,  0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(h, h + 54), std::vector<uint8_t>(want, want + 54));
  EXPECT_EQ(bmp::rowLength(5), 16u);
  EXPECT_EQ(bmp::imageSize(5, 2), 32u);
  EXPECT_EQ(bmp::rowLength(4), 12u);
  EXPECT_EQ(bmp::rowLength(1), 4u);

  bmp::writeHeaders(h, 0, 7);
  EXPECT_EQ(le32(h + 2), 54u);
  EXPECT_EQ(le32(h + 22), 7u);
  bmp::writeHeaders(h, 1920, 1080);
  EXPECT_EQ(le32(h + 2), 54u + 5760u * 1080u);
  EXPECT_EQ(bmp::imageSize(-3, 5), 0u);
  EXPECT_EQ(bmp::imageSize(65536, 65536), 0u);  // beyond the 32-bit size fields
}

TEST(BmpFile, OtherProgramsReadTheSamePicture) {
#ifdef _WIN32
  GTEST_SKIP() << "the image tools run on the build host";
#else
  if (std::system("command -v convert >/dev/null") != 0) GTEST_SKIP() << "no ImageMagick";
#endif
  TempDir dir;
  const int w = 5, h = 3;
  std::vector<uint8_t> rows(bmp::imageSize(w, h), 0xCC);  // padding bytes
  // Bottom-up BGR: picture row y is memory row h - 1 - y.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = rows.data() + (h - 1 - y) * bmp::rowLength(w) + 3 * x;
      p[0] = static_cast<uint8_t>(10 * x);        // blue
      p[1] = static_cast<uint8_t>(100 + 10 * y);  // green
      p[2] = static_cast<uint8_t>(200 + x + y);   // red
    }
  std::string path = dir.file("shot0000.bmp");
  zfile::Handle file = zfile::createWrite(path.c_str());
  ASSERT_NE(file, zfile::kNoFile);
  EXPECT_TRUE(bmp::writeFile(file, w, h, rows.data()));
  zfile::close(file);
  EXPECT_EQ(readFileBytes(path).size(), 54u + 48u);

  std::string unixPath = dir.path() + "/shot0000.bmp";
  std::string rgb = dir.path() + "/out.rgb";
  ASSERT_EQ(
      std::system(
          ("identify -format '%w %h %m' " + unixPath + " > " + dir.path() + "/id.txt").c_str()),
      0);
  EXPECT_EQ(readFileBytes(dir.file("id.txt")), "5 3 BMP3");
  ASSERT_EQ(std::system(("convert " + unixPath + " -depth 8 rgb:" + rgb).c_str()), 0);
  std::string got = readFileBytes(dir.file("out.rgb"));
  ASSERT_EQ(got.size(), 45u);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = reinterpret_cast<const unsigned char*>(got.data()) + 3 * (y * w + x);
      EXPECT_EQ(p[0], 200 + x + y);
      EXPECT_EQ(p[1], 100 + 10 * y);
      EXPECT_EQ(p[2], 10 * x);
    }
}

TEST(ShotNames, FirstFreeNameWithCarries) {
  std::set<std::string> taken;
  takenNames = &taken;
  char path[bmp::kPathSize];
  ASSERT_TRUE(bmp::nextShotPath(path, "D", takenInSet));
  EXPECT_STREQ(path, "D\\shot0000.bmp");
  taken = {"D\\shot0000.bmp", "D\\shot0002.bmp"};
  ASSERT_TRUE(bmp::nextShotPath(path, "D", takenInSet));
  EXPECT_EQ(shotName(path), "shot0001.bmp");
  taken.clear();
  for (int i = 0; i <= 9; ++i) taken.insert("D\\shot000" + std::to_string(i) + ".bmp");
  ASSERT_TRUE(bmp::nextShotPath(path, "D", takenInSet));
  EXPECT_EQ(shotName(path), "shot0010.bmp");
  for (int i = 10; i <= 999; ++i) {
    std::string n = std::to_string(i);
    taken.insert("D\\shot" + std::string(4 - n.size(), '0') + n + ".bmp");
  }
  ASSERT_TRUE(bmp::nextShotPath(path, "D", takenInSet));
  EXPECT_EQ(shotName(path), "shot1000.bmp");
}

TEST(ShotNames, TheLastNameIsShot9999AndAfterItNone) {
  TempDir dir;
  logFile().open(dir.file("error.log").c_str(), "");
  char path[bmp::kPathSize];
  ASSERT_TRUE(bmp::nextShotPath(path, "D", allButTheLastTaken));
  EXPECT_EQ(shotName(path), "shot9999.bmp");
  calls = 0;
  EXPECT_FALSE(bmp::nextShotPath(path, "D", countingTaken));
  EXPECT_EQ(calls, 10000);
  std::string tooLong(500, 'x');
  EXPECT_FALSE(bmp::nextShotPath(path, tooLong.c_str(), everythingTaken));
  logFile().close();
  EXPECT_EQ(readFileBytes(dir.file("error.log")), "D: No free screenshot name\r\n");
}

TEST(ShotNames, FoldersCountAsTakenOnDisk) {
  TempDir dir;
  dir.write("shot0000.bmp", std::string("x"));
  dir.makeFolder("shot0001.bmp");
  char path[bmp::kPathSize];
  ASSERT_TRUE(bmp::nextShotPath(path, dir.path().c_str(), zfile::exists));
  EXPECT_EQ(std::string(path), dir.file("shot0002.bmp"));
}
