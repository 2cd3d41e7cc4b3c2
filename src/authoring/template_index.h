// Where things are in one loaded strip template file, found in one pass:
// the physical line of every read position, and where the reader's lookup
// of each header line would stop. With it the checker looks up any number
// of names in time that does not grow with the file.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class StripRandomizer;
class TextBuffer;

class TemplateIndex {
 public:
  // Walks the reader's usable lines as its lookup does, then rewinds it.
  void build(StripRandomizer& reader);
  // Physical line (1 for the first) of the last line read before position.
  int32_t lineBefore(int32_t position) const;
  // reader.seekTo(name), to the same status and read position.
  void seekTo(StripRandomizer& reader, const std::string& name) const;

 private:
  std::vector<int32_t> lineEnds_;  // offset of every line feed
  // Each header line's text, with the position the first one is read from.
  std::unordered_map<std::string, int32_t> headers_;
  int32_t lastStart_ = 0;  // where the last usable line is read from
};
