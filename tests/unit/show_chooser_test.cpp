#include "core/show/show_chooser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/file.h"
#include "base/log_file.h"
#include "core/random/random_source.h"
#include "core/show/comic_catalog.h"
#include "core/show/placement.h"
#include "core/show/settings.h"
#include "core/show/show.h"
#include "core/show/show_start.h"
#include "support/test_files.h"

namespace {

// What the fake drawing saw, one line per call.
std::vector<std::string> calls;
// Pictures by name: size, and whether they load; unknown names fail.
struct FakePicture {
  std::string name;
  int32_t width;
  int32_t height;
  bool loads;
};
std::vector<FakePicture> pictures;
bool noMemory = false;

Picture* openPicture(Show&, const char* name, bool* failed, int32_t* width, int32_t* height) {
  calls.push_back(std::string("open ") + name);
  if (noMemory) return nullptr;
  static FakePicture missing{"", 0, 0, false};
  FakePicture* found = &missing;
  for (FakePicture& p : pictures) {
    if (p.name == name) found = &p;
  }
  *failed = !found->loads;
  *width = found->width;
  *height = found->height;
  return reinterpret_cast<Picture*>(found);
}
void drawPicture(Show&, Picture* picture, int32_t x, int32_t y, bool mirrored) {
  calls.push_back((mirrored ? "mirrored " : "draw ") +
                  reinterpret_cast<FakePicture*>(picture)->name + " " + std::to_string(x) + "," +
                  std::to_string(y));
}
void closePicture(Show&, Picture*) { calls.push_back("close"); }
void eraseScreen(Show&) { calls.push_back("erase"); }
void drawCaption(Show&, int32_t anchorX, int32_t top, const char* text) {
  calls.push_back("caption " + std::to_string(anchorX) + "," + std::to_string(top) + " " + text);
}
void showError(Show&, const char* message) { calls.push_back(std::string("error ") + message); }
void showStrip(Show&, const char* path) { calls.push_back(std::string("strip ") + path); }
void playSound(Show&, const char* path) { calls.push_back(std::string("sound ") + path); }

ShowDrawing fake() {
  ShowDrawing d;
  d.openPicture = openPicture;
  d.drawPicture = drawPicture;
  d.closePicture = closePicture;
  d.eraseScreen = eraseScreen;
  d.drawCaption = drawCaption;
  d.showError = showError;
  d.showStrip = showStrip;
  d.playSound = playSound;
  return d;
}

class ShowChooser : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    pictures.clear();
    noMemory = false;
    record.setDefaults();
    record.usePellow = 0;
    std::strcpy(record.directory, "data");
    record.timeDelay = 1;
    record.displayLogo = 0;
    record.useToasty = 0;
    show.settings = &record;
    show.drawing = fake();
    show.catalogLoaded = true;
    show.screenWidth = 1024;
    show.screenHeight = 768;
    logFile().open(dir.file("error.log").c_str(), "");
    seed(7);
  }
  void TearDown() override { logFile().close(); }

  void seed(uint32_t value) {
    show.random.seed(value);
    mirror.seed(value);
  }
  void addComic(int group, int type, const char* name, int32_t weight = 0) {
    ComicEntry* e = new ComicEntry();
    std::strcpy(e->fileName, name);
    e->weight = weight;
    e->next = show.catalog.listHead[group * 3 + type];
    show.catalog.listHead[group * 3 + type] = e;
    ++show.catalog.listCount[group * 3 + type];
  }
  void addPopup(const char* name, const char* sound, const char* caption) {
    PopupEntry* e = new PopupEntry();
    std::strcpy(e->fileName, name);
    std::strcpy(e->soundName, sound);
    std::strcpy(e->caption, caption);
    e->next = show.catalog.popupHead;
    show.catalog.popupHead = e;
    ++show.catalog.popupCount;
  }
  std::string log() {
    logFile().close();
    std::string bytes = readFileBytes(dir.file("error.log"));
    logFile().open(dir.file("error.log").c_str(), "");
    return bytes;
  }
  // The draws the step must have made, from a generator seeded alike.
  uint32_t draw() { return mirror.next(); }

  TempDir dir;
  SaverSettings record;
  Show show;
  RandomSource mirror;
};

TEST_F(ShowChooser, NothingHappensWithoutCatalogue) {
  show.catalogLoaded = false;
  addComic(0, 2, "a.pcx");
  advance(show, true);
  advance(show, false);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(show.tickCount, 0);
  EXPECT_EQ(ticksUntilDue(show), 0);  // nothing to wake for
}

