// The authoring checker: one planted slip of each kind is reported at its
// place, the sample folder gives nothing, and a folder that is not there
// is told apart from one with errors. Speech widths are estimated, so that
// the native and the Windows runs agree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/folder_check.h"
#include "authoring/sound_check.h"
#include "authoring/text_encoding.h"
#include "support/test_files.h"

namespace {

// A folder of the source tree, in the form the saver uses.
std::string sourceDir(const std::string& relative) {
  return saverPath(std::string(ZORBEL_SAMPLE_DIR) + "/../../" + relative);
}

struct Expected {
  const char* where;  // FILE:LINE: severity
  const char* says;   // a part of the message
};

// The folder's findings are exactly these, in this order.
void expectFindings(const char* folder, const std::vector<Expected>& expected,
                    const char* summary) {
  Findings findings;
  EXPECT_EQ(checkFolder(sourceDir(folder).c_str(), findings, estimatedSpeechMeasure()),
            FolderResult::errors);
  std::vector<Finding> found = findings.sorted();
  for (size_t i = 0; i < found.size() && i < expected.size(); ++i) {
    std::string line = formatFinding(found[i]);
    SCOPED_TRACE(line);
    EXPECT_EQ(line.rfind(expected[i].where, 0), 0u);
    EXPECT_NE(line.find(expected[i].says), std::string::npos);
  }
  EXPECT_EQ(found.size(), expected.size());
  for (size_t i = expected.size(); i < found.size(); ++i) ADD_FAILURE() << formatFinding(found[i]);
  EXPECT_EQ(formatSummary(findings), summary);
}

}  // namespace

TEST(AuthoringCheck, EachPlantedSlipIsReportedAtItsPlace) {
  expectFindings(
      "tests/unit/authoring_slips",
      {
          {"comics.ini:7: error", "missing.txt: Unable to open file (missing or unreadable)"},
          {"comics.ini:9: error", "broken.pcx: Invalid file format! (not a 24-bit three-plane"},
          // The "#" cut the caption and its closing quote: one finding for both.
          {"comics.ini:11: warning", "the caption is cut to \"We're\", and its closing quote"},
          {"comics.ini:11: warning", "nosound.wav: missing"},
          {"comics.ini:13: error", "Error: \"offical\" not recognized"},
          {"error.pcx:0: warning", "missing"},
          {"slips.txt:2: warning", "strip \"Wide\" can be 1220 pixels wide"},
          {"slips.txt:21: error", "panel 3: Couldn't find the category nowhere in seekTo()."},
          {"slips.txt:38: error", "strip \"\": Couldn't find the category cartoon  in seekTo()."},
          {"slips.txt:43: warning", "wide.pcx: 40 rows tall, shorter than the 339 rows"},
          {"slips.txt:46: warning", "tall.pcx: 400 rows tall"},
          {"slips.txt:49: error", "panel.bmp: a strip panel must be a PCX picture"},
          {"slips.txt:52: error", "Text out of bounds. (strip \"Broken\", panel 1"},
          {"slips.txt:52: warning", "\"Hello there\" is "},
          {"slips.txt:55: warning", "the saver leaves the 239 rows under it black"},
          {"slips.txt:58: warning", "the box shows \"We're\""},
          {"slips.txt:60: error", "No data in the category emptycat for getRandomString()."},
          {"slips.txt:63: error", "No terminating ] in strip header"},
      },
      "9 errors, 9 warnings");
}

// Each strip but the first has one slip of shape: one finding each, at the
// slip's line, and none of the reader's failures that would follow.
TEST(AuthoringCheck, EachSlipOfShapeIsOneFindingAtItsLine) {
  expectFindings(
      "tests/unit/authoring_shapes",
      {
          {"shapes.txt:32: error", "expected \"end\" (closing panel 2) or the text x"},
          {"shapes.txt:42: error", "found \"[cartoon Short]\": a strip has three panels"},
          {"shapes.txt:48: error",
           "expected the text size (line 5 of a text box of panel 1) "
           "here, found \"replies\": the box has a line too few"},
          {"shapes.txt:58: error",
           "the category pcis in seekTo(). (there is no line [pcis] in "
           "this file; did you mean [pics] (line 79)?)"},
          {"shapes.txt:66: error", "the header [spaced ] (line 82) has a space inside"},
          {"shapes.txt:71: error", "\"[Cartoon Capital]\" is no strip header"},
          {"shapes.txt:80: warning", "p.pcx: 40 rows tall"},
          {"shapes.txt:87: error", "the category words (line 85) has no \"end\" before this line"},
          {"shapes.txt:106: error", "the category said (line 104) has no \"end\": \"End\" on this"},
      },
      "8 errors, 1 warning");
}

