// comics.ini: one entry per line under six section keywords, read with a
// quote state that lasts across lines, then weighed and switched by the
// user's settings.
#include "core/show/comic_catalog.h"

#include <cstring>
#include <new>

#include "base/data_path.h"
#include "base/log_file.h"
#include "core/show/settings.h"
#include "core/strip/strip_randomizer.h"
#include "core/strip/text_buffer.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

void copyText(char* dest, const char* src, size_t length) {
  if (length > kCatalogField - 1) length = kCatalogField - 1;
  std::memmove(dest, src, length);
  dest[length] = '\0';
}

bool validList(int32_t group, int32_t type) {
  return group >= 0 && group <= 1 && type >= 0 && type <= 2;
}

// Caption text from start to the end of the line, less a final quote.
void copyCaption(char* dest, const char* start) {
  size_t n = std::strlen(start);
  if (n > 0 && start[n - 1] == '"') --n;
  copyText(dest, start, n);
}

// picture | picture "caption" | picture sound "caption"
void parsePopup(const char* line, PopupEntry& entry) {
  const char* p = line;
  while (*p != '\0' && !isBlank(*p)) ++p;
  const char* firstEnd = p;
  while (isBlank(*p)) ++p;
  if (*p == '\0') {
    copyText(entry.fileName, line, std::strlen(line));
    return;
  }
  copyText(entry.fileName, line, static_cast<size_t>(firstEnd - line));
  if (*p == '"') {
    copyCaption(entry.caption, p + 1);
    return;
  }
  const char* sound = p;
  while (*p != '\0' && !isBlank(*p)) ++p;
  copyText(entry.soundName, sound, static_cast<size_t>(p - sound));
  while (isBlank(*p)) ++p;
  // The third field's first character is taken as its opening quote.
  if (*p != '\0') copyCaption(entry.caption, p + 1);
}

struct Section {
  char keyword[9];
  int32_t group;  // -1: unchanged
  int32_t type;
  bool popup;
};

constexpr Section kSections[] = {
    {"zb", GroupZB, -1, false},
    {"pellow", GroupPellow, -1, false},
    {"random", -1, TypeRandom, false},
    {"custom", -1, TypeCustom, false},
    {"official", -1, TypeOfficial, false},
    {"popup", -1, -1, true},
};

}  // namespace

bool ComicCatalog::load(const char* path, const SaverSettings& settings,
                        const CatalogListener* listener) {
  popupCount = 0;
  int32_t group = GroupZB;
  int32_t type = TypeRandom;
  bool popupMode = false;
  bool inQuotes = false;

  TextBuffer buffer;
  if (path == nullptr || !buffer.loadFile(path)) {
    buffer.release();
    return false;
  }
  if (listener != nullptr && listener->opened != nullptr)
    listener->opened(listener->context, buffer.hadByteOrderMark());
  LineCounter lines;
  CatalogLineReport report;
  auto tell = [&](CatalogLine kind) {
    if (listener == nullptr || listener->line == nullptr) return;
    report.kind = kind;
    report.list = group * 3 + type;
    report.quotesOpen = inQuotes;
    listener->line(listener->context, report);
  };

  char raw[kCatalogField];
  while (!buffer.atEnd()) {
    if (listener != nullptr) report.line = lines.lineAt(buffer, buffer.position());
    buffer.readRawLine(raw, kCatalogField);
    char* line = raw;
    while (isBlank(*line)) ++line;
    report.text = line;
    report.commentInQuotes = false;
    report.popup = nullptr;
    for (char* c = line; *c != '\0'; ++c) {
      if (*c == '#') {
        report.commentInQuotes = inQuotes;
        *c = '\0';
        break;
      }
      if (*c == '"') {
        inQuotes = !inQuotes;
      } else if (!inQuotes && *c >= 'A' && *c <= 'Z') {
        *c = static_cast<char>(*c - 'A' + 'a');
      }
    }
    size_t n = std::strlen(line);
    while (n > 0 && isBlank(line[n - 1])) line[--n] = '\0';
    if (n == 0) continue;

    const Section* section = nullptr;
    for (const Section& s : kSections) {
      if (std::strcmp(line, s.keyword) == 0) section = &s;
    }
    if (section != nullptr) {
      if (section->group >= 0) group = section->group;
      if (section->type >= 0) type = section->type;
      popupMode = section->popup;
      tell(CatalogLine::section);
      continue;
    }

    if (popupMode) {
      PopupEntry* entry = new (std::nothrow) PopupEntry();
      if (entry == nullptr) {
        logFile().write("Error: Unable to allocate Popup list!\n");
        buffer.release();
        return false;
      }
      parsePopup(line, *entry);
      entry->next = popupHead;
      popupHead = entry;
      ++popupCount;
      report.popup = entry;
      tell(CatalogLine::popup);
      continue;
    }

    if (n < 5 || line[n - 4] != '.') {
      logFile().write("Error: \"").write(line).write("\" not recognized\n");
      tell(CatalogLine::notRecognized);
      break;
    }
    ComicEntry* entry = new (std::nothrow) ComicEntry();
    if (entry == nullptr) {
      // Treated like a popup that cannot be had: the catalogue is dropped.
      logFile().write("Error: Unable to allocate Comic list!\n");
      buffer.release();
      return false;
    }
    copyText(entry->fileName, line, n);
    int32_t index = group * 3 + type;
    entry->next = listHead[index];
    listHead[index] = entry;
    tell(CatalogLine::comic);
  }

  for (int i = 0; i < kComicLists; ++i) {
    int32_t count = 0;
    for (ComicEntry* e = listHead[i]; e != nullptr; e = e->next) ++count;
    listCount[i] = count;
  }

  if (settings.useZB == 0) listCount[0] = listCount[1] = listCount[2] = 0;
  if (settings.usePellow == 0) listCount[3] = listCount[4] = listCount[5] = 0;
  if (settings.useRandom == 0) listCount[0] = listCount[3] = 0;
  if (settings.useOriginal == 0) listCount[1] = listCount[4] = 0;
  if (settings.useOfficial == 0) listCount[2] = listCount[5] = 0;

  for (int32_t g = 0; g <= 1; ++g) {
    for (int32_t t = TypeRandom; t <= TypeCustom; ++t) {
      int32_t index = g * 3 + t;
      if (listHead[index] == nullptr || listCount[index] <= 0) continue;
      for (ComicEntry* e = listHead[index]; e != nullptr; e = e->next) {
        e->weight = templateWeight(settings.directory, e->fileName);
      }
      if (totalWeight(g, t) == 0) listCount[index] = 0;
    }
  }

  buffer.release();
  return true;
}

