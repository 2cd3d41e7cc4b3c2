#include "core/show/show_chooser.h"

#include <cstdio>
#include <cstring>

#include "base/data_path.h"
#include "base/log_file.h"
#include "core/show/placement.h"
#include "core/show/show.h"

namespace {

constexpr int32_t kLogoWidth = 278;
constexpr int32_t kLogoHeight = 180;
constexpr int32_t kPopupTicks = 12;

const char kLogoFile[] = "ZBLogo.pcx";

// The weights are 32-bit settings; their sum is taken in 64 bits so that
// two large weights cannot add up to nothing.
uint64_t drawBelow(Show& show, uint64_t total) { return show.random.next() % total; }

// Index of the first candidate whose running sum exceeds r.
int weightedChoice(uint64_t r, const uint64_t* weights, int count) {
  uint64_t sum = 0;
  for (int i = 0; i < count; ++i) {
    sum += weights[i];
    if (sum > r) return i;
  }
  return count - 1;  // unreachable while r is below the total
}

void reportPicture(Show& show, const char* name, const char* what) {
  logFile().write(name).write(": ").write(what).write("\n");
  char message[kDataPathSize];
  std::snprintf(message, sizeof message, "%s: %s", name, what);
  show.drawing.showError(show, message);
}

enum class Opened { NoMemory, Failed, Ready };

// Opens a popup or comic picture. A failure is logged and shown, and nothing
// is left open; only a Ready picture is the caller's to draw and close.
Opened openShown(Show& show, const char* name, Picture** picture, int32_t* w, int32_t* h) {
  bool failed = false;
  *picture = show.drawing.openPicture(show, name, &failed, w, h);
  if (*picture == nullptr) {
    reportPicture(show, name, "Unable to allocate");
    return Opened::NoMemory;
  }
  if (failed) {
    reportPicture(show, name, "Unable to load");
    show.drawing.closePicture(show, *picture);
    return Opened::Failed;
  }
  return Opened::Ready;
}

void showLogo(Show& show) {
  const ShowDrawing& d = show.drawing;
  int32_t x = (show.screenWidth - kLogoWidth) / 2;
  int32_t y = (show.screenHeight - kLogoHeight) / 2;
  bool failed = false;
  int32_t w = 0;
  int32_t h = 0;
  // A logo that cannot be loaded counts as shown too: trying it again at
  // every step would put nothing but the error on the screen, for ever.
  show.comicsSinceLogo = 0;
  Picture* logo = d.openPicture(show, kLogoFile, &failed, &w, &h);
  if (logo == nullptr) {
    logFile().write(kLogoFile).write(": Unable to allocate\n");
    return;
  }
  if (failed) {
    d.showError(show, "Unable to load \"ZBLogo.pcx\"");
    d.closePicture(show, logo);
    return;
  }
  show.lastDrawnRect = {x, y, w, h};
  d.eraseScreen(show);
  d.drawPicture(show, logo, x, y, false);
  d.closePicture(show, logo);
}

// True when a popup was taken (shown or reported); false: go on to a comic.
bool tryPopup(Show& show) {
  const ShowDrawing& d = show.drawing;
  const SaverSettings& s = *show.settings;
  if (show.popupShowing || s.useToasty == 0 || s.perToasty == 0 || show.catalog.popupCount <= 0) {
    return false;
  }
  if (show.random.next() % s.perToasty != 0) return false;
  uint32_t index = show.random.next() % static_cast<uint32_t>(show.catalog.popupCount);
  const PopupEntry* entry = show.catalog.popupAt(static_cast<int32_t>(index));
  if (entry == nullptr) return false;  // count and list disagree: no popup

  Picture* picture = nullptr;
  int32_t w = 0;
  int32_t h = 0;
  if (openShown(show, entry->fileName, &picture, &w, &h) != Opened::Ready) return true;
  d.eraseScreen(show);
  int32_t y = show.screenHeight - h;
  int32_t x = 0;
  int32_t anchorX = 0;
  if ((show.random.next() & 1u) != 0) {
    x = show.screenWidth - w;
    anchorX = show.screenWidth;
    d.drawPicture(show, picture, x, y, true);
  } else {
    d.drawPicture(show, picture, x, y, false);
  }
  show.lastDrawnRect = {x, y, w, h};
  if (entry->caption[0] != '\0')
    d.drawCaption(show, anchorX, show.screenHeight - h - 30, entry->caption);
  d.closePicture(show, picture);

  if (s.useSound != 0 && entry->soundName[0] != '\0') {
    char path[kDataPathSize];
    dataPath(path, show.folder(), entry->soundName);
    logFile().writePath(path).write("\n");
    d.playSound(show, path);
  }
  show.popupShowing = true;
  show.tickTarget = kPopupTicks;
  return true;
}

bool anyListed(const Show& show, int first) {
  int64_t sum = 0;
  for (int i = first; i < first + 3; ++i) sum += show.catalog.listCount[i];
  return sum != 0;
}

void showStripEntry(Show& show, int group, int type) {
  int32_t total = show.catalog.totalWeight(group, type);
  if (total <= 0) {  // load never leaves such a list available
    show.drawing.showError(show, "No available comics.");
    return;
  }
  uint32_t r = show.random.next() % static_cast<uint32_t>(total);
  int64_t sum = 0;
  const ComicEntry* chosen = nullptr;
  for (const ComicEntry* e = show.catalog.listHead[group * 3 + type]; e != nullptr; e = e->next) {
    sum += e->weight;
    if (sum > r) {
      chosen = e;
      break;
    }
  }
  if (chosen == nullptr) return;
  char path[kDataPathSize];
  dataPath(path, show.folder(), chosen->fileName);
  show.drawing.showStrip(show, path);
  ++show.comicsSinceLogo;
}

void showFinishedComic(Show& show, int group) {
  const ShowDrawing& d = show.drawing;
  uint32_t count = static_cast<uint32_t>(show.catalog.listCount[group * 3 + TypeOfficial]);
  uint32_t index = show.random.next() % count;
  const ComicEntry* entry = show.catalog.entryAt(group, TypeOfficial, static_cast<int32_t>(index));
  if (entry == nullptr) return;
  Picture* picture = nullptr;
  int32_t w = 0;
  int32_t h = 0;
  Opened opened = openShown(show, entry->fileName, &picture, &w, &h);
  if (opened == Opened::Failed) ++show.comicsSinceLogo;  // a failed load still counts
  if (opened != Opened::Ready) return;
  int32_t x = randomPlace(show.random, show.screenWidth - w);
  int32_t y = randomPlace(show.random, show.screenHeight - h);
  show.lastDrawnRect = {x, y, w, h};
  d.eraseScreen(show);
  d.drawPicture(show, picture, x, y, false);
  d.closePicture(show, picture);
  ++show.comicsSinceLogo;
}

void showComic(Show& show) {
  show.popupShowing = false;
  const SaverSettings& s = *show.settings;
  uint64_t groups[2] = {
      s.useZB != 0 && anyListed(show, 0) ? s.perZB : 0u,
      s.usePellow != 0 && anyListed(show, 3) ? s.perPellow : 0u,
  };
  if (groups[0] + groups[1] == 0) {
    show.drawing.showError(show, "No available comics");
    return;
  }
  int group = weightedChoice(drawBelow(show, groups[0] + groups[1]), groups, 2);
  const int32_t* counts = &show.catalog.listCount[group * 3];
  uint64_t types[3] = {
      s.useRandom != 0 && counts[0] != 0 ? s.perRandom : 0u,
      s.useOriginal != 0 && counts[1] != 0 ? s.perOriginal : 0u,
      s.useOfficial != 0 && counts[2] != 0 ? s.perOfficial : 0u,
  };
  uint64_t total = types[0] + types[1] + types[2];
  if (total == 0) {
    show.drawing.showError(show, "No available comics.");
    return;
  }
  int type = weightedChoice(drawBelow(show, total), types, 3);
  if (type == TypeOfficial) {
    showFinishedComic(show, group);
  } else {
    showStripEntry(show, group, type);
  }
}

}  // namespace

int32_t ticksUntilDue(const Show& show) {
  if (!show.catalogLoaded || show.settings == nullptr || show.settings->timeDelay == 0) return 0;
  // Past a target that the count can no longer meet, every tick is given,
  // as the timer gives them.
  int64_t left = int64_t{show.tickTarget} - show.tickCount;
  return left > 0 ? static_cast<int32_t>(left) : 1;
}

void advance(Show& show, bool force) {
  if (show.settings == nullptr) return;
  if (!show.catalogLoaded) {
    // Without a catalogue the show has nothing but the reason to put up.
    if (force && show.catalogProblem[0] != '\0') show.drawing.showError(show, show.catalogProblem);
    return;
  }
  ++show.tickCount;
  if (!force && show.tickCount != show.tickTarget) return;
  show.tickCount = 0;
  show.tickTarget = static_cast<int32_t>(show.settings->timeDelay * 10u);

  if (show.settings->displayLogo != 0 &&
      static_cast<uint32_t>(show.comicsSinceLogo) == show.settings->logoFrames) {
    showLogo(show);
    return;
  }
  if (tryPopup(show)) return;
  showComic(show);
}