TEST(AuthoringCheck, TextsThatShowWronglyAndMisplacedFiles) {
  expectFindings(
      "tests/unit/authoring_texts",
      {
          {"comics.ini:7: error", "pic.pcx is a picture, listed under random"},
          {"comics.ini:9: error", "texts.txt is a strip template, listed under official"},
          {"comics.ini:10: warning", "big.pcx is 1100 x 20 pixels, larger than a 1024"},
#ifndef _WIN32
          // Windows opens the file with other capitals, as the saver does there.
          {"comics.ini:11: error",
           "shout.pcx: Unable to open file (on disk it is "
           "\"Shout.pcx\": the names differ in capitals"},
#endif
          {"comics.ini:13: error", "its caption would begin above the top edge"},
          {"comics.ini:15: error", "a name with spaces works as it is, unquoted"},
          {"mac.txt:1: error", "carriage return alone"},
          {"texts.txt:8: warning", "text size 30 is above 25"},
          {"texts.txt:24: warning", "the lines of \"One\\Two\" (line 49) overlap"},
          {"texts.txt:37: warning", "p.pcx: 40 rows tall"},
          {"texts.txt:40: error", "photo.png: a strip panel must be a PCX picture"},
          {"texts.txt:46: warning",
           "wider than the 247 pixels a line may take in the "
           "250-pixel panel p.pcx"},
          {"utf16.txt:1: error", "saved as UTF-16"},
          {"utf8.txt:19: error", "\"Au caf\xC3\xA9\" is saved as UTF-8"},
      },
#ifndef _WIN32
      "9 errors, 5 warnings"
#else
      "8 errors, 5 warnings"
#endif
  );
}

// Slips that pass the saver's readers but show otherwise than the author
// meant, each at the line of the mistake.
TEST(AuthoringCheck, SlipsThatShowOtherwiseThanMeant) {
  expectFindings(
      "tests/unit/authoring_looks",
      {
          {"comics.ini:5: error", "topdown.bmp: a top-down BMP (its height is written as -4)"},
          {"comics.ini:7: warning", "shows the caption as \"Bolt said \"beep\" twice\""},
          {"comics.ini:7: warning", "text.wav: not a WAV sound"},
          {"looks.txt:6: warning", "tail x 400 is outside the 250-pixel panel p250.pcx"},
          {"looks.txt:15: warning", "a fourth panel is dropped"},
          {"looks.txt:36: warning", "short.pcx: 200 rows tall"},
          {"looks.txt:42: warning", "a tab in the speech text"},
          {"looks.txt:43: warning", "(a \"\\\" at its start): "},
          {"looks.txt:44: warning", "(a \"\\\" at its end): "},
          {"looks.txt:45: warning", "(two \"\\\" in a row): "},
          {"looks.txt:47: warning", "[words] is defined a second time (first at line 38)"},
      },
      "1 error, 10 warnings");
}

TEST(AuthoringCheck, EncodingScanTellsUtf8FromWindows1252) {
  auto scan = [](const std::string& s) {
    return examineEncoding(reinterpret_cast<const uint8_t*>(s.data()), s.size());
  };
  // A lone Windows-1252 letter is no UTF-8; UTF-8 in a comment does not show.
  EXPECT_EQ(scan("caf\xE9\nna\xEFve\n").utf8Line, 0);
  EXPECT_EQ(scan("a # caf\xC3\xA9\nb\n").utf8Line, 0);
  TextEncoding two = scan("\xEF\xBB\xBFok\nsay \xE2\x80\x9Chi\xE2\x80\x9D # x\nx\n\xE2\x80\xA6\n");
  EXPECT_EQ(two.utf8Line, 2);
  EXPECT_EQ(two.utf8Lines, 2);
  EXPECT_EQ(two.utf8Sample, "say \xE2\x80\x9Chi\xE2\x80\x9D");
  // A CR alone among LF line ends joins two lines; a CR LF does not.
  EXPECT_EQ(scan("a\r\nb\rc\n").loneCrLine, 2);
  EXPECT_FALSE(scan("a\r\nb\r\n").crOnly);
  EXPECT_TRUE(scan("a\rb\r").crOnly);
  EXPECT_TRUE(scan(std::string("a\0b\0", 4)).utf16);
}

