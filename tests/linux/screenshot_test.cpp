#include <gtest/gtest.h>

#include <string>

#include "base/log_file.h"
#include "support/test_files.h"
#include "x11/screenshot.h"

TEST(LinuxScreenshot, NumberedFilesOfTheEnlargedItemInAFolderItMakes) {
  TempDir dir;
  ScreenBuffer screen;
  ASSERT_TRUE(screen.resize(2048, 1536, 0));  // scale 2
  textpixels::Surface s = screen.surface();
  s.pixels[(s.height - 1 - 10) * s.stride + 3 * 20 + 2] = 0xFF;  // red at 20, 10
  std::string folder = dir.path() + "/Pictures/Zorbel Screensaver";
  std::string first = saveScreenshot(screen, {20, 10, 5, 2}, folder);
  EXPECT_EQ(first, folder + "/shot0000.bmp");
  EXPECT_EQ(saveScreenshot(screen, {20, 10, 5, 2}, folder), folder + "/shot0001.bmp");
  std::string bytes = readFileBytes(first);
  // 10 x 4 pixels: rows of 32 bytes, 54 + 128 bytes in all.
  ASSERT_EQ(bytes.size(), 182u);
  EXPECT_EQ(static_cast<uint8_t>(bytes[18]), 10);
  EXPECT_EQ(static_cast<uint8_t>(bytes[22]), 4);
  // The top-left 2 x 2 block is red: the last two rows, first two pixels.
  for (int row : {2, 3}) {
    for (int x : {0, 1}) EXPECT_EQ(static_cast<uint8_t>(bytes[54 + row * 32 + 3 * x + 2]), 0xFF);
  }
  EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 3 * 32 + 3 * 2 + 2]), 0);
}

TEST(LinuxScreenshot, AFolderThatCannotBeMadeIsLogged) {
  TempDir dir;
  logFile().open(dir.file("error.log").c_str(), "");
  dir.write("file", "x");
  ScreenBuffer screen;
  ASSERT_TRUE(screen.resize(64, 64, 1));
  std::string folder = dir.path() + "/file/shots";
  EXPECT_EQ(saveScreenshot(screen, {0, 0, 4, 4}, folder), "");
  logFile().close();
  EXPECT_EQ(readFileBytes(dir.file("error.log")), folder + ": Unable to save a screenshot\r\n");
}
