// Strip templates: the strip list, reading one strip's panels and text
// boxes, and filling them with random entries of their categories.
#include "core/strip/strip_randomizer.h"

#include <cstring>
#include <new>

#include "base/number_text.h"
#include "core/random/random_source.h"

namespace {

// Low 16 bits of the atoi value, as a signed 16-bit number.
int16_t boxNumber(const char* line) {
  return static_cast<int16_t>(
      static_cast<uint16_t>(static_cast<uint32_t>(atoiRule(line)) & 0xFFFFu));
}

int16_t positionValue(const char* line) {
  int16_t v = boxNumber(line);
  return v < 1 ? int16_t{1} : v;
}

int16_t sizeValue(const char* line) {
  int16_t v = boxNumber(line);
  if (v < 1) return 0;
  return v > 25 ? int16_t{25} : v;
}

void joinMessage(char* out, const char* a, const char* b, const char* c) {
  out[0] = '\0';
  std::strncat(out, a, kTextField - 1);
  std::strncat(out, b, kTextField - 1 - std::strlen(out));
  std::strncat(out, c, kTextField - 1 - std::strlen(out));
}

}  // namespace

StripRandomizer::StripRandomizer() { setStatus(Working, "We haven't yet leaded from a file."); }

StripRandomizer::StripRandomizer(const char* templatePath) {
  loadTemplateFile(templatePath);
  setStatus(Working, "We haven't yet read in a strip.");
}

StripRandomizer::~StripRandomizer() {
  wipeMemory();
  buffer_.release();
}

void StripRandomizer::loadTemplateFile(const char* path) {
  if (path == nullptr) {
    setStatus(BadPointer, "Tried to load a non-file.");
    return;
  }
  wipeMemory();
  buffer_.release();
  if (!buffer_.loadFile(path)) {
    // A long path is cut so that the message still ends with its full stop.
    char message[kTextField];
    const char* prefix = "For some reason we couldn't open the file";
    size_t room = kTextField - 1 - std::strlen(prefix) - 1;
    std::strcpy(message, prefix);
    std::strncat(message, path, room);
    std::strcat(message, ".");
    setStatus(OpenFailed, message);
    return;
  }
  setStatus(Working, "File loaded but not initialized yet.");
  makeNameList();
}

void StripRandomizer::makeNameList() {
  if (!mayProceed()) return;
  stripCount_ = 0;
  buffer_.rewind();
  // A second listing of the same file starts afresh instead of dropping the
  // old nodes on the floor.
  while (stripNames_ != nullptr) {
    StripName* next = stripNames_->nextName;
    delete stripNames_;
    stripNames_ = next;
  }
  char line[kTextField];
  readLine(line);
  while (statusCode_ != EndOfData) {
    if (std::strncmp(line, "[cartoon", 8) == 0) {
      // The ninth character is a separator, whatever it is.
      const char* rest = std::strlen(line) > 9 ? line + 9 : "";
      const char* close = std::strchr(rest, ']');
      if (close == nullptr) {
        setStatus(EndOfData, "No terminating ] in strip header");
        return;
      }
      StripName* node = new (std::nothrow) StripName();
      if (node == nullptr) {
        setStatus(BadPointer, kNullPointerMessage);
        return;
      }
      std::memcpy(node->name, rest, static_cast<size_t>(close - rest));
      node->name[close - rest] = '\0';
      node->headerEnd = buffer_.position();
      node->nextName = stripNames_;
      stripNames_ = node;
      ++stripCount_;
    }
    readLine(line);
  }
  buffer_.rewind();
  if (stripCount_ == 0) {
    setStatus(NoStrips, "Couldn't find any strip templates in that file.");
  } else {
    setStatus(Working, "Done making the name list.");
  }
}

void StripRandomizer::pickRandomStrip(RandomSource& random) {
  if (!mayProceed()) return;
  if (stripCount_ == 0) {
    setStatus(NoStrips, "We need strips to be able to pick one.");
    return;
  }
  uint32_t k = random.next() % static_cast<uint32_t>(stripCount_);
  const StripName* entry = stripNames_;
  for (uint32_t i = 0; i < k && entry != nullptr; ++i) entry = entry->nextName;
  if (entry == nullptr) {
    setStatus(TooLong, "wtf");
    return;
  }
  char name[kTextField];
  copyField(name, entry->name);
  setStatus(Working, "About to read the strip.");
  readStrip(name, random);
}