TEST_F(ShowChooser, TicksCountToTheDelayAndForcedStepsRestartIt) {
  record.timeDelay = 2;
  record.perOfficial = 1;
  pictures.push_back({"a.pcx", 100, 100, true});
  addComic(0, 2, "a.pcx");
  advance(show, true);
  EXPECT_EQ(show.tickTarget, 20);
  EXPECT_EQ(show.comicsSinceLogo, 1);
  EXPECT_EQ(ticksUntilDue(show), 20);
  for (int i = 0; i < 19; ++i) advance(show, false);
  EXPECT_EQ(show.comicsSinceLogo, 1);
  EXPECT_EQ(ticksUntilDue(show), 1);
  advance(show, false);  // the 20th tick
  EXPECT_EQ(show.comicsSinceLogo, 2);
  for (int i = 0; i < 19; ++i) advance(show, false);
  advance(show, true);  // Enter one tick early: at once, then a full delay
  EXPECT_EQ(show.comicsSinceLogo, 3);
  for (int i = 0; i < 19; ++i) advance(show, false);
  EXPECT_EQ(show.comicsSinceLogo, 3);
  advance(show, false);
  EXPECT_EQ(show.comicsSinceLogo, 4);

  record.timeDelay = 0;  // no timer: only forced steps
  advance(show, true);
  EXPECT_EQ(show.tickTarget, 0);
  EXPECT_EQ(ticksUntilDue(show), 0);
}

TEST_F(ShowChooser, LogoCycleAndItsFailures) {
  record.displayLogo = 1;
  record.logoFrames = 2;
  record.perOfficial = 1;
  addComic(0, 2, "a.pcx");
  pictures.push_back({"a.pcx", 1023, 767, true});
  pictures.push_back({"ZBLogo.pcx", 300, 200, true});
  advance(show, true);
  advance(show, true);
  calls.clear();
  advance(show, true);  // third step: the logo, placed as if 278 x 180
  ASSERT_EQ(calls, (std::vector<std::string>{"open ZBLogo.pcx", "erase", "draw ZBLogo.pcx 373,294",
                                             "close"}));
  EXPECT_EQ(show.comicsSinceLogo, 0);
  EXPECT_EQ(show.lastDrawnRect.x, 373);
  EXPECT_EQ(show.lastDrawnRect.width, 300);
  EXPECT_EQ(show.lastDrawnRect.height, 200);

  record.logoFrames = 0;
  pictures.back().loads = false;
  calls.clear();
  advance(show, true);
  EXPECT_EQ(calls, (std::vector<std::string>{"open ZBLogo.pcx",
                                             "error Unable to load \"ZBLogo.pcx\"", "close"}));
  noMemory = true;
  advance(show, true);
  EXPECT_EQ(show.comicsSinceLogo, 0);
  EXPECT_EQ(log(), "ZBLogo.pcx: Unable to allocate\r\n");
}

// A logo that cannot be loaded counts as shown, so the comics come back.
TEST_F(ShowChooser, UnloadableLogoRestartsTheCycle) {
  record.displayLogo = 1;
  record.logoFrames = 1;
  record.perOfficial = 1;
  addComic(0, 2, "a.pcx");
  pictures.push_back({"a.pcx", 10, 10, true});
  auto stepOpens = [&](const std::string& name) {
    calls.clear();
    advance(show, true);
    return !calls.empty() && calls.front() == "open " + name;
  };
  EXPECT_TRUE(stepOpens("a.pcx"));
  EXPECT_TRUE(stepOpens("ZBLogo.pcx"));  // no such file
  EXPECT_EQ(calls[1], "error Unable to load \"ZBLogo.pcx\"");
  EXPECT_TRUE(stepOpens("a.pcx"));
  noMemory = true;
  EXPECT_TRUE(stepOpens("ZBLogo.pcx"));
  noMemory = false;
  EXPECT_TRUE(stepOpens("a.pcx"));
  EXPECT_TRUE(stepOpens("ZBLogo.pcx"));
  EXPECT_EQ(log(), "ZBLogo.pcx: Unable to allocate\r\n");
}

TEST_F(ShowChooser, FinishedComicDrawOrderAndPlacement) {
  record.perZB = 3;
  record.perPellow = 5;
  record.perRandom = 0;
  record.perOriginal = 0;
  record.perOfficial = 4;
  addComic(0, 2, "a.pcx");
  addComic(0, 2, "b.pcx");
  addComic(0, 2, "c.pcx");
  for (const char* n : {"a.pcx", "b.pcx", "c.pcx"}) pictures.push_back({n, 24, 68, true});
  for (int step = 0; step < 50; ++step) {
    calls.clear();
    advance(show, true);
    draw();  // group: only the series has comics
    draw();  // type: only the finished comics have weight
    const char* names[] = {"c.pcx", "b.pcx", "a.pcx"};  // list order
    std::string name = names[draw() % 3];
    int32_t x = static_cast<int32_t>(draw() % 1000);
    int32_t y = static_cast<int32_t>(draw() % 700);
    ASSERT_EQ(calls,
              (std::vector<std::string>{
                  "open " + name, "erase",
                  "draw " + name + " " + std::to_string(x) + "," + std::to_string(y), "close"}));
    EXPECT_EQ(show.lastDrawnRect.x, x);
    EXPECT_EQ(show.lastDrawnRect.y, y);
    EXPECT_EQ(show.lastDrawnRect.width, 24);
  }
  EXPECT_EQ(show.random.next(), draw());
}

