#include <gtest/gtest.h>

#include <climits>

#include "base/log_file.h"
#include "support/test_files.h"

namespace {

std::string header() { return std::string("-----------Quenwick Log File----------\r\n"); }

}  // namespace

TEST(LogFile, DefaultHeaderIsFortyBytesWithCrLf) {
  TempDir dir;
  LogFile log;
  log.open(dir.file("error.log").c_str());
  log.close();
  std::string bytes = readFileBytes(dir.file("error.log"));
  EXPECT_EQ(bytes.size(), 40u);
  EXPECT_EQ(bytes, header());
}

TEST(LogFile, TextsAndIntegersAreWrittenExactly) {
  TempDir dir;
  LogFile log;
  log.open(dir.file("error.log").c_str());
  log.write("a\nb").write("").write(0).write(-5).write(2147483647).write(INT32_MIN);
  log.write("x\r\ny");  // CR already in the text stays, so CR CR LF
  log.close();
  EXPECT_EQ(readFileBytes(dir.file("error.log")),
            header() + "a\r\nb0-52147483647-2147483648x\r\r\ny");
}

TEST(LogFile, GivenHeaderReplacesTheDefaultAndReopenTruncates) {
  TempDir dir;
  LogFile log;
  log.open(dir.file("error.log").c_str());
  log.write("first run\n");
  log.close();
  log.open(dir.file("error.log").c_str(), "H\n");
  log.write("x");
  // Every byte is on disk before close.
  EXPECT_EQ(readFileBytes(dir.file("error.log")), "H\r\nx");
  log.close();
}

TEST(LogFile, WritesWithoutAFileGoNowhere) {
  LogFile never;
  never.write("nothing").write(42);
  never.close();
  TempDir dir;
  LogFile failed;
  failed.open(dir.file("missing-folder\\error.log").c_str());
  EXPECT_FALSE(failed.isOpen());
  failed.write("lost\n");
  failed.close();
  EXPECT_FALSE(fileExists(dir.file("missing-folder\\error.log")));
}

TEST(LogFile, FormatDecimalCoversTheWholeRange) {
  char text[12];
  formatDecimal(0, text);
  EXPECT_STREQ(text, "0");
  formatDecimal(INT32_MIN, text);
  EXPECT_STREQ(text, "-2147483648");
  formatDecimal(-1, text);
  EXPECT_STREQ(text, "-1");
  formatDecimal(1000000, text);
  EXPECT_STREQ(text, "1000000");
}

// Copies of the Linux saver share one log: each appends its header and
// whole lines, however its pieces of a line meet the other's.
TEST(LogFile, SharedLogsKeepEveryRunAndWholeLines) {
  TempDir dir;
  LogFile first;
  first.openShared(dir.file("error.log").c_str());
  first.write("kept\n");
  first.close();
  LogFile a;
  LogFile b;
  a.openShared(dir.file("error.log").c_str());
  b.openShared(dir.file("error.log").c_str());
  a.write("a.pcx").write(": Unable to open file");
  b.write("b.pcx: ").write(7).write("\n");
  a.write("\n").write("partial");
  EXPECT_EQ(readFileBytes(dir.file("error.log")), header() + "kept\r\n" + header() + header() +
                                                      "b.pcx: 7\r\n" +
                                                      "a.pcx: Unable to open file\r\n");
  a.close();  // the rest of a line goes out at close
  b.close();
  EXPECT_EQ(readFileBytes(dir.file("error.log")).substr(40 * 3 + 6 + 10 + 28), "partial");
}
