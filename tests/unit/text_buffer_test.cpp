#include <gtest/gtest.h>

#include <cstring>

#include "core/strip/strip_randomizer.h"
#include "core/strip/text_buffer.h"
#include "support/test_files.h"

namespace {

std::vector<std::string> rawLines(const std::string& bytes, int capacity = 200) {
  TempDir dir;
  std::string path = dir.write("t.txt", bytes);
  TextBuffer buffer;
  EXPECT_TRUE(buffer.loadFile(path.c_str()));
  std::vector<std::string> lines;
  std::vector<char> line(static_cast<size_t>(capacity));
  while (!buffer.atEnd()) {
    buffer.readRawLine(line.data(), capacity);
    lines.emplace_back(line.data());
  }
  return lines;
}

// A randomizer on a file of the given text, ready for line operations.
struct LoadedTemplate {
  TempDir dir;
  StripRandomizer r;
  explicit LoadedTemplate(const std::string& text) {
    std::string path = dir.write("t.txt", text);
    EXPECT_TRUE(r.buffer().loadFile(path.c_str()));
  }
};

}  // namespace

TEST(TextBuffer, LineEndingsAndCarriageReturns) {
  EXPECT_EQ(rawLines("a\nb\r\nc"), (std::vector<std::string>{"a", "b", "c"}));
  // A lone CR vanishes; CR CR LF keeps one CR.
  EXPECT_EQ(rawLines("x\ry\n"), (std::vector<std::string>{"xy"}));
  EXPECT_EQ(rawLines("end\r\r\n"), (std::vector<std::string>{"end\r"}));
  EXPECT_EQ(rawLines("tail\r"), (std::vector<std::string>{"tail"}));
}

TEST(TextBuffer, LongLinesComeBackInPieces) {
  std::string l199(199, 'a');
  EXPECT_EQ(rawLines(l199 + "\nz"), (std::vector<std::string>{l199, "", "z"}));
  std::string l250(250, 'b');
  EXPECT_EQ(rawLines(l250),
            (std::vector<std::string>{std::string(199, 'b'), std::string(51, 'b')}));
  // Capacity 1 stores nothing but still returns.
  TempDir dir;
  TextBuffer buffer;
  ASSERT_TRUE(buffer.loadFile(dir.write("t", "ab").c_str()));
  char one[1] = {'q'};
  EXPECT_EQ(buffer.readRawLine(one, 1), 0);
  EXPECT_EQ(one[0], '\0');
}

TEST(TextBuffer, EmptyMissingAndReleasedFiles) {
  TempDir dir;
  TextBuffer empty;
  ASSERT_TRUE(empty.loadFile(dir.write("e", "").c_str()));
  EXPECT_EQ(empty.size(), 0);
  EXPECT_TRUE(empty.atEnd());

  TextBuffer missing;
  EXPECT_FALSE(missing.loadFile(dir.file("nope").c_str()));
  EXPECT_TRUE(missing.atEnd());

  // A folder opens as no file.
  dir.makeFolder("folder");
  TextBuffer folder;
  EXPECT_FALSE(folder.loadFile(dir.file("folder").c_str()));

  TextBuffer released;
  ASSERT_TRUE(released.loadFile(dir.write("r", "line\n").c_str()));
  released.release();
  char line[200] = "untouched";
  EXPECT_EQ(released.readRawLine(line, 200), 0);
  EXPECT_STREQ(line, "untouched");
  EXPECT_TRUE(released.atEnd());
}

TEST(TextBuffer, MarkRewindAndReturn) {
  TempDir dir;
  TextBuffer b;
  ASSERT_TRUE(b.loadFile(dir.write("m", "one\ntwo\nthree\n").c_str()));
  char line[200];
  b.readRawLine(line, 200);
  b.markPosition();
  b.readRawLine(line, 200);
  EXPECT_STREQ(line, "two");
  b.returnToMark();
  b.readRawLine(line, 200);
  EXPECT_STREQ(line, "two");
  b.rewind();
  b.readRawLine(line, 200);
  EXPECT_STREQ(line, "one");
}

