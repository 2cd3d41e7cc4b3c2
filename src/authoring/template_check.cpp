// Each strip is read by a fresh reader, as the saver reads one, so that one
// broken strip cannot hide the next; categories are then looked up with the
// reader's own seekTo and entry count.
#include "authoring/template_check.h"

#include <algorithm>
#include <cstring>

#include "base/data_path.h"
#include "core/picture/strip_geometry.h"
#include "core/random/random_source.h"
#include "core/strip/strip_randomizer.h"
#include "core/strip/text_buffer.h"

namespace {

// Line of the last line read: the one holding the byte before position.
int32_t lineBefore(const TextBuffer& buffer, int32_t position) {
  LineCounter counter;
  return counter.lineAt(buffer, position > 0 ? position - 1 : 0);
}

// Whether the physical line ending just before position held a "#".
bool commentBefore(const TextBuffer& buffer, int32_t position) {
  const uint8_t* data = buffer.data();
  if (data == nullptr) return false;
  int32_t i = position - 1;
  if (i >= 0 && data[i] == '\n') --i;
  for (; i >= 0 && data[i] != '\n'; --i) {
    if (data[i] == '#') return true;
  }
  return false;
}

// The row a speech text's last line reaches, as the text box measures it:
// lines a line advance apart, each as tall as the speech font (rounded up
// to even).
int32_t textBottom(const StripTextbox& box, const std::string& text) {
  int32_t lines = 1 + static_cast<int32_t>(std::count(text.begin(), text.end(), '\\'));
  int32_t height = strip::speechFontHeight(box.textSize);
  height += height & 1;
  return box.textY + (lines - 1) * strip::kLineAdvance + height;
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

void TemplateChecker::check(const std::string& name, const std::string& file, int32_t line) {
  if (!checked_.insert(name).second) return;
  name_ = name;
  path_ = dataPath(folder_, name);
  categories_.clear();
  textChecks_.clear();

  StripRandomizer lister;
  lister.loadTemplateFile(path_.c_str());
  if (lister.statusCode() == OpenFailed) {
    findings_.error(file, line, name + ": Unable to open file (missing or unreadable)");
    return;
  }
  if (lister.buffer().hadByteOrderMark())
    findings_.warning(name, 1, "the file starts with a UTF-8 byte-order mark (skipped)");
  int32_t status = lister.statusCode();
  if (status == EndOfData) {
    findings_.error(
        name, lineBefore(lister.buffer(), lister.buffer().position()),
        std::string(lister.statusMessage()) + ": strip headers below this line are not read");
  } else if (status != Working) {
    findings_.error(name, 0, lister.statusMessage());
  }
  std::vector<std::pair<std::string, int32_t>> strips;
  for (const StripName* n = lister.stripNames(); n != nullptr; n = n->nextName)
    strips.insert(strips.begin(), {n->name, lineBefore(lister.buffer(), n->headerEnd)});
  StripRandomizer categories(path_.c_str());
  categoryReader_ = &categories;
  for (const auto& strip : strips) checkStrip(strip.first, strip.second);
  categoryReader_ = nullptr;
}

void TemplateChecker::checkStrip(const std::string& stripName, int32_t headerLine) {
  // Made as the saver makes it: a broken header further down does not stop
  // the strips listed before it.
  StripRandomizer strip(path_.c_str());
  // Which entries it draws does not matter here, only whether it reads.
  RandomSource random;
  random.seed(0);
  strip.readStrip(stripName.c_str(), random);
  std::string where = "strip " + quoted(stripName);
  int32_t errorsBefore = findings_.errors();

  int32_t width = strip::kPanelGaps;
  bool measured = true;
  for (int i = 0; i < 3; ++i) {
    const StripPanel& panel = strip.panel(i);
    std::string panelWhere = where + ", panel " + std::to_string(i + 1);
    const Category* pictures =
        panel.category[0] != '\0' ? category(panel.category, panelWhere, headerLine) : nullptr;
    int32_t widest = pictures != nullptr ? checkPictures(*pictures) : 0;
    measured = measured && widest > 0;
    width += widest;
    for (const StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox) {
      if (box->category[0] == '\0') continue;
      const Category* texts = category(box->category, panelWhere, headerLine);
      if (texts != nullptr) checkTexts(*texts, *box, panelWhere);
    }
  }
  if (measured && width > kScreenWidth)
    findings_.warning(name_, headerLine,
                      where + " can be " + std::to_string(width) + " pixels wide, wider than a " +
                          std::to_string(kScreenWidth) + "-pixel screen");

  if (strip.statusCode() == Ready || findings_.errors() > errorsBefore) return;
  std::string message = where + ": " + strip.statusMessage();
  if (strip.statusCode() == NotFound && strip.panel(0).category[0] == '\0') {
    message +=
        " (a strip header must read exactly [cartoon NAME]; a category whose name "
        "begins with \"cartoon\" is also read as a strip header)";
    findings_.error(name_, headerLine, message);
  } else {
    findings_.error(name_, lineBefore(strip.buffer(), strip.buffer().position()), message);
  }
}

const TemplateChecker::Category* TemplateChecker::category(const std::string& name,
                                                           const std::string& where, int32_t line) {
  auto known = categories_.find(name);
  if (known != categories_.end()) {
    if (!known->second.usable && known->second.headerLine == 0)
      findings_.error(name_, line,
                      where + ": Couldn't find the category " + name + " in seekTo().");
    return known->second.usable ? &known->second : nullptr;
  }
  Category& found = categories_[name];
  StripRandomizer& reader = *categoryReader_;
  // Each lookup starts afresh, as the saver's does after the last one.
  reader.setStatus(Working, "");
  reader.seekTo(name.c_str());
  if (reader.statusCode() != Working) {
    findings_.error(name_, line, where + ": " + reader.statusMessage());
    return nullptr;
  }
  TextBuffer& buffer = reader.buffer();
  found.headerLine = lineBefore(buffer, buffer.position());
  uint32_t count = reader.countEntries();
  if (reader.statusCode() == EndOfData) {
    findings_.error(name_, found.headerLine,
                    "the category " + name + " has no closing \"end\": " + reader.statusMessage());
    return nullptr;
  }
  if (count == 0) {
    findings_.error(name_, found.headerLine,
                    "No data in the category " + name + " for getRandomString().");
    return nullptr;
  }
  char text[kTextField];
  for (uint32_t i = 0; i < count; ++i) {
    reader.readLine(text);
    found.entries.push_back(
        {text, lineBefore(buffer, buffer.position()), commentBefore(buffer, buffer.position())});
  }
  found.usable = true;
  return &found;
}

int32_t TemplateChecker::checkPictures(const Category& pictures) {
  int32_t widest = 0;
  for (const Entry& entry : pictures.entries) {
    PictureFacts facts = pictures_.check(entry.text, PictureUse::panel, name_, entry.line);
    if (facts.usable) widest = std::max(widest, facts.width);
  }
  return widest;
}

void TemplateChecker::checkTexts(const Category& texts, const StripTextbox& box,
                                 const std::string& where) {
  for (const Entry& entry : texts.entries) {
    int32_t line = entry.line;
    std::string key =
        std::to_string(line) + ":" + std::to_string(box.textY) + ":" + std::to_string(box.textSize);
    if (!textChecks_.insert(key).second) continue;
    if (entry.cut && textChecks_.insert("#" + std::to_string(line)).second)
      findings_.warning(
          name_, line,
          "\"#\" starts a comment, also in a speech text: the box shows " + quoted(entry.text));
    if (entry.text == ".") continue;
    int32_t bottom = textBottom(box, entry.text);
    if (box.textY >= strip::kHeight || bottom >= strip::kHeight)
      findings_.error(name_, line,
                      "Text out of bounds. (" + where + ": this text, at row " +
                          std::to_string(box.textY) + " in size " + std::to_string(box.textSize) +
                          ", reaches row " + std::to_string(bottom) + " of a strip of " +
                          std::to_string(strip::kHeight) + " rows; the whole strip is dropped)");
  }
}
