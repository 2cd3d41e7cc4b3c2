// One show: everything a comic show needs, handed to it by the front end
// that creates it. Shows share nothing, so a process may run several.
#pragma once

#include <cstdint>

#include "core/picture/painter.h"
#include "core/picture/pixel_rect.h"
#include "core/random/random_source.h"
#include "core/show/comic_catalog.h"
#include "core/show/settings.h"

struct Show;

// A data path and a reason.
constexpr int kCatalogProblemSize = 640;

// In the show's coordinates, which a front end may enlarge by its scale.
using DrawnRect = PixelRect;

// What a show step asks for: the pictures of the data folder on the
// screen, a caption, the error display, a strip and a sound. The standard
// table (paintedDrawing) does all of it through the show's painter.
struct ShowDrawing {
  // Opens a picture of the data folder. Null when there is no memory for
  // it; otherwise *failed says whether the file loaded, and *width and
  // *height give its size.
  Picture* (*openPicture)(Show& show, const char* name, bool* failed, int32_t* width,
                          int32_t* height) = nullptr;
  void (*drawPicture)(Show& show, Picture* picture, int32_t x, int32_t y, bool mirrored) = nullptr;
  // Releases and discards what openPicture gave.
  void (*closePicture)(Show& show, Picture* picture) = nullptr;
  void (*eraseScreen)(Show& show) = nullptr;
  // A popup caption on the screen, centred on anchorX.
  void (*drawCaption)(Show& show, int32_t anchorX, int32_t top, const char* text) = nullptr;
  // The error display, with the screen blacked out first.
  void (*showError)(Show& show, const char* message) = nullptr;
  void (*showStrip)(Show& show, const char* templatePath) = nullptr;
  void (*playSound)(Show& show, const char* path) = nullptr;
};

ShowDrawing paintedDrawing();

struct Show {
  Show() = default;
  Show(const Show&) = delete;
  Show& operator=(const Show&) = delete;

  // The data folder is settings->directory.
  const SaverSettings* settings = nullptr;
  // The show's screen in pixels, recorded by initShow; the front end
  // shows it enlarged scale times.
  int32_t screenWidth = 0;
  int32_t screenHeight = 0;
  int32_t scale = 1;
  RandomSource random;
  // What comics.ini lists, and whether it could be read; when it could not,
  // why, as the error display shows it.
  ComicCatalog catalog;
  bool catalogLoaded = false;
  char catalogProblem[kCatalogProblemSize] = {};
  // Show timing and the logo cycle.
  int32_t tickCount = 0;
  int32_t tickTarget = 0;
  int32_t comicsSinceLogo = 0;
  // The last step showed a popup.
  bool popupShowing = false;
  // Where the item last drawn stands on the show's screen.
  DrawnRect lastDrawnRect;

  Painter painter;
  ShowDrawing drawing = paintedDrawing();

  const char* folder() const { return settings != nullptr ? settings->directory : ""; }
};