TEST(LineLayer, CleanLineStripsCommentsAndBlanksOnly) {
  StripRandomizer r;
  char a[200] = "x # y";
  r.cleanLine(a);
  EXPECT_STREQ(a, "x");
  char b[200] = "\t[name]  # note";
  r.cleanLine(b);
  EXPECT_STREQ(b, "[name]");
  char c[200] = " \t \t";
  r.cleanLine(c);
  EXPECT_STREQ(c, "");
  char d[200] = "end\r";
  r.cleanLine(d);
  EXPECT_STREQ(d, "end\r");
  char e[200] = "#all comment";
  r.cleanLine(e);
  EXPECT_STREQ(e, "");
  EXPECT_EQ(r.statusCode(), Working);
  r.cleanLine(nullptr);
  EXPECT_EQ(r.statusCode(), BadPointer);
  EXPECT_STREQ(r.statusMessage(), "Can't write to null pointer, thanks though");
}

TEST(LineLayer, DropFirstCharAndBracketize) {
  StripRandomizer r;
  char t[201] = "abc";
  r.dropFirstChar(t);
  EXPECT_STREQ(t, "bc");
  char empty[201] = "";
  r.dropFirstChar(empty);
  EXPECT_STREQ(empty, "");
  r.bracketize(t);
  EXPECT_STREQ(t, "[bc]");

  char n198[201];
  std::memset(n198, 'n', 198);
  n198[198] = '\0';
  r.bracketize(n198);
  EXPECT_EQ(std::strlen(n198), 200u);
  EXPECT_EQ(n198[0], '[');
  EXPECT_EQ(n198[199], ']');
  EXPECT_EQ(r.statusCode(), Working);

  char n199[201];
  std::memset(n199, 'n', 199);
  n199[199] = '\0';
  r.bracketize(n199);
  EXPECT_EQ(std::strlen(n199), 199u);
  EXPECT_EQ(r.statusCode(), TooLong);
  EXPECT_STREQ(r.statusMessage(), "Line too long in bracketize.");
}

TEST(LineLayer, ReadLineSkipsUnusableLinesAndReportsTheEnd) {
  LoadedTemplate t("\n  # c\nfirst\n\n\t second  \n#x\n");
  char line[200];
  t.r.readLine(line);
  EXPECT_STREQ(line, "first");
  t.r.readLine(line);
  EXPECT_STREQ(line, "second");
  EXPECT_EQ(t.r.statusCode(), Working);
  t.r.readLine(line);
  EXPECT_EQ(t.r.statusCode(), EndOfData);
  EXPECT_STREQ(t.r.statusMessage(), "Didn't find any usable data in the file.");
  strcpy(line, "keep");
  t.r.readLine(line);
  EXPECT_STREQ(t.r.statusMessage(), "Tried to read past the end of the file.");
  EXPECT_STREQ(line, "keep");

  LoadedTemplate empty("");
  empty.r.readLine(line);
  EXPECT_EQ(empty.r.statusCode(), EndOfData);
  EXPECT_STREQ(empty.r.statusMessage(), "Tried to read past the end of the file.");

  // The last usable line comes back without an error.
  LoadedTemplate last("only");
  last.r.readLine(line);
  EXPECT_STREQ(line, "only");
  EXPECT_EQ(last.r.statusCode(), Working);

  LoadedTemplate nul("x\n");
  nul.r.readLine(nullptr);
  EXPECT_EQ(nul.r.statusCode(), BadPointer);
}