TEST_F(ShowChooser, WeightedChoiceOfGroupAndType) {
  record.perZB = 2;
  record.perPellow = 1;
  record.usePellow = 1;
  record.perRandom = 24;
  record.perOriginal = 1;
  record.perOfficial = 4;
  for (int g = 0; g < 2; ++g) {
    addComic(g, 0, g == 0 ? "zr.txt" : "pr.txt", 1);
    addComic(g, 1, g == 0 ? "zc.txt" : "pc.txt", 1);
    addComic(g, 2, g == 0 ? "zo.pcx" : "po.pcx");
  }
  pictures.push_back({"zo.pcx", 10, 10, true});
  pictures.push_back({"po.pcx", 10, 10, true});
  int seen[2][3] = {};
  for (int step = 0; step < 300; ++step) {
    calls.clear();
    advance(show, true);
    int group = draw() % 3 < 2 ? 0 : 1;
    uint32_t r = draw() % 29;
    int type = r < 24 ? 0 : r < 25 ? 1 : 2;
    ++seen[group][type];
    const char* prefix = group == 0 ? "z" : "p";
    if (type == 2) {
      draw();
      draw();
      draw();
      ASSERT_EQ(calls.front(), std::string("open ") + prefix + "o.pcx");
    } else {
      draw();
      ASSERT_EQ(calls.front(),
                std::string("strip data\\") + prefix + (type == 0 ? "r.txt" : "c.txt"));
    }
  }
  for (auto& group : seen) {
    for (int count : group) EXPECT_GT(count, 0);
  }
}

TEST_F(ShowChooser, StripEntriesByTheirWeights) {
  record.perZB = 1;
  record.perRandom = 1;
  record.perOriginal = 0;
  record.perOfficial = 0;
  addComic(0, 0, "three.txt", 3);
  addComic(0, 0, "two.txt", 2);  // list head
  for (int step = 0; step < 40; ++step) {
    calls.clear();
    advance(show, true);
    draw();
    draw();
    uint32_t r = draw() % 5;
    EXPECT_EQ(calls,
              (std::vector<std::string>{r < 2 ? "strip data\\two.txt" : "strip data\\three.txt"}));
  }
  EXPECT_EQ(show.comicsSinceLogo, 40);
}

TEST_F(ShowChooser, NoAvailableComics) {
  record.perZB = 0;  // used but weighing nothing
  record.perPellow = 5;
  record.usePellow = 1;
  addComic(0, 2, "a.pcx");
  advance(show, true);
  EXPECT_EQ(calls, std::vector<std::string>{"error No available comics"});
  record.perZB = 1;
  record.useOfficial = 0;
  calls.clear();
  advance(show, true);
  EXPECT_EQ(calls, std::vector<std::string>{"error No available comics."});
  EXPECT_EQ(show.comicsSinceLogo, 0);
  EXPECT_EQ(log(), "");
}

TEST_F(ShowChooser, PictureFailuresAreLoggedShownAndCounted) {
  record.perOfficial = 1;
  addComic(0, 2, "gone.pcx");
  advance(show, true);
  EXPECT_EQ(calls,
            (std::vector<std::string>{"open gone.pcx", "error gone.pcx: Unable to load", "close"}));
  EXPECT_EQ(show.comicsSinceLogo, 1);
  noMemory = true;
  advance(show, true);
  EXPECT_EQ(show.comicsSinceLogo, 1);
  EXPECT_EQ(log(), "gone.pcx: Unable to load\r\ngone.pcx: Unable to allocate\r\n");
}

TEST_F(ShowChooser, PicturesAsLargeAsTheScreenGoToTheCorner) {
  record.perOfficial = 1;
  addComic(0, 2, "big.pcx");
  pictures.push_back({"big.pcx", 1024, 5000, true});
  advance(show, true);
  EXPECT_EQ(calls[2], "draw big.pcx 0,0");
  pictures.back().width = 1023;  // one narrower: x can only be 0
  pictures.back().height = 10;
  for (int i = 0; i < 5; ++i) draw();
  calls.clear();
  advance(show, true);
  draw();
  draw();
  draw();
  draw();
  EXPECT_EQ(calls[2], "draw big.pcx 0," + std::to_string(draw() % 758));
  EXPECT_EQ(show.random.next(), draw());  // both places drew a value
}

