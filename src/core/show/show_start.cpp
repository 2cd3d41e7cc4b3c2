#include "core/show/show_start.h"

#include <cstring>
#include <ctime>
#include <new>

#include "core/show/settings.h"
#include "core/show/comic_catalog.h"
#include "core/show/random_source.h"
#include "core/show/show_state.h"

bool initShowWithScreen(int32_t width, int32_t height) {
  screenWidth = width;
  screenHeight = height;
  delete catalog;  // only a second start in one process has one
  catalogLoaded = false;
  catalog = new (std::nothrow) ComicCatalog();
  if (catalog == nullptr) return true;  // as if comics.ini could not be read

  char path[512] = {};
  if (settings != nullptr) std::strncat(path, settings->directory, sizeof path - 1);
  std::strncat(path, "\\comics.ini", sizeof path - 1 - std::strlen(path));
  catalogLoaded = catalog->load(path);
  if (catalogLoaded) {
    randomSource().seed(static_cast<uint32_t>(std::time(nullptr)));
    comicsSinceLogo = 0;
  } else {
    catalog->clear();
    delete catalog;
    catalog = nullptr;
  }
  return true;
}