TEST(AuthoringCheck, SampleFolderIsCleanAndMissingFoldersUnreadable) {
  const SpeechMeasure& measure = estimatedSpeechMeasure();
  Findings sample;
  EXPECT_EQ(checkFolder(sourceDir("data/sample").c_str(), sample, measure), FolderResult::clean);
  for (const Finding& f : sample.all()) ADD_FAILURE() << formatFinding(f);

  TempDir dir;
  Findings none;
  EXPECT_EQ(checkFolder(dir.file("nowhere").c_str(), none, measure), FolderResult::unreadable);
  EXPECT_EQ(checkFolder(dir.write("file.txt", "x").c_str(), none, measure),
            FolderResult::unreadable);
  EXPECT_EQ(checkFolder(std::string(300, 'a').c_str(), none, measure), FolderResult::unreadable);
  EXPECT_TRUE(none.all().empty());

  // A folder without comics.ini: the saver shows only the reason.
  Findings empty;
  EXPECT_EQ(checkFolder(dir.path().c_str(), empty, measure), FolderResult::errors);
  EXPECT_EQ(empty.errors(), 1);
  EXPECT_EQ(formatFinding(empty.all()[0]).rfind("comics.ini:0: error: cannot be read", 0), 0u);
}

TEST(AuthoringCheck, SpeechWidthIsTheDoubleSizeWidthRoundedUpAndHalved) {
  // A measure that gives each letter 7 pixels at double size.
  static int32_t font = 0;
  SpeechMeasure seven;
  seven.painter.openFont = [](void*, int32_t cell) {
    return cell == 28 ? reinterpret_cast<Font*>(&font) : nullptr;
  };
  seven.painter.measureText = [](void*, Font*, const char*, int32_t length, int32_t* w,
                                 int32_t* h) {
    *w = 7 * length;
    *h = 28;
  };
  EXPECT_EQ(speechLineWidth(seven, 10, "abc", 3), 11);  // 21, rounded up to 22, halved
  EXPECT_EQ(speechLineWidth(seven, 11, "abc", 3), -1);  // no font of that size
  // The estimate grows with the text and the size.
  const SpeechMeasure& estimate = estimatedSpeechMeasure();
  EXPECT_LT(speechLineWidth(estimate, 10, "Hi", 2), speechLineWidth(estimate, 10, "Hello", 5));
  EXPECT_LT(speechLineWidth(estimate, 9, "Hello", 5), speechLineWidth(estimate, 20, "Hello", 5));
}

TEST(AuthoringCheck, SoundsBothSaversPlay) {
  // RIFF, size, WAVE, then a chunk of another kind before "fmt ".
  auto wav = [](uint16_t format, uint16_t bits) {
    std::string b = std::string("RIFF\0\0\0\0WAVE", 12) + std::string("LIST\3\0\0\0abc\0", 12);
    std::string fmt(24, '\0');
    fmt.replace(0, 4, "fmt ");
    fmt[4] = 16;
    fmt[8] = static_cast<char>(format);
    fmt[22] = static_cast<char>(bits);
    return b + fmt;
  };
  EXPECT_EQ(soundProblem(wav(1, 16)), "");
  EXPECT_EQ(soundProblem(wav(1, 8)), "");
  EXPECT_NE(soundProblem(wav(2, 4)).find("encoding 2, not plain PCM"), std::string::npos);
  EXPECT_NE(soundProblem(wav(1, 24)).find("24-bit PCM"), std::string::npos);
  EXPECT_NE(soundProblem("hello, I am text").find("not a WAV sound"), std::string::npos);
  EXPECT_NE(soundProblem(wav(1, 16).substr(0, 30)).find("without a readable"), std::string::npos);
}
