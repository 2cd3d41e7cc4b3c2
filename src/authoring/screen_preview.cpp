#include "authoring/screen_preview.h"

#include <cstring>

#include "authoring/error_capture.h"
#include "base/ascii_case.h"
#include "base/data_path.h"
#include "core/show/show_chooser.h"

ScreenPreview previewScreen(Show& show, const std::string& item, const PopupEntry* popup,
                            uint32_t seed) {
  ScreenPreview out;
  SaverSettings record = *show.settings;
  const SaverSettings* own = show.settings;
  show.settings = &record;
  show.catalog.clear();
  for (int32_t& count : show.catalog.listCount) count = 0;
  show.catalog.popupCount = 0;
  if (popup != nullptr) {
    PopupEntry* entry = new PopupEntry(*popup);
    entry->next = nullptr;
    show.catalog.popupHead = entry;
    show.catalog.popupCount = 1;
    record.useToasty = 1;
    record.perToasty = 1;
  } else {
    ComicEntry* entry = new ComicEntry();
    std::strncpy(entry->fileName, item.c_str(), kCatalogField - 1);
    show.catalog.listHead[GroupZB * 3 + TypeOfficial] = entry;
    show.catalog.listCount[GroupZB * 3 + TypeOfficial] = 1;
    record.useToasty = 0;
  }
  record.useSound = 0;
  record.displayLogo = 0;
  show.catalogLoaded = true;
  show.popupShowing = false;
  show.comicsSinceLogo = 0;
  show.screenWidth = kPreviewScreenWidth;
  show.screenHeight = kPreviewScreenHeight;
  show.random.seed(seed);

  show.painter.eraseScreen(show.painter.context);
  {
    ErrorCapture errors(show.painter);
    advance(show, true);
    out.error = errors.text();
  }
  show.settings = own;
  if (!out.error.empty()) return out;
  const DrawnRect& at = show.lastDrawnRect;
  std::string where = " at " + std::to_string(at.x) + ", " + std::to_string(at.y) + " (" +
                      std::to_string(at.width) + " x " + std::to_string(at.height) + ")";
  if (popup != nullptr) {
    out.description =
        "popup " + item + where +
        (at.x > 0 || at.width >= kPreviewScreenWidth ? ", mirrored on the right" : ", on the left");
    if (popup->caption[0] != '\0')
      out.description += ", caption \"" + std::string(popup->caption) + "\"";
  } else {
    out.description = "comic " + item + where + " on a " + std::to_string(kPreviewScreenWidth) +
                      " x " + std::to_string(kPreviewScreenHeight) + " screen";
  }
  return out;
}

bool findPopup(const Show& show, const std::string& item, PopupEntry& popup) {
  ComicCatalog listed;
  listed.load(dataPath(show.folder(), "comics.ini").c_str(), *show.settings);
  bool found = false;
  for (const PopupEntry* p = listed.popupHead; p != nullptr; p = p->next) {
    if (lowerAscii(p->fileName) == lowerAscii(item)) {
      popup = *p;
      popup.next = nullptr;
      found = true;
    }
  }
  return found;
}
