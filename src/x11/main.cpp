// The Linux saver's entry point: the options, the log, the window, the show.
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/data_path.h"
#include "base/file.h"
#include "base/log_file.h"
#include "core/show/show.h"
#include "core/show/show_chooser.h"
#include "core/show/show_start.h"
#include "x11/font_freetype.h"
#include "x11/options.h"
#include "x11/screenshot.h"
#include "x11/show_painter.h"
#include "x11/sound_canberra.h"
#include "x11/user_paths.h"
#include "x11/x_window.h"

namespace {

struct Saver {
  Show show;
  LinuxDrawing drawing;
  XWindowScreen window;
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

void onTick(void* ctx) { advance(static_cast<Saver*>(ctx)->show, false); }

int32_t onTicksUntilDue(void* ctx) { return ticksUntilDue(static_cast<Saver*>(ctx)->show); }

void onNext(void* ctx) {
  Show& show = static_cast<Saver*>(ctx)->show;
  if (show.catalogLoaded) advance(show, true);
}

// As on Windows: nothing while a popup shows or when there is no show.
void onScreenshot(void* ctx) {
  Saver& saver = *static_cast<Saver*>(ctx);
  if (saver.show.popupShowing || !saver.show.catalogLoaded) return;
  std::string folder =
      userpaths::screenshotFolder(userpaths::askPicturesFolder(), std::getenv("HOME"));
  if (folder.empty()) return;
  saveScreenshot(saver.window.screen(), saver.show.lastDrawnRect, folder);
}

// A new size: the show goes on at the new scale with its next item.
void onResized(void* ctx, int32_t showWidth, int32_t showHeight) {
  Saver& saver = *static_cast<Saver*>(ctx);
  saver.show.screenWidth = showWidth;
  saver.show.screenHeight = showHeight;
  saver.show.scale = saver.window.screen().scale();
  advance(saver.show, true);  // also the reason when there is no show
}

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
  Show& show = saver->show;
  ScreenBuffer& screen = saver->window.screen();
  show.settings = &options.settings;
  saver->drawing.show = &show;
  saver->drawing.screen = &screen;
  if (options.settings.useSound != 0) saver->drawing.playSound = playPopupSound;
  show.painter = linuxPainter(&saver->drawing);
  initShow(show, screen.showWidth(), screen.showHeight());
  show.scale = screen.scale();
  // The log may be where nobody looks; xscreensaver -verbose shows this.
  if (!show.catalogLoaded) std::fprintf(stderr, "zorbel: %s\n", show.catalogProblem);
  // The tests fix the seed to know what comes. Otherwise each copy draws
  // its own: xscreensaver starts one per monitor in the same second.
  if (const char* seed = std::getenv("ZORBEL_SEED")) {
    show.random.seed(static_cast<uint32_t>(std::strtoul(seed, nullptr, 10)));
  } else {
    show.random.seed(copySeed(saver->window.id()));
  }
  advance(show, true);
  saver->window.present();

  LoopHandlers handlers;
  handlers.ctx = saver;
  handlers.tick = onTick;
  handlers.ticksUntilDue = onTicksUntilDue;
  handlers.next = onNext;
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
