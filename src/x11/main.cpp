// The Linux saver's entry point: the options, the log, the window, the show.
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/data_path.h"
#include "base/file.h"
#include "base/log_file.h"
#include "core/show/screen_layout.h"
#include "core/show/show.h"
#include "core/show/show_chooser.h"
#include "core/show/show_start.h"
#include "core/show/step_round.h"
#include "x11/font_freetype.h"
#include "x11/options.h"
#include "x11/screenshot.h"
#include "x11/show_painter.h"
#include "x11/sound_canberra.h"
#include "x11/user_paths.h"
#include "x11/x_window.h"

namespace {

// One head's show and what it draws with.
struct HeadShow {
  Show show;
  LinuxDrawing drawing;
};

struct Saver {
  std::vector<HeadShow*> shows;  // the first head's first
  XWindowScreen window;
  const SaverSettings* settings = nullptr;
  // The forced step that a key asked of every show, taken a show at a time.
  StepRound round;
  ~Saver() {
    for (HeadShow* h : shows) delete h;
  }
};

// error.log in the XDG state folder: the data folder is only read. One
// copy runs per monitor, and the settings dialog's preview beside the
// saver, so every copy appends whole lines after a header of its own.
void openLog() {
  std::string folder = userpaths::logFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
  if (!userpaths::makeFolders(folder)) return;
  char path[kDataPathSize];
  if (!dataPath(path, folder.c_str(), "error.log")) return;
  userpaths::setAsideLargeLog(zfile::shownPath(path));
  logFile().openShared(path);
}

// A seed of the copy's own: the clock to the nanosecond, the process and
// the window, each spread over all 32 bits.
uint32_t copySeed(unsigned long window) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  uint64_t mixed =
      static_cast<uint64_t>(now.tv_sec) * 1'000'000'000u + static_cast<uint64_t>(now.tv_nsec);
  mixed ^= static_cast<uint64_t>(::getpid()) * 0x9E3779B97F4A7C15u;
  mixed ^= static_cast<uint64_t>(window) * 0xC2B2AE3D27D4EB4Fu;
  mixed ^= mixed >> 29;
  mixed *= 0xBF58476D1CE4E5B9u;
  mixed ^= mixed >> 32;
  return static_cast<uint32_t>(mixed);
}

// A show for each of the window's screens: the ones kept go on at their
// screen's new size and scale, new ones start, and every one shows its next
// item now.
void layOutShows(Saver& saver) {
  size_t count = static_cast<size_t>(saver.window.screenCount());
  while (saver.shows.size() > count) {
    delete saver.shows.back();
    saver.shows.pop_back();
  }
  for (size_t i = 0; i < count; ++i) {
    bool fresh = i == saver.shows.size();
    if (fresh) saver.shows.push_back(new HeadShow());
    HeadShow& h = *saver.shows[i];
    Show& show = h.show;
    ScreenBuffer& screen = saver.window.screen(static_cast<int32_t>(i));
    h.drawing.screen = &screen;
    if (fresh) {
      show.settings = saver.settings;
      h.drawing.show = &show;
      // Two popups never sound at once: only the first head's are heard.
      if (i == 0 && saver.settings->useSound != 0) h.drawing.playSound = playPopupSound;
      show.painter = linuxPainter(&h.drawing);
      if (i == 0) {
        initShow(show, screen.showWidth(), screen.showHeight());
      } else {
        initShowFrom(show, saver.shows.front()->show, static_cast<int32_t>(i), screen.showWidth(),
                     screen.showHeight());
      }
      // The log may be where nobody looks; xscreensaver -verbose shows this.
      if (i == 0 && !show.catalogLoaded) std::fprintf(stderr, "zorbel: %s\n", show.catalogProblem);
      // The tests fix the seed to know what comes. Otherwise each copy draws
      // its own: xscreensaver starts one per monitor in the same second.
      uint32_t seed = 0;
      if (const char* given = std::getenv("ZORBEL_SEED")) {
        seed = static_cast<uint32_t>(std::strtoul(given, nullptr, 10));
      } else {
        seed = copySeed(saver.window.id());
      }
      show.random.seed(seed + static_cast<uint32_t>(i) * 0x9E3779B9u);
    }
    show.screenWidth = screen.showWidth();
    show.screenHeight = screen.showHeight();
    show.scale = screen.scale();
    // Also the reason when there is no catalogue.
    advanceInRound(show, static_cast<int32_t>(i), static_cast<int32_t>(count));
  }
  saver.round.end();
}

