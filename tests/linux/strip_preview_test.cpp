#include "authoring/strip_preview.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "authoring/screen_preview.h"
#include "authoring/studio_json.h"
#include "core/show/show.h"
#include "support/test_files.h"
#include "x11/options.h"
#include "x11/show_painter.h"

namespace {

// The sample folder with the Linux saver's painter, which measures and
// draws text as the strips are drawn.
struct PreviewShow {
  explicit PreviewShow(const std::string& folder = ZORBEL_SAMPLE_DIR) {
    std::strcpy(options.settings.directory, folder.c_str());
    drawing.show = &show;
    drawing.screen = &screen;
    show.settings = &options.settings;
    show.painter = linuxPainter(&drawing);
    screen.resize(kPreviewScreenWidth, kPreviewScreenHeight, 1);
  }
  LinuxOptions options;
  ScreenBuffer screen;
  LinuxDrawing drawing;
  Show show;
};

std::vector<std::string> fileLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

TEST(StripPreview, EachBoxKnowsItsLinesAndWhereItsTextStands) {
  PreviewShow s;
  StripPreview p = previewStrip(s.show, "zb_daily.txt", "morning", 7);
  ASSERT_EQ(p.error, "");
  ASSERT_NE(p.picture, nullptr);
  EXPECT_EQ(p.strip, "Morning");  // capitals aside, as the renderer matches
  EXPECT_EQ(p.strips.front(), "Morning");
  std::vector<std::string> lines = fileLines(std::string(ZORBEL_SAMPLE_DIR) + "/zb_daily.txt");
  ASSERT_EQ(p.boxes.size(), 4u);
  const int32_t boxLines[] = {9, 17, 23, 31};
  std::string said;
  for (size_t i = 0; i < p.boxes.size(); ++i) {
    const PreviewBox& box = p.boxes[i];
    EXPECT_EQ(box.boxLine, boxLines[i] + 1) << i;
    ASSERT_GT(box.textLine, 0) << box.text;
    EXPECT_NE(lines[box.textLine - 1].find(box.text), std::string::npos) << box.text;
    const PreviewPanel& panel = p.panels[box.panel];
    EXPECT_GE(box.area.x, panel.x);
    EXPECT_LE(box.area.x + box.area.width, panel.x + panel.width);
    EXPECT_GT(box.area.height, 10);
    said += " \"" + box.text + "\"";
  }
  EXPECT_EQ(p.panels[1].x, p.panels[0].width + 10);
  EXPECT_GT(p.panels[0].pictureLine, 0);
  // The renderer's line, texts in box order.
  EXPECT_NE(p.choices.find(" | panel 2: " + p.panels[1].picture + " \"" + p.boxes[1].text +
                           "\" \"" + p.boxes[2].text + "\""),
            std::string::npos)
      << p.choices;
  s.show.painter.closePicture(s.show.painter.context, p.picture);

  // The same seed makes the same strip.
  StripPreview again = previewStrip(s.show, "zb_daily.txt", "Morning", 7);
  EXPECT_EQ(again.choices, p.choices);
  s.show.painter.closePicture(s.show.painter.context, again.picture);
}

TEST(StripPreview, FailuresAreTheSaversWordsAndNoPicture) {
  TempDir dir;
  dir.write("t.txt", "[cartoon A]\nfirst\nend\nfirst\nend\nmissing\nend\n[first]\nnone.pcx\nend\n");
  PreviewShow s(dir.path());
  StripPreview unknown = previewStrip(s.show, "t.txt", "B", 1);
  EXPECT_EQ(unknown.error, "no strip \"B\"; its strips: \"A\"");
  StripPreview generator = previewStrip(s.show, "t.txt", "A", 1);
  EXPECT_EQ(generator.error, "Error #3: Couldn't find the category missing in seekTo().");
  dir.write("t.txt", "[cartoon A]\nfirst\nend\nfirst\nend\nfirst\nend\n[first]\nnone.pcx\nend\n");
  StripPreview drawing = previewStrip(s.show, "t.txt", "", 1);
  EXPECT_EQ(drawing.picture, nullptr);
  EXPECT_NE(drawing.error.find("Strip Error."), std::string::npos) << drawing.error;
  EXPECT_NE(previewJson(drawing, 0, 0).find("\"panels\":[],\"boxes\":["), std::string::npos);
}

TEST(StudioJson, TextsAreEscapedAndKeepTheirBytes) {
  EXPECT_EQ(jsonString("a\"b\\c\td\xe9"), "\"a\\\"b\\\\c\\u0009d\xe9\"");
}

TEST(ScreenPreview, PopupsWithTheirCaptionAndComicsAsTheShowPutsThem) {
  PreviewShow s;
  PopupEntry popup;
  ASSERT_TRUE(findPopup(s.show, "POPUP_PEEK.PCX", popup));
  ScreenPreview shown = previewScreen(s.show, "popup_peek.pcx", &popup, 3);
  EXPECT_EQ(shown.error, "");
  EXPECT_EQ(shown.description.rfind("popup popup_peek.pcx at ", 0), 0u) << shown.description;
  EXPECT_NE(shown.description.find(", caption \"Is it over yet?\""), std::string::npos)
      << shown.description;
  EXPECT_FALSE(findPopup(s.show, "zb_comic1.pcx", popup));
  shown = previewScreen(s.show, "zb_comic1.pcx", nullptr, 3);
  EXPECT_EQ(shown.description.rfind("comic zb_comic1.pcx at ", 0), 0u) << shown.description;
  EXPECT_EQ(previewScreen(s.show, "gone.pcx", nullptr, 3).error, "gone.pcx: Unable to load");
}