void ComicCatalog::clear() {
  for (int i = 0; i < kComicLists; ++i) {
    while (listHead[i] != nullptr) {
      ComicEntry* next = listHead[i]->next;
      delete listHead[i];
      listHead[i] = next;
    }
  }
  while (popupHead != nullptr) {
    PopupEntry* next = popupHead->next;
    delete popupHead;
    popupHead = next;
  }
  for (int32_t& count : listCount) count = 0;
  popupCount = 0;
}

namespace {

// A copy of a singly linked list, in its order; null (and nothing left
// made) when there is no memory for one of its nodes.
template <typename Entry>
bool copyList(const Entry* from, Entry** head) {
  Entry** tail = head;
  for (; from != nullptr; from = from->next) {
    Entry* entry = new (std::nothrow) Entry(*from);
    if (entry == nullptr) return false;
    entry->next = nullptr;
    *tail = entry;
    tail = &entry->next;
  }
  return true;
}

}  // namespace

bool ComicCatalog::copyFrom(const ComicCatalog& other) {
  clear();
  bool copied = copyList(other.popupHead, &popupHead);
  for (int i = 0; i < kComicLists; ++i)
    copied = copied && copyList(other.listHead[i], &listHead[i]);
  if (!copied) {
    clear();
    return false;
  }
  for (int i = 0; i < kComicLists; ++i) listCount[i] = other.listCount[i];
  popupCount = other.popupCount;
  return true;
}

ComicEntry* ComicCatalog::entryAt(int32_t group, int32_t type, int32_t index) const {
  if (!validList(group, type)) return nullptr;
  ComicEntry* e = listHead[group * 3 + type];
  for (int32_t i = 0; i < index && e != nullptr; ++i) e = e->next;
  return e;
}

int32_t ComicCatalog::totalWeight(int32_t group, int32_t type) const {
  if (!validList(group, type)) return 0;
  // Summed wide and held at the largest 32-bit value, so that no number of
  // files can turn the total negative.
  int64_t sum = 0;
  for (ComicEntry* e = listHead[group * 3 + type]; e != nullptr; e = e->next) {
    sum += e->weight;
    if (sum > INT32_MAX) sum = INT32_MAX;
  }
  return static_cast<int32_t>(sum);
}

int32_t ComicCatalog::weightAt(int32_t group, int32_t type, int32_t index) const {
  ComicEntry* e = entryAt(group, type, index);
  return e != nullptr ? e->weight : 0;
}

PopupEntry* ComicCatalog::popupAt(int32_t index) const {
  PopupEntry* e = popupHead;
  for (int32_t i = 0; i < index && e != nullptr; ++i) e = e->next;
  return e;
}

int32_t templateWeight(const char* folder, const char* fileName) {
  char path[kDataPathSize];
  dataPath(path, folder, fileName);
  StripRandomizer counter;
  counter.loadTemplateFile(path);
  return counter.stripCount();
}
