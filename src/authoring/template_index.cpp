// A lookup reads from the start of the file up to the name; started at the
// header's own line instead, or at the last usable line when the name is
// absent, the reader ends in the same state. A name the reader cannot put
// in brackets goes the long way, as its lookup then compares other text.
#include "authoring/template_index.h"

#include <algorithm>
#include <cstring>

#include "core/strip/strip_randomizer.h"

void TemplateIndex::build(StripRandomizer& reader) {
  lineEnds_.clear();
  headers_.clear();
  lastStart_ = 0;
  TextBuffer& buffer = reader.buffer();
  const uint8_t* data = buffer.data();
  for (int32_t i = 0; data != nullptr && i < buffer.size(); ++i) {
    if (data[i] == '\n') lineEnds_.push_back(i);
  }
  int32_t status = reader.statusCode();
  std::string message = reader.statusMessage();
  buffer.rewind();
  char line[kTextField];
  for (;;) {
    int32_t start = buffer.position();
    reader.readLine(line);
    if (reader.statusCode() == EndOfData) break;
    lastStart_ = start;
    size_t length = std::strlen(line);
    if (length >= 2 && line[0] == '[' && line[length - 1] == ']') headers_.emplace(line, start);
    if (buffer.atEnd()) break;
  }
  buffer.rewind();
  reader.setStatus(status, message.c_str());
}

int32_t TemplateIndex::lineBefore(int32_t position) const {
  int32_t last = position > 0 ? position - 1 : 0;
  return 1 + static_cast<int32_t>(std::lower_bound(lineEnds_.begin(), lineEnds_.end(), last) -
                                  lineEnds_.begin());
}

void TemplateIndex::seekTo(StripRandomizer& reader, const std::string& name) const {
  if (name.size() > kTextField - 2) {
    reader.seekTo(name.c_str());
    return;
  }
  auto found = headers_.find("[" + name + "]");
  reader.seekFrom(name.c_str(), found != headers_.end() ? found->second : lastStart_);
}
