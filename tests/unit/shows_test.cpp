// Shows keep their state to themselves: two of them in one process, stepped
// in turns, each show what it shows alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/data_path.h"
#include "base/file.h"
#include "base/log_file.h"
#include "core/picture/pcx_decode.h"
#include "core/show/show.h"
#include "core/show/show_chooser.h"
#include "core/show/show_start.h"
#include "core/show/step_round.h"
#include "support/test_files.h"

namespace {

// A picture in memory; files are measured by their PCX header, and
// anything else (BMP comics) gets a fixed size.
struct MemoryPicture {
  bool failed = true;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> bytes;
};

// Everything that reaches the screen, one line per call.
struct Screen {
  std::string folder;
  std::vector<std::string> seen;
};

MemoryPicture* make(int32_t width, int32_t height) {
  auto* p = new MemoryPicture();
  p->failed = width <= 0 || height <= 0;
  p->width = width;
  p->height = height;
  if (!p->failed) p->bytes.assign(static_cast<size_t>((3 * width + 3) & ~3) * height, 0);
  return p;
}

MemoryPicture* of(Picture* p) { return reinterpret_cast<MemoryPicture*>(p); }

Picture* openPicture(void* context, const char* name) {
  Screen& screen = *static_cast<Screen*>(context);
  screen.seen.push_back(std::string("open ") + name);
  std::string path = dataPath(screen.folder, name);
  zfile::Handle file = zfile::openRead(path.c_str());
  if (file == zfile::kNoFile) return reinterpret_cast<Picture*>(new MemoryPicture());
  uint8_t header[pcx::kHeaderSize] = {};
  zfile::read(file, header, sizeof header);
  zfile::close(file);
  pcx::Layout layout;
  bool pcx = pcx::formatAccepted(header) && pcx::layoutOf(header, &layout) == pcx::LayoutResult::ok;
  return reinterpret_cast<Picture*>(pcx ? make(layout.width, layout.height) : make(300, 200));
}

Picture* createPicture(void*, int32_t width, int32_t height) {
  return reinterpret_cast<Picture*>(make(width, height));
}

PictureFacts facts(void*, Picture* picture) {
  PictureFacts f;
  MemoryPicture* p = of(picture);
  if (p == nullptr) return f;
  f.failed = p->failed;
  f.width = p->width;
  f.height = p->height;
  if (!p->failed) {
    f.pixels.pixels = p->bytes.data();
    f.pixels.width = p->width;
    f.pixels.height = p->height;
    f.pixels.stride = (3 * p->width + 3) & ~3;
  }
  return f;
}

void drawPicture(void* context, Picture* picture, Picture* target, int32_t x, int32_t y,
                 bool mirrored) {
  if (target != nullptr) return;
  static_cast<Screen*>(context)->seen.push_back(
      std::string(mirrored ? "mirrored " : "draw ") + std::to_string(of(picture)->width) + "x" +
      std::to_string(of(picture)->height) + " at " + std::to_string(x) + "," + std::to_string(y));
}

void closePicture(void*, Picture* picture) { delete of(picture); }
void eraseScreen(void* context) { static_cast<Screen*>(context)->seen.push_back("erase"); }
bool screenReady(void*) { return true; }
Picture* openScreenArea(void*, const PixelRect&) { return reinterpret_cast<Picture*>(make(1, 1)); }
Font* openFont(void*, int32_t cellHeight) {
  return reinterpret_cast<Font*>(static_cast<intptr_t>(cellHeight));
}
void closeFont(void*, Font*) {}
void measureText(void*, Font* font, const char*, int32_t length, int32_t* width, int32_t* height) {
  *height = static_cast<int32_t>(reinterpret_cast<intptr_t>(font));
  *width = length * *height / 2;
}
void drawText(void* context, Font*, Picture*, int32_t x, int32_t y, const char* text,
              int32_t length) {
  static_cast<Screen*>(context)->seen.push_back("text " + std::string(text, length) + " at " +
                                                std::to_string(x) + "," + std::to_string(y));
}
void playSound(void* context, const char* path) {
  static_cast<Screen*>(context)->seen.push_back(std::string("sound ") + path);
}

Painter memoryPainter(Screen* screen) {
  Painter p;
  p.context = screen;
  p.openPicture = openPicture;
  p.createPicture = createPicture;
  p.facts = facts;
  p.drawPicture = drawPicture;
  p.closePicture = closePicture;
  p.eraseScreen = eraseScreen;
  p.screenReady = screenReady;
  p.openScreenArea = openScreenArea;
  p.openFont = openFont;
  p.closeFont = closeFont;
  p.measureText = measureText;
  p.drawText = drawText;
  p.playSound = playSound;
  return p;
}

// A show of the sample data with every kind of item coming often.
struct SampleShow {
  explicit SampleShow(uint32_t seed) {
    settings.setDefaults();
    std::strcpy(settings.directory, saverPath(ZORBEL_SAMPLE_DIR).c_str());
    settings.perToasty = 4;
    settings.logoFrames = 6;
    settings.useSound = 1;
    screen.folder = settings.directory;
    show.settings = &settings;
    show.painter = memoryPainter(&screen);
    initShow(show, 1024, 768);
    show.random.seed(seed);
  }
  // What one forced step put on the screen, and where it says it stands.
  void step() {
    advance(show, true);
    const DrawnRect& r = show.lastDrawnRect;
    screen.seen.push_back("item " + std::to_string(r.x) + "," + std::to_string(r.y) + " " +
                          std::to_string(r.width) + "x" + std::to_string(r.height));
  }

