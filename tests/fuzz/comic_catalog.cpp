// The comics.ini reader with the weighing of its template files, in a
// scratch data folder. Input: one byte of "Use" switches, a two-byte length
// and that many bytes of a template file t.txt, then comics.ini itself.
#include <cstring>

#include "base/log_file.h"
#include "core/show/comic_catalog.h"
#include "core/show/settings.h"
#include "fuzz_support.h"

namespace {

bool terminated(const char* field) { return std::memchr(field, 0, kCatalogField) != nullptr; }

bool blank(char c) { return c == ' ' || c == '\t'; }

void checkCatalog(const ComicCatalog& c) {
  for (int32_t g = 0; g <= 1; ++g) {
    for (int32_t t = 0; t <= 2; ++t) {
      int32_t index = g * 3 + t;
      int32_t length = 0;
      for (const ComicEntry* e = c.listHead[index]; e != nullptr; e = e->next) {
        fuzz::require(terminated(e->fileName), "comic name terminated");
        size_t n = std::strlen(e->fileName);
        fuzz::require(n >= 5 && e->fileName[n - 4] == '.', "comic name has an extension");
        fuzz::require(!blank(e->fileName[0]) && !blank(e->fileName[n - 1]), "comic name trimmed");
        fuzz::require(std::strchr(e->fileName, '#') == nullptr, "comment cut off");
        fuzz::require(e->weight >= 0, "weight not negative");
        fuzz::require(c.entryAt(g, t, length) == e, "entryAt walks the list");
        ++length;
      }
      fuzz::require(c.entryAt(g, t, length) == nullptr, "entryAt ends with the list");
      fuzz::require(c.entryAt(g, t, -5) == c.listHead[index], "low index gives the head");
      fuzz::require(c.weightAt(g, t, length) == 0, "no weight past the end");
      int32_t count = c.listCount[index];
      fuzz::require(count == 0 || count == length, "count is all or nothing");
      if (t != TypeOfficial && count > 0) fuzz::require(c.totalWeight(g, t) > 0, "weighed list");
    }
  }
  fuzz::require(c.entryAt(2, 0, 0) == nullptr && c.entryAt(0, 3, 0) == nullptr,
                "no list outside the six");
  int32_t popups = 0;
  for (const PopupEntry* p = c.popupHead; p != nullptr; p = p->next) {
    fuzz::require(terminated(p->fileName) && terminated(p->soundName) && terminated(p->caption),
                  "popup fields terminated");
    fuzz::require(c.popupAt(popups) == p, "popupAt walks the list");
    ++popups;
  }
  fuzz::require(popups == c.popupCount, "popup count matches");
  fuzz::require(c.popupAt(popups) == nullptr, "popupAt ends with the list");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SaverSettings record;
  record.setDefaults();
  std::strcpy(record.directory, fuzz::scratchFolder().c_str());

  uint8_t use = fuzz::takeU8(data, size);
  record.useZB = use & 1;
  record.usePellow = use & 2;
  record.useRandom = use & 4;
  record.useOriginal = use & 8;
  record.useOfficial = use & 16;

  size_t templateSize = fuzz::takeU8(data, size);
  templateSize |= static_cast<size_t>(fuzz::takeU8(data, size)) << 8;
  if (templateSize > size) templateSize = size;
  fuzz::writeScratchFile("t.txt", data, templateSize);
  data += templateSize;
  size -= templateSize;
  std::string ini = fuzz::writeScratchFile("comics.ini", data, size);

  // A fresh log each time, so that it stays small.
  std::string log = fuzz::scratchFolder() + "\\error.log";
  logFile().open(log.c_str());
  {
    ComicCatalog c;
    bool loaded = c.load(ini.c_str(), record);
    fuzz::require(loaded, "a readable file loads");
    checkCatalog(c);
  }
  logFile().close();
  return 0;
}
