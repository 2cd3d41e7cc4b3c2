#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/log_file.h"
#include "core/show/show.h"
#include "core/show/show_chooser.h"
#include "core/show/show_start.h"
#include "raster/picture.h"
#include "support/test_files.h"
#include "x11/options.h"
#include "x11/show_painter.h"

namespace {

// One show of the sample data on a screen buffer, as the program runs it.
struct MemoryShow {
  explicit MemoryShow(uint32_t seed, int32_t width = 1024, int32_t height = 768) {
    std::strcpy(options.settings.directory, ZORBEL_SAMPLE_DIR);
    options.settings.useSound = 1;
    EXPECT_TRUE(screen.resize(width, height, 0));
    drawing.show = &show;
    drawing.screen = &screen;
    drawing.playSound = [](const char* path) { sounds().push_back(path); };
    show.settings = &options.settings;
    show.painter = linuxPainter(&drawing);
    initShow(show, screen.showWidth(), screen.showHeight());
    show.random.seed(seed);
  }
  static std::vector<std::string>& sounds() {
    static std::vector<std::string> played;
    return played;
  }
  std::string screenBytes() const {
    textpixels::Surface s = screen.surface();
    return std::string(reinterpret_cast<const char*>(s.pixels),
                       static_cast<size_t>(s.stride) * s.height);
  }

  LinuxOptions options;
  ScreenBuffer screen;
  LinuxDrawing drawing;
  Show show;
};

bool samePixels(const textpixels::Surface& screen, const PixelRect& at,
                const textpixels::Surface& picture) {
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint8_t* a = screen.pixels + (screen.height - 1 - (at.y + y)) * screen.stride + 3 * at.x;
    const uint8_t* b = picture.pixels + (picture.height - 1 - y) * picture.stride;
    if (std::memcmp(a, b, 3 * static_cast<size_t>(picture.width)) != 0) return false;
  }
  return true;
}

}  // namespace

TEST(LinuxShow, TheSampleDataShowsTheSameForTheSameSeed) {
  TempDir dir;
  logFile().open(dir.file("error.log").c_str(), "");
  MemoryShow first(12345);
  MemoryShow second(12345);
  ASSERT_TRUE(first.show.catalogLoaded);
  int changed = 0;
  for (int step = 0; step < 60; ++step) {
    std::string before = first.screenBytes();
    advance(first.show, true);
    advance(second.show, true);
    ASSERT_EQ(first.screenBytes(), second.screenBytes()) << "step " << step;
    changed += first.screenBytes() != before ? 1 : 0;
    const PixelRect& r = first.show.lastDrawnRect;
    EXPECT_GE(r.x, 0);
    EXPECT_GE(r.y, 0);
    EXPECT_LE(r.x + r.width, 1024);
    EXPECT_LE(r.y + r.height, 768);
  }
  EXPECT_GE(changed, 55);
  logFile().close();
  // The sample data is good: the log holds the popup sounds' paths alone.
  std::string log = readFileBytes(dir.file("error.log"));
  size_t lines = 0;
  for (size_t at = log.find(".wav"); at != std::string::npos; at = log.find(".wav", at + 1))
    ++lines;
  size_t all = 0;
  for (char c : log) all += c == '\n' ? 1 : 0;
  EXPECT_EQ(all, lines) << log;
  // Sounds go to the player with the real path.
  for (const std::string& path : MemoryShow::sounds()) {
    EXPECT_EQ(path.find('\\'), std::string::npos) << path;
  }
}

TEST(LinuxShow, FinishedComicsArePixelExactAndTheScreenIsEnlarged) {
  // 2048 x 1536: the show is 1024 x 768 at scale 2.
  MemoryShow m(99, 2048, 1536);
  EXPECT_EQ(m.show.screenWidth, 1024);
  m.options.settings.useRandom = 0;
  m.options.settings.useOriginal = 0;
  m.options.settings.useToasty = 0;
  m.options.settings.displayLogo = 0;
  int checked = 0;
  for (int step = 0; step < 8; ++step) {
    advance(m.show, true);
    const PixelRect& r = m.show.lastDrawnRect;
    for (const char* name :
         {"zb_comic1.pcx", "zb_comic2.bmp", "pellow_comic1.pcx", "pellow_comic2.bmp"}) {
      std::unique_ptr<Picture> p(loadPicture(ZORBEL_SAMPLE_DIR, name));
      ASSERT_FALSE(p->failed) << name;
      if (p->width != r.width || p->height != r.height) continue;
      if (samePixels(m.screen.surface(), r, p->surface())) ++checked;
    }
  }
  EXPECT_EQ(checked, 8);
}

TEST(LinuxShow, AMissingPictureShowsTheErrorDisplay) {
  TempDir dir;
  dir.write("comics.ini", "zb\nofficial\nmissing.pcx\n");
  std::string error = readFileBytes(std::string(ZORBEL_SAMPLE_DIR) + "/error.pcx");
  dir.write("error.pcx", error);
  MemoryShow m(1);
  std::strcpy(m.options.settings.directory, dir.path().c_str());
  initShow(m.show, m.screen.showWidth(), m.screen.showHeight());
  ASSERT_TRUE(m.show.catalogLoaded);
  advance(m.show, true);
  std::unique_ptr<Picture> graphic(loadPicture(dir.path().c_str(), "error.pcx"));
  PixelRect at{(1024 - graphic->width - 20) / 2, (768 - graphic->height - 20) / 2, 0, 0};
  EXPECT_TRUE(samePixels(m.screen.surface(), at, graphic->surface()));
  // The message in white below it.
  textpixels::Surface s = m.screen.surface();
  int white = 0;
  for (int32_t y = at.y + graphic->height + 3; y < at.y + graphic->height + 23; ++y) {
    for (int32_t x = 0; x < s.width; ++x) {
      white += s.pixels[(s.height - 1 - y) * s.stride + 3 * x] == 255 ? 1 : 0;
    }
  }
  EXPECT_GT(white, 50);
}