void StripRandomizer::readStrip(const char* name, RandomSource& random) {
  if (!mayProceed()) return;
  copyField(currentStrip_, name != nullptr ? name : "");
  setStatus(Working, "Reading a specific strip.");
  char header[kTextField * 2];
  std::strcpy(header, "cartoon ");
  std::strncat(header, name != nullptr ? name : "", kTextField - 1);
  seekTo(header);
  if (statusCode_ != Working) return;
  for (int i = 0; i < 3; ++i) {
    loadPanel(i);
    if (statusCode_ != Working) return;
  }
  randomizeStrip(random);
  if (statusCode_ != Working) return;
  setStatus(Ready, "Initialized and ready!");
}

void StripRandomizer::loadPanel(int index) {
  if (index < 0 || index > 2) {
    setStatus(BadPanel, "Tried to read into a non-panel.");
    return;
  }
  if (!mayProceed()) return;
  char message[] = "Loading up panel #0";
  message[sizeof message - 2] = static_cast<char>('0' + index);
  setStatus(Working, message);
  StripPanel& panel = panels_[index];
  readLine(panel.category);
  if (statusCode_ == EndOfData) return;
  panel.imageFile[0] = '\0';
  char line[kTextField];
  for (;;) {
    buffer_.markPosition();
    readLine(line);
    if (statusCode_ == EndOfData) return;
    if (std::strcmp(line, "end") == 0) return;
    buffer_.returnToMark();
    StripTextbox* box = new (std::nothrow) StripTextbox();
    if (box == nullptr) {
      setStatus(BadPointer, kNullPointerMessage);
      return;
    }
    box->nextBox = panel.textboxes;
    panel.textboxes = box;
    loadTextbox(box);
    // Only the end of the data can stop a box; the next readLine reports
    // it. Anything else would leave this loop reading the same box forever.
    if (statusCode_ != Working && statusCode_ != EndOfData) return;
  }
}

void StripRandomizer::loadTextbox(StripTextbox* box) {
  if (!mayProceed()) return;
  if (box == nullptr) {
    setStatus(BadPointer, kNullPointerMessage);
    return;
  }
  setStatus(Working, "Loading a textbox.");
  char line[kTextField];
  int16_t* positions[4] = {&box->textX, &box->textY, &box->tailX, &box->tailY};
  for (int16_t* field : positions) {
    readLine(line);
    if (statusCode_ == EndOfData) return;
    *field = positionValue(line);
  }
  readLine(line);
  if (statusCode_ == EndOfData) return;
  box->textSize = sizeValue(line);
  readLine(box->category);
  if (statusCode_ == EndOfData) return;
  box->text[0] = '\0';
}

void StripRandomizer::randomizeStrip(RandomSource& random) {
  if (!mayProceed()) return;
  setStatus(Working, "Randomizing the strip..");
  for (StripPanel& panel : panels_) {
    seekTo(panel.category);
    if (statusCode_ != Working) return;
    getRandomString(panel.category, panel.imageFile, random);
    if (statusCode_ != Working) return;
    for (StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox) {
      seekTo(box->category);
      if (statusCode_ != Working) return;
      getRandomString(box->category, box->text, random);
      if (statusCode_ != Working) return;
    }
  }
}

void StripRandomizer::getRandomString(const char* category, char* dest, RandomSource& random) {
  if (!mayProceed()) return;
  uint32_t n = countEntries();
  if (statusCode_ == EndOfData) return;
  if (n == 0) {
    char message[kTextField];
    joinMessage(message, "No data in the category ", category != nullptr ? category : "",
                " for getRandomString().");
    setStatus(NotFound, message);
    return;
  }
  uint32_t k = random.next() % n;
  char line[kTextField];
  for (uint32_t i = 0; i <= k; ++i) {
    readLine(line);
    if (statusCode_ == EndOfData) return;
  }
  if (dest != nullptr) copyField(dest, line);
}

uint32_t StripRandomizer::countEntries() {
  buffer_.markPosition();
  char line[kTextField];
  uint32_t n = 0;
  readLine(line);
  if (statusCode_ == EndOfData) return 0;
  while (std::strcmp(line, "end") != 0) {
    ++n;
    readLine(line);
    if (statusCode_ == EndOfData) return 0;
  }
  buffer_.returnToMark();
  return n;
}

void StripRandomizer::wipeMemory() {
  while (stripNames_ != nullptr) {
    StripName* next = stripNames_->nextName;
    delete stripNames_;
    stripNames_ = next;
  }
  for (StripPanel& panel : panels_) {
    while (panel.textboxes != nullptr) {
      StripTextbox* next = panel.textboxes->nextBox;
      delete panel.textboxes;
      panel.textboxes = next;
    }
  }
  setStatus(Working, "Memory has been wiped.");
  stripCount_ = 0;
}
