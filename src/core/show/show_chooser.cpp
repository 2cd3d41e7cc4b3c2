#include "core/show/show_chooser.h"

#include <cstdio>
#include <cstring>

#include "base/log_file.h"
#include "core/show/settings.h"
#include "core/show/comic_catalog.h"
#include "core/show/placement.h"
#include "core/show/random_source.h"
#include "core/show/show_state.h"

namespace {

constexpr size_t kPathSize = 512;
constexpr int32_t kLogoWidth = 278;
constexpr int32_t kLogoHeight = 180;
constexpr int32_t kPopupTicks = 12;

const char* const kLogoFile = "ZBLogo.pcx";

// The weights are 32-bit settings; their sum is taken in 64 bits so that
// two large weights cannot add up to nothing.
uint64_t drawBelow(uint64_t total) { return randomSource().next() % total; }

// Index of the first candidate whose running sum exceeds r.
int weightedChoice(uint64_t r, const uint64_t* weights, int count) {
  uint64_t sum = 0;
  for (int i = 0; i < count; ++i) {
    sum += weights[i];
    if (sum > r) return i;
  }
  return count - 1;  // unreachable while r is below the total
}

void dataPath(char (&path)[kPathSize], const char* name) {
  path[0] = '\0';
  std::strncat(path, settings->directory, kPathSize - 1);
  std::strncat(path, "\\", kPathSize - 1 - std::strlen(path));
  std::strncat(path, name, kPathSize - 1 - std::strlen(path));
}

void reportPicture(const ShowDrawing& d, const char* name, const char* what) {
  logFile().write(name).write(": ").write(what).write("\n");
  char message[kPathSize];
  std::snprintf(message, sizeof message, "%s: %s", name, what);
  d.showError(message);
}

enum class Opened { NoMemory, Failed, Ready };

// Opens a popup or comic picture. A failure is logged and shown, and nothing
// is left open; only a Ready picture is the caller's to draw and close.
Opened openShown(const ShowDrawing& d, const char* name, void** picture, int32_t* w, int32_t* h) {
  bool failed = false;
  *picture = d.openPicture(name, &failed, w, h);
  if (*picture == nullptr) {
    reportPicture(d, name, "Unable to allocate");
    return Opened::NoMemory;
  }
  if (failed) {
    reportPicture(d, name, "Unable to load");
    d.closePicture(*picture);
    return Opened::Failed;
  }
  return Opened::Ready;
}

void showLogo(const ShowDrawing& d) {
  int32_t x = (screenWidth - kLogoWidth) / 2;
  int32_t y = (screenHeight - kLogoHeight) / 2;
  bool failed = false;
  int32_t w = 0;
  int32_t h = 0;
  // A logo that cannot be loaded counts as shown too: trying it again at
  // every step would put nothing but the error on the screen, for ever.
  comicsSinceLogo = 0;
  void* logo = d.openPicture(kLogoFile, &failed, &w, &h);
  if (logo == nullptr) {
    logFile().write(kLogoFile).write(": Unable to allocate\n");
    return;
  }
  if (failed) {
    d.showError("Unable to load \"ZBLogo.pcx\"");
    d.closePicture(logo);
    return;
  }
  lastDrawnRect = {x, y, w, h};
  d.eraseScreen();
  d.drawPicture(logo, x, y, false);
  d.closePicture(logo);
}

// True when a popup was taken (shown or reported); false: go on to a comic.
bool tryPopup(const ShowDrawing& d) {
  if (popupShowing || settings->useToasty == 0 || settings->perToasty == 0 ||
      catalog->popupCount <= 0) {
    return false;
  }
  if (randomSource().next() % settings->perToasty != 0) return false;
  uint32_t index = randomSource().next() % static_cast<uint32_t>(catalog->popupCount);
  const PopupEntry* entry = catalog->popupAt(static_cast<int32_t>(index));
  if (entry == nullptr) return false;  // count and list disagree: no popup

  void* picture = nullptr;
  int32_t w = 0;
  int32_t h = 0;
  if (openShown(d, entry->fileName, &picture, &w, &h) != Opened::Ready) return true;
  d.eraseScreen();
  int32_t y = screenHeight - h;
  int32_t x = 0;
  int32_t anchorX = 0;
  if ((randomSource().next() & 1u) != 0) {
    x = screenWidth - w;
    anchorX = screenWidth;
    d.drawPicture(picture, x, y, true);
  } else {
    d.drawPicture(picture, x, y, false);
  }
  lastDrawnRect = {x, y, w, h};
  if (entry->caption[0] != '\0') d.drawCaption(anchorX, screenHeight - h - 30, entry->caption);
  d.closePicture(picture);

  if (settings->useSound != 0 && entry->soundName[0] != '\0') {
    char path[kPathSize];
    dataPath(path, entry->soundName);
    logFile().write(path).write("\n");
    d.playSound(path);
  }
  popupShowing = true;
  tickTarget = kPopupTicks;
  return true;
}

bool anyListed(int first) {
  int64_t sum = 0;
  for (int i = first; i < first + 3; ++i) sum += catalog->listCount[i];
  return sum != 0;
}

void showStripEntry(const ShowDrawing& d, int group, int type) {
  int32_t total = catalog->totalWeight(group, type);
  if (total <= 0) {  // load never leaves such a list available
    d.showError("No available comics.");
    return;
  }
  uint32_t r = randomSource().next() % static_cast<uint32_t>(total);
  int64_t sum = 0;
  const ComicEntry* chosen = nullptr;
  for (const ComicEntry* e = catalog->listHead[group * 3 + type]; e != nullptr; e = e->next) {
    sum += e->weight;
    if (sum > r) {
      chosen = e;
      break;
    }
  }
  if (chosen == nullptr) return;
  char path[kPathSize];
  dataPath(path, chosen->fileName);
  d.showStrip(path);
  ++comicsSinceLogo;
}

void showFinishedComic(const ShowDrawing& d, int group) {
  uint32_t count = static_cast<uint32_t>(catalog->listCount[group * 3 + TypeOfficial]);
  uint32_t index = randomSource().next() % count;
  const ComicEntry* entry = catalog->entryAt(group, TypeOfficial, static_cast<int32_t>(index));
  if (entry == nullptr) return;
  void* picture = nullptr;
  int32_t w = 0;
  int32_t h = 0;
  Opened opened = openShown(d, entry->fileName, &picture, &w, &h);
  if (opened == Opened::Failed) ++comicsSinceLogo;  // a failed load still counts
  if (opened != Opened::Ready) return;
  int32_t x = randomPlace(screenWidth - w);
  int32_t y = randomPlace(screenHeight - h);
  lastDrawnRect = {x, y, w, h};
  d.eraseScreen();
  d.drawPicture(picture, x, y, false);
  d.closePicture(picture);
  ++comicsSinceLogo;
}

void showComic(const ShowDrawing& d) {
  popupShowing = false;
  const SaverSettings& s = *settings;
  uint64_t groups[2] = {
      s.useZB != 0 && anyListed(0) ? s.perZB : 0u,
      s.usePellow != 0 && anyListed(3) ? s.perPellow : 0u,
  };
  if (groups[0] + groups[1] == 0) {
    d.showError("No available comics");
    return;
  }
  int group = weightedChoice(drawBelow(groups[0] + groups[1]), groups, 2);
  const int32_t* counts = &catalog->listCount[group * 3];
  uint64_t types[3] = {
      s.useRandom != 0 && counts[0] != 0 ? s.perRandom : 0u,
      s.useOriginal != 0 && counts[1] != 0 ? s.perOriginal : 0u,
      s.useOfficial != 0 && counts[2] != 0 ? s.perOfficial : 0u,
  };
  uint64_t total = types[0] + types[1] + types[2];
  if (total == 0) {
    d.showError("No available comics.");
    return;
  }
  int type = weightedChoice(drawBelow(total), types, 3);
  if (type == TypeOfficial) {
    showFinishedComic(d, group);
  } else {
    showStripEntry(d, group, type);
  }
}

}  // namespace

void advanceWith(const ShowDrawing& d, bool force) {
  if (!catalogLoaded || catalog == nullptr || settings == nullptr) return;
  ++tickCount;
  if (!force && tickCount != tickTarget) return;
  tickCount = 0;
  tickTarget = static_cast<int32_t>(settings->timeDelay * 10u);

  if (settings->displayLogo != 0 &&
      static_cast<uint32_t>(comicsSinceLogo) == settings->logoFrames) {
    showLogo(d);
    return;
  }
  if (tryPopup(d)) return;
  showComic(d);
}