TEST_F(ShowChooser, PopupsAlternateWithComicsAndSitInTheCorners) {
  record.useToasty = 1;
  record.perToasty = 1;
  record.useSound = 1;
  record.perOfficial = 1;
  addComic(0, 2, "a.pcx");
  addPopup("pop.pcx", "beep.wav", "Hello");
  pictures.push_back({"a.pcx", 10, 10, true});
  pictures.push_back({"pop.pcx", 100, 50, true});
  int sides[2] = {};
  for (int step = 0; step < 40; ++step) {
    calls.clear();
    advance(show, true);
    if (step % 2 == 1) {  // never two popups in a row
      EXPECT_FALSE(show.popupShowing);
      ASSERT_EQ(calls.front(), "open a.pcx");
      for (int i = 0; i < 5; ++i) draw();
      continue;
    }
    EXPECT_EQ(draw() % 1, 0u);
    draw();  // index
    bool right = (draw() & 1u) != 0;
    ++sides[right];
    std::vector<std::string> expected = {"open pop.pcx",
                                         "erase",
                                         right ? "mirrored pop.pcx 924,718" : "draw pop.pcx 0,718",
                                         right ? "caption 1024,688 Hello" : "caption 0,688 Hello",
                                         "close",
                                         "sound data\\beep.wav"};
    ASSERT_EQ(calls, expected);
    EXPECT_TRUE(show.popupShowing);
    EXPECT_EQ(show.tickTarget, 12);
    EXPECT_EQ(show.lastDrawnRect.x, right ? 924 : 0);
    EXPECT_EQ(show.lastDrawnRect.y, 718);
  }
  EXPECT_GT(sides[0], 0);
  EXPECT_GT(sides[1], 0);
  EXPECT_EQ(show.comicsSinceLogo, 20);  // popups are not counted
  std::string expectedLog;
  // The log names the sound as the platform writes paths.
  for (int i = 0; i < 20; ++i) expectedLog += zfile::shownPath("data\\beep.wav") + "\r\n";
  EXPECT_EQ(log(), expectedLog);
}

TEST_F(ShowChooser, PopupThatFailsIsReportedAndNotCounted) {
  record.useToasty = 1;
  record.perToasty = 1;
  addPopup("nope.pcx", "", "");
  addComic(0, 2, "a.pcx");
  advance(show, true);
  EXPECT_EQ(calls,
            (std::vector<std::string>{"open nope.pcx", "error nope.pcx: Unable to load", "close"}));
  EXPECT_FALSE(show.popupShowing);
  EXPECT_EQ(log(), "nope.pcx: Unable to load\r\n");
}

TEST(RandomPlace, ReducesIntoTheRoomAndAlwaysDraws) {
  RandomSource random;
  random.seed(99);
  RandomSource mirror;
  mirror.seed(99);
  EXPECT_EQ(randomPlace(random, 254), static_cast<int32_t>(mirror.next() % 254));
  EXPECT_EQ(randomPlace(random, 0), 0);
  EXPECT_EQ(randomPlace(random, -5), 0);
  mirror.next();
  mirror.next();
  EXPECT_EQ(randomPlace(random, 1), 0);
  mirror.next();
  EXPECT_EQ(random.next(), mirror.next());
}

}  // namespace

// A folder that gives no catalogue: the reason is logged once, and every
// forced step (the first one, a new screen size) shows it.
TEST_F(ShowChooser, UnreadableCatalogueShowsAndLogsWhy) {
  struct Case {
    std::string folder;
    std::string subject;
    const char* what;
  };
  dir.makeFolder("empty");
  std::string file = dir.write("plain.txt", "x");
  std::string missing = dir.file("missing");
  std::string catalog = dir.file("empty") + "\\comics.ini";
  const Case cases[] = {
      {missing, missing, "Unable to find the data folder"},
      {file, file, "Unable to use the data folder: it is a file"},
      {dir.file("empty"), catalog, "Unable to open file"},
  };
  for (const Case& c : cases) {
    calls.clear();
    log();
    std::strcpy(record.directory, c.folder.c_str());
    initShow(show, 1024, 768);
    EXPECT_FALSE(show.catalogLoaded);
    std::string subject = zfile::shownPath(c.subject.c_str());
    EXPECT_EQ(log(), subject + ": " + c.what + "\r\n");
    for (char& ch : subject) {
      if (ch == '\\') ch = '/';  // a backslash would break the display's line
    }
    advance(show, false);
    EXPECT_TRUE(calls.empty());
    advance(show, true);
    advance(show, true);
    std::string shown = "error " + subject + ": " + c.what;
    EXPECT_EQ(calls, std::vector<std::string>({shown, shown}));
  }
}