TEST(LineLayer, SeekToFindsTheFirstHeaderFromTheTop) {
  LoadedTemplate t("[a]\none\nend\n\t[b]  # note\ntwo\nend\n[a]\nthree\nend\n");
  char line[200];
  t.r.seekTo("b");
  t.r.readLine(line);
  EXPECT_STREQ(line, "two");
  t.r.seekTo("a");
  t.r.readLine(line);
  EXPECT_STREQ(line, "one");
  EXPECT_EQ(t.r.statusCode(), Working);

  t.r.seekTo("missing");
  EXPECT_EQ(t.r.statusCode(), NotFound);
  EXPECT_STREQ(t.r.statusMessage(), "Couldn't find the category missing in seekTo().");
  // The proceed rule keeps the first error.
  t.r.seekTo("b");
  EXPECT_STREQ(t.r.statusMessage(), "Couldn't find the category missing in seekTo().");
}

TEST(LineLayer, SeekToAtTheEndOfTheFile) {
  LoadedTemplate t("x\n[last]\n");
  char line[200];
  t.r.seekTo("last");
  EXPECT_EQ(t.r.statusCode(), Working);
  EXPECT_TRUE(t.r.buffer().atEnd());
  t.r.readLine(line);
  EXPECT_EQ(t.r.statusCode(), EndOfData);

  // Trailing comment lines: readLine reports the end before seekTo can.
  LoadedTemplate trailing("x\n# only a comment\n");
  trailing.r.seekTo("nothere");
  EXPECT_EQ(trailing.r.statusCode(), EndOfData);

  LoadedTemplate nothing("");
  nothing.r.seekTo(nullptr);
  EXPECT_EQ(nothing.r.statusCode(), BadPointer);
}

TEST(LineLayer, SeekToWithANameTooLongToBracketize) {
  std::string name(199, 'q');
  LoadedTemplate found("a\n" + name + "\nb\n");
  found.r.seekTo(name.c_str());
  EXPECT_EQ(found.r.statusCode(), TooLong);
  LoadedTemplate absent("a\nb\n");
  absent.r.seekTo(name.c_str());
  EXPECT_EQ(absent.r.statusCode(), NotFound);
  EXPECT_LT(std::strlen(absent.r.statusMessage()), 200u);
  EXPECT_EQ(std::string(absent.r.statusMessage()).rfind("Couldn't find the category qqq", 0), 0u);
}

TEST(TextBuffer, ByteOrderMarkAtTheStartOnlyIsDropped) {
  EXPECT_EQ(rawLines("\xEF\xBB\xBFzb\nx\xEF\xBB\xBF"),
            (std::vector<std::string>{"zb", "x\xEF\xBB\xBF"}));
  EXPECT_EQ(rawLines("\xEF\xBB"), (std::vector<std::string>{"\xEF\xBB"}));
  EXPECT_EQ(rawLines("\xEF\xBB\xBF"), (std::vector<std::string>{}));

  // The first strip header of a template saved with a mark is a strip.
  TempDir dir;
  std::string path = dir.write("t.txt", "\xEF\xBB\xBF[cartoon A]\n[cartoon B]\n");
  StripRandomizer r;
  r.loadTemplateFile(path.c_str());
  EXPECT_EQ(r.stripCount(), 2);
  EXPECT_TRUE(r.buffer().hadByteOrderMark());
  r.loadTemplateFile(dir.write("u.txt", "[cartoon A]\n").c_str());
  EXPECT_FALSE(r.buffer().hadByteOrderMark());
}

TEST(TextBuffer, LineCounterFollowsPositionsBothWays) {
  LoadedTemplate t("a\r\nb\n\nc");
  LineCounter lines;
  EXPECT_EQ(lines.lineAt(t.r.buffer(), 0), 1);
  EXPECT_EQ(lines.lineAt(t.r.buffer(), 3), 2);
  EXPECT_EQ(lines.lineAt(t.r.buffer(), 7), 4);
  EXPECT_EQ(lines.lineAt(t.r.buffer(), 2), 1);
  EXPECT_EQ(lines.lineAt(t.r.buffer(), 999), 4);
}
