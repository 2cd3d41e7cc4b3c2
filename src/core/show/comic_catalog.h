// The catalogue of what the show may put on the screen, read from
// comics.ini: six lists of comics (group x type) and the popup pictures.
#pragma once

#include <cstdint>

struct SaverSettings;

enum ComicGroup : int32_t {
  GroupZB = 0,      // series comics, "zb"
  GroupPellow = 1,  // "pellow"
};

enum ComicType : int32_t {
  TypeRandom = 0,    // strip-template files, "random"
  TypeCustom = 1,    // strip-template files, "custom"
  TypeOfficial = 2,  // finished pictures, "official"
};

constexpr int kComicLists = 6;  // index group * 3 + type
constexpr int kCatalogField = 200;

struct ComicEntry {
  char fileName[kCatalogField] = {};
  int32_t weight = 0;  // strips in the file, for the template types
  ComicEntry* next = nullptr;
};

struct PopupEntry {
  char fileName[kCatalogField] = {};
  char soundName[kCatalogField] = {};  // empty for none
  char caption[kCatalogField] = {};    // empty for none
  PopupEntry* next = nullptr;
};

// What the reader made of one line of comics.ini, for the authoring
// checker; the saver passes no listener.
enum class CatalogLine { section, comic, popup, notRecognized };

struct CatalogLineReport {
  int32_t line = 0;            // physical line, 1 for the first
  const char* text = nullptr;  // after trimming, lower-casing and the comment cut
  CatalogLine kind = CatalogLine::section;
  int32_t list = 0;              // group * 3 + type, for comic lines
  bool commentInQuotes = false;  // a "#" inside quotes cut the line
  bool quotesOpen = false;       // the quote state is inside at the line's end
  const PopupEntry* popup = nullptr;
};

struct CatalogListener {
  void (*line)(void* context, const CatalogLineReport& report) = nullptr;
  // Called once the file is open, with whether a byte-order mark was dropped.
  void (*opened)(void* context, bool byteOrderMark) = nullptr;
  void* context = nullptr;
};

struct ComicCatalog {
  int32_t listCount[kComicLists] = {};  // 0: the list is unavailable
  ComicEntry* listHead[kComicLists] = {};
  PopupEntry* popupHead = nullptr;
  int32_t popupCount = 0;

  ComicCatalog() = default;
  ~ComicCatalog() { clear(); }
  ComicCatalog(const ComicCatalog&) = delete;
  ComicCatalog& operator=(const ComicCatalog&) = delete;

  // False only if the file cannot be opened or a popup cannot be allocated.
  // The settings switch lists off, and their folder holds the templates
  // that are weighed.
  bool load(const char* path, const SaverSettings& settings,
            const CatalogListener* listener = nullptr);
  void clear();
  // Becomes a copy of other, lists in the same order. False, and empty,
  // when there is no memory for it.
  bool copyFrom(const ComicCatalog& other);
  // index <= 0 gives the head; none past the end.
  ComicEntry* entryAt(int32_t group, int32_t type, int32_t index) const;
  int32_t totalWeight(int32_t group, int32_t type) const;
  int32_t weightAt(int32_t group, int32_t type, int32_t index) const;
  PopupEntry* popupAt(int32_t index) const;
};

// Number of strips in the template file folder + "\" + fileName.
int32_t templateWeight(const char* folder, const char* fileName);