  SaverSettings settings;
  Screen screen;
  Show show;
};

TEST(Shows, SideBySideEachShowsWhatItShowsAlone) {
  TempDir logs;
  logFile().open(logs.file("error.log").c_str(), "");
  constexpr int kSteps = 60;
  SampleShow aloneA(11);
  for (int i = 0; i < kSteps; ++i) aloneA.step();
  SampleShow aloneB(12);
  for (int i = 0; i < kSteps; ++i) aloneB.step();

  SampleShow a(11);
  SampleShow b(12);
  for (int i = 0; i < kSteps; ++i) {
    a.step();
    b.step();
    b.step();  // out of step with a, so that no draw of one can land in the other
    a.step();
  }
  logFile().close();
  ASSERT_TRUE(aloneA.show.catalogLoaded);
  std::vector<std::string>& seenA = a.screen.seen;
  std::vector<std::string>& seenB = b.screen.seen;
  seenA.resize(aloneA.screen.seen.size());
  seenB.resize(aloneB.screen.seen.size());
  EXPECT_EQ(seenA, aloneA.screen.seen);
  EXPECT_EQ(seenB, aloneB.screen.seen);
  EXPECT_NE(aloneA.screen.seen, aloneB.screen.seen);
  // Every kind of item came up, so every part of a step was compared.
  std::string all;
  for (const std::string& line : aloneA.screen.seen) all += line + "\n";
  for (const char* kind : {"open ZBLogo.pcx", "mirrored ", "sound ", "text "}) {
    EXPECT_NE(all.find(kind), std::string::npos) << kind;
  }
}

// A further show of the run takes the first one's catalogue, in the same
// order, and draws its own items: seeded alike, it shows what the first
// shows.
TEST(Shows, AFurtherShowTakesTheFirstsCatalogue) {
  SampleShow first(5);
  ASSERT_TRUE(first.show.catalogLoaded);
  Screen screen;
  screen.folder = first.settings.directory;
  Show further;
  further.settings = &first.settings;
  further.painter = memoryPainter(&screen);
  initShowFrom(further, first.show, 1, 800, 600);
  ASSERT_TRUE(further.catalogLoaded);
  EXPECT_EQ(further.screenWidth, 800);
  for (int list = 0; list < kComicLists; ++list) {
    ASSERT_EQ(further.catalog.listCount[list], first.show.catalog.listCount[list]);
    for (int32_t i = 0; i < further.catalog.listCount[list]; ++i) {
      EXPECT_STREQ(further.catalog.entryAt(list / 3, list % 3, i)->fileName,
                   first.show.catalog.entryAt(list / 3, list % 3, i)->fileName);
    }
  }
  ASSERT_EQ(further.catalog.popupCount, first.show.catalog.popupCount);
  EXPECT_STREQ(further.catalog.popupAt(further.catalog.popupCount - 1)->caption,
               first.show.catalog.popupAt(first.show.catalog.popupCount - 1)->caption);
  // Started in the same second, the two draw apart.
  EXPECT_NE(further.random.next(), first.show.random.next());
}

// A key's forced step reaches every show once, a show a turn, however the
// list changes meanwhile; each later change is set apart by its place.
TEST(Shows, ARoundStepsEachShowOnceAndSetsTheirChangesApart) {
  TempDir logs;
  logFile().open(logs.file("error.log").c_str(), "");
  SampleShow a(1);
  SampleShow b(2);
  a.settings.timeDelay = b.settings.timeDelay = 20;
  Show* shows[] = {&a.show, &b.show};
  StepRound round;
  EXPECT_EQ(round.take(2), -1);  // nothing asked yet
  round.start();
  EXPECT_EQ(round.owed(2), 2);
  for (int32_t expected : {0, 1}) {
    int32_t index = round.take(2);
    ASSERT_EQ(index, expected);
    advanceInRound(*shows[index], index, 2);
  }
  EXPECT_EQ(round.take(2), -1);
  EXPECT_EQ(round.owed(2), 0);
  EXPECT_EQ(a.show.tickTarget, 200);
  EXPECT_EQ(b.show.tickTarget, 300);  // half an interval after a's
  EXPECT_FALSE(b.screen.seen.empty());
  // A show gone before its turn is not owed a step.
  round.start();
  EXPECT_EQ(round.take(2), 0);
  EXPECT_EQ(round.owed(1), 0);
  EXPECT_EQ(round.take(1), -1);
  round.end();
  EXPECT_EQ(round.owed(2), 0);
  logFile().close();
}

// Without a catalogue: the reason goes up and the count is left alone; a
// further monitor's show takes the reason without reading or logging it
// again.
TEST(Shows, WithoutACatalogueEveryShowGivesTheFirstsReason) {
  TempDir logs;
  logFile().open(logs.file("error.log").c_str(), "");
  SaverSettings settings;
  settings.setDefaults();
  std::strcpy(settings.directory, logs.file("none").c_str());
  Screen screen;
  Show lost;
  lost.settings = &settings;
  lost.painter = memoryPainter(&screen);
  initShow(lost, 1024, 768);
  ASSERT_FALSE(lost.catalogLoaded);
  advanceInRound(lost, 1, 2);
  EXPECT_EQ(lost.tickTarget, 0);
  EXPECT_FALSE(screen.seen.empty());
  Show further;
  further.settings = &settings;
  further.painter = memoryPainter(&screen);
  initShowFrom(further, lost, 1, 800, 600);
  EXPECT_FALSE(further.catalogLoaded);
  EXPECT_STREQ(further.catalogProblem, lost.catalogProblem);
  EXPECT_EQ(further.screenWidth, 800);
  logFile().close();
  std::string log = readFileBytes(logs.file("error.log"));
  EXPECT_EQ(log.find("Unable"), log.rfind("Unable")) << log;
}

}  // namespace
