#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/log_file.h"
#include "core/picture/pcx_width.h"
#include "support/test_files.h"

namespace {

std::string header(int16_t xmin, int16_t xmax) {
  std::string bytes(128, '\0');
  bytes[0] = 10;
  std::memcpy(&bytes[4], &xmin, 2);
  std::memcpy(&bytes[8], &xmax, 2);
  return bytes;
}

TEST(PcxFileWidth, FromTheHeaderWindowAndLoggedWhenMissing) {
  TempDir dir;
  const char* folder = dir.path().c_str();
  logFile().open(dir.file("error.log").c_str(), "");

  dir.write("wide.pcx", header(0, 249));
  dir.write("shifted.pcx", header(-10, 10));
  dir.write("short.pcx", std::string("\x0a\x05\x01\x08\0\0\0\0\xff", 9));
  dir.write("ten.pcx", header(0, 9).substr(0, 10));
  dir.makeFolder("folder.pcx");
  EXPECT_EQ(pcxFileWidth(folder, "wide.pcx"), 250);
  EXPECT_EQ(pcxFileWidth(folder, "shifted.pcx"), 21);
  EXPECT_EQ(pcxFileWidth(folder, "short.pcx"), 0);  // no whole header to measure
  EXPECT_EQ(pcxFileWidth(folder, "ten.pcx"), 10);   // ten bytes are enough
  EXPECT_EQ(pcxFileWidth(folder, "folder.pcx"), 0);
  EXPECT_EQ(pcxFileWidth(folder, "gone.pcx"), 0);

  logFile().close();
  std::string log = readFileBytes(dir.file("error.log"));
  EXPECT_NE(log.find("gone.pcx: Unable to open file\r\n"), std::string::npos);
  EXPECT_EQ(log.find("short.pcx"), std::string::npos);
}

}  // namespace
