// The strip template reader: load, list, pick and read strips of any file.
#include <cstring>

#include "core/random/random_source.h"
#include "core/strip/strip_randomizer.h"
#include "fuzz_support.h"

namespace {

// The generator the strips draw from, as a show's own would be.
RandomSource generator;

bool terminated(const char* field) { return std::memchr(field, 0, kTextField) != nullptr; }

void checkRecord(const StripRandomizer& r) {
  fuzz::require(terminated(r.statusMessage()), "status message terminated");
  int32_t code = r.statusCode();
  fuzz::require(code >= Ready && code <= BadPanel, "status code known");
  int32_t names = 0;
  for (const StripName* n = r.stripNames(); n != nullptr; n = n->nextName) {
    fuzz::require(terminated(n->name), "strip name terminated");
    ++names;
  }
  fuzz::require(names == r.stripCount(), "strip count matches the list");
  for (int i = 0; i < 3; ++i) {
    const StripPanel& panel = r.panel(i);
    fuzz::require(terminated(panel.category) && terminated(panel.imageFile), "panel terminated");
    if (code == Ready) fuzz::require(panel.imageFile[0] != '\0', "ready panel has a picture");
    for (const StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox) {
      fuzz::require(terminated(box->category) && terminated(box->text), "box terminated");
      fuzz::require(box->textSize >= 0 && box->textSize <= 25, "text size bounded");
      if (code == Ready) {
        fuzz::require(box->textX >= 1 && box->textY >= 1 && box->tailX >= 1 && box->tailY >= 1,
                      "ready box positions at least 1");
        fuzz::require(box->text[0] != '\0', "ready box has a text");
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint32_t seed = fuzz::takeU32(data, size);
  std::string path = fuzz::writeScratchFile("strip.txt", data, size);

  // Counting, as the catalogue does.
  StripRandomizer counter;
  counter.loadTemplateFile(path.c_str());
  checkRecord(counter);
  int32_t listed = counter.stripCount();
  fuzz::require(listed >= 0, "count not negative");

  // One random strip, as the show makes it.
  generator.seed(seed);
  {
    StripRandomizer strip(path.c_str());
    strip.pickRandomStrip(generator);
    checkRecord(strip);
  }

  // A few strips by name, each after a fresh load; the work stays bounded.
  char names[3][kTextField];
  int count = 0;
  for (const StripName* n = counter.stripNames(); n != nullptr && count < 3; n = n->nextName) {
    copyField(names[count++], n->name);
  }
  for (int i = 0; i < count; ++i) {
    StripRandomizer strip;
    strip.loadTemplateFile(path.c_str());
    strip.readStrip(names[i], generator);
    checkRecord(strip);
  }

  // The line layer on its own, to the end of the file.
  StripRandomizer lines;
  lines.loadTemplateFile(path.c_str());
  lines.buffer().rewind();
  lines.setStatus(Working, "");
  char line[kTextField] = {};
  for (int i = 0; i < 10000 && lines.statusCode() != EndOfData; ++i) {
    lines.readLine(line);
    fuzz::require(terminated(line), "line terminated");
    char bracketed[kTextField + 1];
    copyField(bracketed, line);
    lines.bracketize(bracketed);
    if (lines.statusCode() == TooLong) lines.setStatus(Working, "");
  }
  return 0;
}
