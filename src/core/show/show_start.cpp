#include "core/show/show_start.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "base/data_path.h"
#include "base/file.h"
#include "base/log_file.h"
#include "core/show/show.h"

namespace {

const char kCatalogFile[] = "comics.ini";

// Why comics.ini could not be read, as a subject (a path) and a message.
void explainCatalog(const char* folder, const char* catalogPath, std::string* subject,
                    const char** what) {
  *subject = catalogPath;
  *what = "Unable to open file";
  zfile::Handle asFile = zfile::openRead(folder);
  if (asFile != zfile::kNoFile) {
    zfile::close(asFile);
    *subject = folder;
    *what = "Unable to use the data folder: it is a file";
  } else if (!zfile::exists(folder)) {
    *subject = folder;
    *what = "Unable to find the data folder";
  } else if (zfile::Handle catalog = zfile::openRead(catalogPath); catalog != zfile::kNoFile) {
    zfile::close(catalog);
    *what = "Unable to read file";  // opened, but no memory for it
  }
}

// A black screen that never changes cannot be told from a hung program:
// the reason is logged and kept for the error display.
void reportCatalog(Show& show, const char* catalogPath) {
  std::string subject;
  const char* what = nullptr;
  explainCatalog(show.folder(), catalogPath, &subject, &what);
  std::string shown = zfile::shownPath(subject.c_str());
  logFile().write(shown.c_str()).write(": ").write(what).write("\n");
  // A backslash would start a new line of the display.
  for (char& c : shown) {
    if (c == '\\') c = '/';
  }
  std::snprintf(show.catalogProblem, sizeof show.catalogProblem, "%s: %s", shown.c_str(), what);
}

}  // namespace

bool initShow(Show& show, int32_t width, int32_t height) {
  show.screenWidth = width;
  show.screenHeight = height;
  show.catalog.clear();  // only a second start of one show has one
  show.catalogLoaded = false;
  show.catalogProblem[0] = '\0';
  if (show.settings == nullptr) return true;

  char path[kDataPathSize];
  dataPath(path, show.folder(), kCatalogFile);
  show.catalogLoaded = show.catalog.load(path, *show.settings);
  if (show.catalogLoaded) {
    show.random.seed(static_cast<uint32_t>(std::time(nullptr)));
    show.comicsSinceLogo = 0;
  } else {
    show.catalog.clear();
    reportCatalog(show, path);
  }
  return true;
}

bool initShowFrom(Show& show, const Show& first, int32_t index, int32_t width, int32_t height) {
  if (first.catalogLoaded && show.catalog.copyFrom(first.catalog)) {
    show.screenWidth = width;
    show.screenHeight = height;
    show.catalogLoaded = true;
    show.comicsSinceLogo = 0;
  } else if (!first.catalogLoaded && first.catalogProblem[0] != '\0') {
    // The same folder, the same reason: logged once, by the first show.
    show.screenWidth = width;
    show.screenHeight = height;
    show.catalog.clear();
    show.catalogLoaded = false;
    std::snprintf(show.catalogProblem, sizeof show.catalogProblem, "%s", first.catalogProblem);
  } else {
    initShow(show, width, height);
  }
  if (show.catalogLoaded) {
    show.random.seed(static_cast<uint32_t>(std::time(nullptr)) +
                     static_cast<uint32_t>(index) * 0x9E3779B9u);
  }
  return true;
}
