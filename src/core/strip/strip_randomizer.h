// Strip template files: the line layer (readLine, seekTo, statuses) and the
// random expansion of one strip into three panels with text boxes.
#pragma once

#include <cstdint>

#include "core/strip/text_buffer.h"

class RandomSource;

constexpr int kTextField = 200;  // every text field: 199 characters and a NUL

enum RandomizerStatus : int32_t {
  Ready = 0,
  OpenFailed = 1,
  Working = 2,
  NotFound = 3,
  EndOfData = 4,
  NoStrips = 5,
  TooLong = 6,
  BadPointer = 7,
  BadPanel = 8,
};

extern const char kNullPointerMessage[];  // "Can't write to null pointer, thanks though"

struct StripTextbox {
  int16_t textX = 0;
  int16_t textY = 0;
  int16_t tailX = 0;
  int16_t tailY = 0;
  int16_t textSize = 0;
  char category[kTextField] = {};
  char text[kTextField] = {};
  StripTextbox* nextBox = nullptr;
};

struct StripPanel {
  char category[kTextField] = {};
  char imageFile[kTextField] = {};
  int32_t width = 0;
  StripTextbox* textboxes = nullptr;
};

struct StripName {
  char name[kTextField] = {};
  int32_t headerEnd = 0;  // read position just after the header line
  StripName* nextName = nullptr;
};

class StripRandomizer {
 public:
  StripRandomizer();
  explicit StripRandomizer(const char* templatePath);
  ~StripRandomizer();
  StripRandomizer(const StripRandomizer&) = delete;
  StripRandomizer& operator=(const StripRandomizer&) = delete;

  // Generation. The random draws come from the show's own source.
  void loadTemplateFile(const char* path);
  void makeNameList();
  void pickRandomStrip(RandomSource& random);
  void readStrip(const char* name, RandomSource& random);
  void loadPanel(int index);
  void loadTextbox(StripTextbox* box);
  void randomizeStrip(RandomSource& random);
  void getRandomString(const char* category, char* dest, RandomSource& random);
  // Entries from the read position to the category's "end", which is left
  // where it was; 0 with status 4 when the file ends first.
  uint32_t countEntries();
  void wipeMemory();

  // Line layer.
  void setStatus(int32_t code, const char* message);
  void readLine(char* dest);
  void cleanLine(char* line);
  void dropFirstChar(char* text);
  void bracketize(char* text);  // text needs room for 201 bytes
  void seekTo(const char* name);
  // seekTo with its reading started at a line start the reader itself
  // passed through from the file's start: the same result, without
  // reading the lines before it again (for tools that look up many names).
  void seekFrom(const char* name, int32_t start);

  int32_t statusCode() const { return statusCode_; }
  const char* statusMessage() const { return statusMessage_; }
  int32_t stripCount() const { return stripCount_; }
  StripPanel& panel(int index) { return panels_[index]; }
  const StripPanel& panel(int index) const { return panels_[index]; }
  const StripName* stripNames() const { return stripNames_; }
  // The name readStrip was last given (picked at random or asked for).
  const char* currentStrip() const { return currentStrip_; }
  TextBuffer& buffer() { return buffer_; }

 private:
  // The proceed rule: reading steps work only while the status is 0 or 2.
  bool mayProceed() const { return statusCode_ == Ready || statusCode_ == Working; }

  StripPanel panels_[3];
  StripName* stripNames_ = nullptr;
  char statusMessage_[kTextField] = {};
  char currentStrip_[kTextField] = {};
  TextBuffer buffer_;
  int32_t statusCode_ = Working;
  int32_t stripCount_ = 0;
};

// Copies src into a field of kTextField bytes, cutting what does not fit.
void copyField(char* dest, const char* src);