void onTick(void* ctx) {
  for (HeadShow* h : static_cast<Saver*>(ctx)->shows) advance(h->show, false);
}

// The soonest of the shows' next changes.
int32_t onTicksUntilDue(void* ctx) {
  int32_t soonest = 0;
  for (HeadShow* h : static_cast<Saver*>(ctx)->shows) {
    int32_t due = ticksUntilDue(h->show);
    if (due > 0 && (soonest == 0 || due < soonest)) soonest = due;
  }
  return soonest;
}

// The next head's show owing its part of the forced step takes it; how
// many still owe one.
int32_t onStepOwed(void* ctx) {
  Saver& saver = *static_cast<Saver*>(ctx);
  int32_t count = static_cast<int32_t>(saver.shows.size());
  int32_t index = saver.round.take(count);
  if (index >= 0) {
    Show& show = saver.shows[static_cast<size_t>(index)]->show;
    if (show.catalogLoaded) advanceInRound(show, index, count);
  }
  return saver.round.owed(count);
}

// The first head's next item now; the others' come on the loop's next turns.
void onNext(void* ctx) {
  static_cast<Saver*>(ctx)->round.start();
  onStepOwed(ctx);
}

// The item of the head under the pointer. As on Windows: nothing while a
// popup shows or when there is no show.
void onScreenshot(void* ctx) {
  Saver& saver = *static_cast<Saver*>(ctx);
  int32_t index = saver.window.screenUnderPointer();
  if (index < 0 || static_cast<size_t>(index) >= saver.shows.size()) return;
  const Show& show = saver.shows[static_cast<size_t>(index)]->show;
  if (show.popupShowing || !show.catalogLoaded) return;
  std::string folder =
      userpaths::screenshotFolder(userpaths::askPicturesFolder(), std::getenv("HOME"));
  if (folder.empty()) return;
  saveScreenshot(saver.window.screen(index), show.lastDrawnRect, folder);
}

// A new size: each show goes on at its new scale with its next item.
void onResized(void* ctx) { layOutShows(*static_cast<Saver*>(ctx)); }

}  // namespace

int main(int argc, char** argv) {
  LinuxOptions options;
  std::string error;
  if (!parseOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "zorbel: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(usageText("zorbel").c_str(), stdout);
    return 0;
  }
  installEndSignals();
  openLog();
  Saver* saver = new Saver();
  if (!saver->window.open(options, &error)) {
    std::fprintf(stderr, "zorbel: %s\n", error.c_str());
    delete saver;
    return 1;
  }
  saver->settings = &options.settings;
  layOutShows(*saver);
  saver->window.present();

  LoopHandlers handlers;
  handlers.ctx = saver;
  handlers.tick = onTick;
  handlers.ticksUntilDue = onTicksUntilDue;
  handlers.next = onNext;
  handlers.stepOwed = onStepOwed;
  handlers.screenshot = onScreenshot;
  handlers.resized = onResized;
  int status = saver->window.run(handlers);
  saver->window.close();
  delete saver;
  releaseSound();
  releaseTextFonts();
  // Ended by a signal: after the cleaning up, end by it as xscreensaver's
  // own hacks do, so that it does not report an abnormal exit.
  if (int signal = endSignal(); signal != 0) {
    logFile().close();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
  }
  return status;
}
