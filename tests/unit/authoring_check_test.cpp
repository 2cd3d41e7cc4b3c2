// The authoring checker: one planted slip of each kind is reported at its
// place, the sample folder gives nothing, and a folder that is not there
// is told apart from one with errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/folder_check.h"
#include "core/show/settings.h"
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

}  // namespace

TEST(AuthoringCheck, EachPlantedSlipIsReportedAtItsPlace) {
  Findings findings;
  EXPECT_EQ(checkFolder(sourceDir("tests/unit/authoring_slips").c_str(), findings),
            FolderResult::errors);
  const Expected expected[] = {
      {"comics.ini:1: warning", "byte-order mark"},
      {"comics.ini:7: error", "missing.txt: Unable to open file"},
      {"comics.ini:9: error", "broken.pcx: Invalid file format! (not a 24-bit three-plane"},
      {"comics.ini:11: warning", "\"#\" starts a comment, also inside quotes"},
      {"comics.ini:11: warning", "odd number of double quotes"},
      {"comics.ini:11: warning", "nosound.wav: missing"},
      {"comics.ini:13: error", "Error: \"offical\" not recognized"},
      {"error.pcx:0: warning", "missing"},
      {"slips.txt:2: warning", "strip \"Wide\" can be 1220 pixels wide"},
      {"slips.txt:10: error", "panel 3: Couldn't find the category nowhere in seekTo()."},
      {"slips.txt:38: error", "strip \"\": Couldn't find the category cartoon  in seekTo()."},
      {"slips.txt:46: warning", "tall.pcx: 400 rows tall"},
      {"slips.txt:49: error", "panel.bmp: a strip panel must be a PCX picture"},
      {"slips.txt:52: error", "Text out of bounds. (strip \"Broken\", panel 1"},
      {"slips.txt:58: warning", "the box shows \"We're\""},
      {"slips.txt:60: error", "No data in the category emptycat for getRandomString()."},
      {"slips.txt:63: error", "No terminating ] in strip header"},
  };
  std::vector<Finding> found = findings.sorted();
  ASSERT_EQ(found.size(), sizeof expected / sizeof expected[0]);
  for (size_t i = 0; i < found.size(); ++i) {
    std::string line = formatFinding(found[i]);
    SCOPED_TRACE(line);
    EXPECT_EQ(line.rfind(expected[i].where, 0), 0u);
    EXPECT_NE(line.find(expected[i].says), std::string::npos);
  }
  EXPECT_EQ(formatSummary(findings), "9 errors, 8 warnings");
}

TEST(AuthoringCheck, SampleFolderIsCleanAndMissingFoldersUnreadable) {
  Findings sample;
  EXPECT_EQ(checkFolder(sourceDir("data/sample").c_str(), sample), FolderResult::clean);
  for (const Finding& f : sample.all()) ADD_FAILURE() << formatFinding(f);

  TempDir dir;
  Findings none;
  EXPECT_EQ(checkFolder(dir.file("nowhere").c_str(), none), FolderResult::unreadable);
  EXPECT_EQ(checkFolder(dir.write("file.txt", "x").c_str(), none), FolderResult::unreadable);
  EXPECT_EQ(checkFolder(std::string(300, 'a').c_str(), none), FolderResult::unreadable);
  EXPECT_TRUE(none.all().empty());

  // A folder without comics.ini: the saver shows a black screen.
  Findings empty;
  EXPECT_EQ(checkFolder(dir.path().c_str(), empty), FolderResult::errors);
  EXPECT_EQ(empty.errors(), 1);
  EXPECT_EQ(formatFinding(empty.all()[0]).rfind("comics.ini:0: error: cannot be read", 0), 0u);
}
