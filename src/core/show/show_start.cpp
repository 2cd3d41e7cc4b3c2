#include "core/show/show_start.h"

#include <ctime>

#include "base/data_path.h"
#include "core/show/show.h"

bool initShow(Show& show, int32_t width, int32_t height) {
  show.screenWidth = width;
  show.screenHeight = height;
  show.catalog.clear();  // only a second start of one show has one
  show.catalogLoaded = false;
  if (show.settings == nullptr) return true;

  char path[kDataPathSize];
  dataPath(path, show.folder(), "comics.ini");
  show.catalogLoaded = show.catalog.load(path, *show.settings);
  if (show.catalogLoaded) {
    show.random.seed(static_cast<uint32_t>(std::time(nullptr)));
    show.comicsSinceLogo = 0;
  } else {
    show.catalog.clear();
  }
  return true;
}

bool initShowFrom(Show& show, const Show& first, int32_t index, int32_t width, int32_t height) {
  if (first.catalogLoaded && show.catalog.copyFrom(first.catalog)) {
    show.screenWidth = width;
    show.screenHeight = height;
    show.catalogLoaded = true;
    show.comicsSinceLogo = 0;
  } else {
    initShow(show, width, height);
  }
  if (show.catalogLoaded) {
    show.random.seed(static_cast<uint32_t>(std::time(nullptr)) +
                     static_cast<uint32_t>(index) * 0x9E3779B9u);
  }
  return true;
}
