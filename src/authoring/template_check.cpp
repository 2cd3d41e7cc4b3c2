// The scan of the file's shape comes first, so that a strip whose lines are
// out of step is reported once, where they leave it, and not through the
// reader's failures further down. A strip of sound shape is then read by a
// fresh reader, as the saver reads one, and its categories are looked up
// with the reader's own seekTo and entry count.
#include "authoring/template_check.h"

#include <algorithm>
#include <cstring>

#include "authoring/text_encoding.h"
#include "base/ascii_case.h"
#include "base/data_path.h"
#include "base/number_text.h"
#include "core/picture/strip_geometry.h"
#include "core/strip/strip_randomizer.h"
#include "core/strip/text_buffer.h"

namespace {

constexpr int32_t kRightMargin = 3;  // columns at a panel's right edge that text keeps clear of
constexpr int32_t kLargestSize = 25;
const char* const kStripHeader = "[cartoon";

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

// Rows of one text line: the font's cell, twice the size plus 8 at double
// size, rounded up to even and halved.
int32_t lineRows(int32_t textSize) {
  int32_t height = strip::speechFontHeight(textSize);
  return (height + (height & 1)) / 2;
}

// The row a speech text's last line reaches, as the text box measures it:
// lines 16 rows apart, the last one as tall as its double-size cell.
int32_t textBottom(const StripTextbox& box, const std::string& text) {
  int32_t lines = 1 + static_cast<int32_t>(std::count(text.begin(), text.end(), '\\'));
  return box.textY + (lines - 1) * strip::kLineAdvance + 2 * lineRows(box.textSize);
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

// Edits that turn a into b, counted up to limit + 1.
size_t editDistance(const std::string& a, const std::string& b, size_t limit) {
  if (a.size() > b.size() + limit || b.size() > a.size() + limit) return limit + 1;
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// "End", "ned", "edn", "en", "ends": what a slip of the keyboard makes of "end".
bool nearEnd(const std::string& text) {
  std::string sorted = lowerAscii(text);
  if (sorted == "end") return true;
  std::sort(sorted.begin(), sorted.end());
  return text.size() <= 4 && (sorted == "den" || editDistance(lowerAscii(text), "end", 1) <= 1);
}

bool isStripHeader(const std::string& text) { return text.compare(0, 8, kStripHeader) == 0; }

}  // namespace

void TemplateChecker::check(const std::string& name, const std::string& file, int32_t line) {
  if (!checked_.insert(name).second) return;
  name_ = name;
  path_ = dataPath(folder_, name);
  categories_.clear();
  textChecks_.clear();
  usedNames_.clear();

  std::string bytes;
  if (!readFileBytes(path_, bytes)) {
    findings_.error(file, line,
                    name + ": Unable to open file (" + missingReason(folder_, name) + ")");
    return;
  }
  TextEncoding encoding =
      examineEncoding(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  if (!reportEncoding(encoding, name, findings_)) return;
  scan_.load(path_);
  int32_t falseHeaders = checkHeaders();
  checkRepeatedHeaders();
  panelPictures_.clear();
  textsChecked_.clear();

  // One reader for the lookups of categories, one for the strips' panels;
  // neither needs the list of strips.
  StripRandomizer categories;
  StripRandomizer panels;
  categories.buffer().loadFile(path_.c_str());
  panels.buffer().loadFile(path_.c_str());
  index_.build(categories);
  StripRandomizer lister;
  lister.loadTemplateFile(path_.c_str());
  int32_t status = lister.statusCode();
  if (status == EndOfData) {
    findings_.error(
        name, index_.lineBefore(lister.buffer().position()),
        std::string(lister.statusMessage()) + ": strip headers below this line are not read");
  } else if (status == NoStrips) {
    if (falseHeaders == 0)
      findings_.error(name, 0,
                      std::string(lister.statusMessage()) +
                          " (no line of the form [cartoon NAME]: the saver never shows a strip "
                          "of this file)");
  } else if (status != Working) {
    findings_.error(name, 0, lister.statusMessage());
  }
  std::vector<std::pair<std::string, int32_t>> strips;
  for (const StripName* n = lister.stripNames(); n != nullptr; n = n->nextName)
    strips.push_back({n->name, index_.lineBefore(n->headerEnd)});
  // The reader lists them last first.
  std::reverse(strips.begin(), strips.end());

  // The names that strips of sound shape use: a header of one of them
  // among the entries of a category means an "end" is missing above it.
  for (const auto& strip : strips) {
    int32_t index = scan_.find("[cartoon " + strip.first + "]");
    if (index < 0) continue;
    StripShape shape = scan_.strip(index);
    if (shape.problemLine >= 0) continue;
    for (const PanelShape& panel : shape.panels) {
      usedNames_.insert(scan_.lines()[panel.category].text);
      for (const BoxShape& box : panel.boxes) usedNames_.insert(scan_.lines()[box.first + 5].text);
    }
  }

  categoryReader_ = &categories;
  panelReader_ = &panels;
  missing_.clear();
  for (const auto& strip : strips) checkStrip(strip.first, strip.second);
  categoryReader_ = nullptr;
  panelReader_ = nullptr;
  for (const auto& miss : missing_) {
    std::string message = miss.second.where + ": Couldn't find the category " + miss.first +
                          " in seekTo(). (there is no line [" + miss.first + "] in this file" +
                          nearestCategory(miss.first) + ")";
    if (miss.second.lines.size() > 1) {
      message += "; the name is also used at line";
      if (miss.second.lines.size() > 2) message += "s";
      for (size_t i = 1; i < miss.second.lines.size(); ++i)
        message += (i > 1 ? ", " : " ") + std::to_string(miss.second.lines[i]);
    }
    findings_.error(name_, miss.second.lines[0], message);
  }
}

int32_t TemplateChecker::checkHeaders() {
  int32_t count = 0;
  for (const ScanLine& line : scan_.lines()) {
    if (isStripHeader(line.text) || lowerAscii(line.text).compare(0, 9, "[cartoon ") != 0) continue;
    findings_.error(name_, line.line,
                    quoted(line.text) +
                        " is no strip header: capitals count, and a strip header begins with "
                        "\"[cartoon\" in small letters; the saver takes this line for a category "
                        "and never shows the strip");
    ++count;
  }
  return count;
}

void TemplateChecker::checkRepeatedHeaders() {
  const std::vector<ScanLine>& lines = scan_.lines();
  for (const auto& repeat : scan_.repeatedHeaders()) {
    const ScanLine& again = lines[repeat.first];
    std::string first = " (first at line " + std::to_string(lines[repeat.second].line) + ")";
    if (isStripHeader(again.text))
      findings_.warning(name_, again.line,
                        "the strip " + again.text + " is defined a second time" + first +
                            ": the saver always reads the first strip of this name, so this one "
                            "is never shown; give it a name of its own");
    else
      findings_.warning(name_, again.line,
                        "the category " + again.text + " is defined a second time" + first +
                            ": the saver always reads the first, so the entries of this one are "
                            "never shown; give it a name of its own, or join the two");
  }
}

void TemplateChecker::checkStrip(const std::string& stripName, int32_t headerLine) {
  std::string where = "strip " + quoted(stripName);
  int32_t headerIndex = scan_.find("[cartoon " + stripName + "]");
  if (headerIndex < 0) {
    // The reader lists any line beginning with "[cartoon" but finds only
    // the exact form.
    findings_.error(name_, headerLine,
                    where + ": Couldn't find the category cartoon " + stripName +
                        " in seekTo(). (a strip header must read exactly [cartoon NAME]; a "
                        "category whose name begins with \"cartoon\" is also read as a strip "
                        "header)");
    return;
  }
  StripShape shape = scan_.strip(headerIndex);
  if (shape.problemLine >= 0) {
    findings_.error(name_, shape.problemLine,
                    where + ": " + shape.problem + "; the saver cannot show this strip");
    return;
  }
  if (shape.leftOver >= 0)
    findings_.warning(name_, scan_.lines()[shape.leftOver].line,
                      where + ": " + quoted(scan_.lines()[shape.leftOver].text) +
                          " follows the \"end\" of panel 3, but a strip has three panels: the "
                          "saver reads none of the lines from here to the next header, so a "
                          "fourth panel is dropped");

  // Read as the saver reads it, up to its random draws, which the lookups
  // of its categories below stand for: a broken header further down does
  // not stop the strips listed before it.
  StripRandomizer& strip = *panelReader_;
  strip.wipeMemory();
  index_.seekTo(strip, "cartoon " + stripName);
  for (int i = 0; i < 3 && strip.statusCode() == Working; ++i) strip.loadPanel(i);
  int32_t errorsBefore = findings_.errors();
  stripProblem_ = false;
  const std::vector<ScanLine>& lines = scan_.lines();

  int32_t width = strip::kPanelGaps;
  bool measured = true;
  for (int i = 0; i < 3; ++i) {
    const StripPanel& panel = strip.panel(i);
    const PanelShape& panelShape = shape.panels[i];
    std::string panelWhere = where + ", panel " + std::to_string(i + 1);
    const Category* pictures = panel.category[0] != '\0' ? category(panel.category, panelWhere,
                                                                    lines[panelShape.category].line)
                                                         : nullptr;
    PanelPictures widths =
        pictures != nullptr ? checkPictures(panel.category, *pictures) : PanelPictures();
    measured = measured && widths.widest > 0;
    width += widths.widest;
    // The reader holds the boxes last first.
    std::vector<const StripTextbox*> boxes;
    for (const StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox)
      boxes.insert(boxes.begin(), box);
    if (boxes.size() != panelShape.boxes.size()) continue;
    for (size_t k = 0; k < boxes.size(); ++k) {
      const StripTextbox& box = *boxes[k];
      checkBox(box, panelShape.boxes[k], widths, panelWhere);
      if (box.category[0] == '\0') continue;
      const Category* texts =
          category(box.category, panelWhere, lines[panelShape.boxes[k].first + 5].line);
      if (texts != nullptr)
        checkTexts(*texts, box, lines[panelShape.boxes[k].first + 4].line, widths, panelWhere);
    }
  }
  if (measured && width > kScreenWidth)
    findings_.warning(name_, headerLine,
                      where + " can be " + std::to_string(width) + " pixels wide, wider than a " +
                          std::to_string(kScreenWidth) + "-pixel screen");

  if (strip.statusCode() == Working || stripProblem_ || findings_.errors() > errorsBefore) return;
  findings_.error(name_, headerLine, where + ": " + strip.statusMessage());
}

const TemplateChecker::Category* TemplateChecker::category(const std::string& name,
                                                           const std::string& where, int32_t line) {
  const Category* found = lookUp(name, where, line);
  if (found == nullptr) stripProblem_ = true;
  return found;
}

const TemplateChecker::Category* TemplateChecker::lookUp(const std::string& name,
                                                         const std::string& where, int32_t line) {
  auto known = categories_.find(name);
  if (known != categories_.end()) {
    if (!known->second.usable && !known->second.reported) {
      Missing& miss = missing_[name];
      if (miss.lines.empty()) miss.where = where;
      if (std::find(miss.lines.begin(), miss.lines.end(), line) == miss.lines.end())
        miss.lines.push_back(line);
    }
    return known->second.usable ? &known->second : nullptr;
  }
  Category& found = categories_[name];
  StripRandomizer& reader = *categoryReader_;
  // Each lookup starts afresh, as the saver's does after the last one.
  reader.setStatus(Working, "");
  index_.seekTo(reader, name);
  if (reader.statusCode() == NotFound) {
    Missing& miss = missing_[name];
    miss.where = where;
    miss.lines.push_back(line);
    return nullptr;
  }
  found.reported = true;
  if (reader.statusCode() != Working) {
    findings_.error(name_, line, where + ": " + reader.statusMessage());
    return nullptr;
  }
  TextBuffer& buffer = reader.buffer();
  int32_t headerLine = index_.lineBefore(buffer.position());
  std::string header = "the category " + name + " (line " + std::to_string(headerLine) + ")";
  uint32_t count = reader.countEntries();
  if (reader.statusCode() == EndOfData) {
    // Entries are read up to the file's end all the same: a header among
    // them shows where the "end" belongs.
    count = 0;
    buffer.returnToMark();
    reader.setStatus(Working, "");
    char text[kTextField];
    while (!buffer.atEnd()) {
      reader.readLine(text);
      if (reader.statusCode() != Working) break;
      found.entries.push_back({text, index_.lineBefore(buffer.position()), false});
    }
    reader.setStatus(EndOfData, "");
  } else {
    char text[kTextField];
    for (uint32_t i = 0; i < count; ++i) {
      reader.readLine(text);
      found.entries.push_back(
          {text, index_.lineBefore(buffer.position()), commentBefore(buffer, buffer.position())});
    }
  }
  // Where the "end" is missing: before a header that a strip uses, or at
  // the file's end. A header that no strip uses may be a text in brackets.
  size_t swallowed = found.entries.size();
  size_t bracketed = found.entries.size();
  for (size_t i = 0; i < found.entries.size() && swallowed == found.entries.size(); ++i) {
    const std::string& text = found.entries[i].text;
    if (!looksLikeHeader(text)) continue;
    if (isStripHeader(text) || usedNames_.count(text.substr(1, text.size() - 2)) > 0)
      swallowed = i;
    else if (bracketed == found.entries.size())
      bracketed = i;
  }
  bool ended = reader.statusCode() != EndOfData;
  bool broken = swallowed < found.entries.size() || !ended;
  size_t stop = broken ? swallowed : bracketed;
  if (stop < found.entries.size() || !ended) {
    // A misspelt "end" is the likelier slip than a forgotten one.
    for (size_t i = 0; i < stop; ++i) {
      const std::string& text = found.entries[i].text;
      if (!nearEnd(text)) continue;
      std::string message = header + " has no \"end\": " + quoted(text) +
                            " on this line is read as one of its entries, as is every line below "
                            "up to the next \"end\"; the end of a category must read exactly "
                            "\"end\"";
      if (broken) {
        findings_.error(name_, found.entries[i].line, message);
        return nullptr;
      }
      findings_.warning(name_, found.entries[i].line, message);
      stop = found.entries.size();
      break;
    }
  }
  if (!broken && stop < found.entries.size())
    findings_.warning(name_, found.entries[stop].line,
                      quoted(found.entries[stop].text) + " is read as an entry of " + name +
                          " (line " + std::to_string(headerLine) +
                          "); if it was meant as the header of a category, the \"end\" of " + name +
                          " is missing above it");
  if (swallowed < found.entries.size()) {
    const std::string& text = found.entries[swallowed].text;
    findings_.error(name_, found.entries[swallowed].line,
                    header + " has no \"end\" before this line: the saver reads " + text +
                        " and the lines after it, up to the next \"end\", as entries of " + name +
                        " (a box or panel of " + name + " may show " + quoted(text) + ")");
    return nullptr;
  }
  if (!ended) {
    findings_.error(name_, scan_.lastLine(),
                    header +
                        " has no closing \"end\": the file ends first (Tried to read past the "
                        "end of the file.)");
    return nullptr;
  }
  if (count == 0) {
    findings_.error(name_, headerLine,
                    "No data in the category " + name + " for getRandomString().");
    return nullptr;
  }
  found.usable = true;
  return &found;
}

TemplateChecker::PanelPictures TemplateChecker::checkPictures(const std::string& name,
                                                              const Category& pictures) {
  auto known = panelPictures_.find(name);
  if (known != panelPictures_.end()) return known->second;
  PanelPictures& out = panelPictures_[name];
  for (const Entry& entry : pictures.entries) {
    CheckedPicture facts = pictures_.check(entry.text, PictureUse::panel, name_, entry.line);
    if (!facts.usable) continue;
    out.widest = std::max(out.widest, facts.width);
    if (out.narrowest == 0 || facts.width < out.narrowest) {
      out.narrowest = facts.width;
      out.narrowestName = entry.text;
    }
  }
  return out;
}

void TemplateChecker::checkBox(const StripTextbox& box, const BoxShape& shape,
                               const PanelPictures& panel, const std::string& where) {
  // The tail is drawn only when its point lies left of the text's right
  // bound (and above the strip's bottom, which narration boxes use).
  const ScanLine& tailX = scan_.lines()[shape.first + 2];
  if (panel.narrowest > 0 && box.tailX >= panel.narrowest - kRightMargin &&
      textChecks_.insert("tail:" + std::to_string(tailX.line)).second)
    findings_.warning(name_, tailX.line,
                      where + ": tail x " + std::to_string(box.tailX) + " is outside the " +
                          std::to_string(panel.narrowest) + "-pixel panel " + panel.narrowestName +
                          " (a tail must end left of column " +
                          std::to_string(panel.narrowest - kRightMargin) +
                          "): the saver draws this box without a tail; a box meant to have "
                          "none puts its tail y below row " +
                          std::to_string(strip::kHeight));
  const ScanLine& sizeLine = scan_.lines()[shape.first + 4];
  if (!textChecks_.insert("size:" + std::to_string(sizeLine.line)).second) return;
  int32_t written = atoiRule(sizeLine.text.c_str());
  if (written > kLargestSize)
    findings_.warning(name_, sizeLine.line,
                      where + ": text size " + std::to_string(written) + " is above " +
                          std::to_string(kLargestSize) +
                          ", the largest there is: the saver draws it at size " +
                          std::to_string(box.textSize));
  else if (written < 1)
    findings_.warning(name_, sizeLine.line,
                      where + ": text size " + std::to_string(written) +
                          " is below 1: the saver draws the text at size 0, " +
                          std::to_string(lineRows(0)) + " rows tall");
}

void TemplateChecker::checkTexts(const Category& texts, const StripTextbox& box, int32_t sizeLine,
                                 const PanelPictures& panel, const std::string& where) {
  // Each entry is checked once for a place and size of text: a category
  // that many boxes share is gone through once for them all.
  if (!textsChecked_
           .insert(std::string(box.category) + "\n" + std::to_string(box.textY) + ":" +
                   std::to_string(box.textSize))
           .second)
    return;
  int32_t room = panel.narrowest - kRightMargin;
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
    checkSpeechCharacters(entry, where);
    int32_t bottom = textBottom(box, entry.text);
    if (box.textY >= strip::kHeight || bottom >= strip::kHeight)
      findings_.error(name_, line,
                      "Text out of bounds. (" + where + ": this text, at row " +
                          std::to_string(box.textY) + " in size " + std::to_string(box.textSize) +
                          ", reaches row " + std::to_string(bottom) + " of a strip of " +
                          std::to_string(strip::kHeight) + " rows; the whole strip is dropped)");
    bool severalLines = entry.text.find('\\') != std::string::npos;
    if (severalLines && lineRows(box.textSize) > strip::kLineAdvance &&
        textChecks_.insert("overlap:" + std::to_string(sizeLine)).second)
      findings_.warning(
          name_, sizeLine,
          where + ": in text size " + std::to_string(box.textSize) + " a line is " +
              std::to_string(lineRows(box.textSize)) +
              " rows tall, but the saver sets the lines of a text " +
              std::to_string(strip::kLineAdvance) + " rows apart, so the lines of " +
              quoted(entry.text) + " (line " + std::to_string(line) + ") overlap by " +
              std::to_string(lineRows(box.textSize) - strip::kLineAdvance) +
              " rows (letters that reach down, like g and y, run into the next line); "
              "12 is the largest size whose lines do not");
    if (panel.narrowest <= 0) continue;
    size_t start = 0;
    for (;;) {
      size_t end = entry.text.find('\\', start);
      if (end == std::string::npos) end = entry.text.size();
      int32_t w = speechLineWidth(measure_, box.textSize, entry.text.data() + start,
                                  static_cast<int32_t>(end - start));
      if (w > room && textChecks_.insert("wide:" + std::to_string(line)).second) {
        findings_.warning(
            name_, line,
            where + ": the line " + quoted(entry.text.substr(start, end - start)) + " is " +
                std::to_string(w) + " pixels wide in text size " + std::to_string(box.textSize) +
                ", wider than the " + std::to_string(room) + " pixels a line may take in the " +
                std::to_string(panel.narrowest) + "-pixel panel " + panel.narrowestName +
                (w > panel.narrowest
                     ? ": the saver starts it at the panel's left edge and cuts it off at the "
                       "right edge"
                     : ": the saver pushes it against both edges of the panel") +
                "; break it with \"\\\" or make the text smaller (" + measure_.source + ")");
      }
      if (end >= entry.text.size()) break;
      start = end + 1;
    }
  }
}

void TemplateChecker::checkSpeechCharacters(const Entry& entry, const std::string& where) {
  const std::string& text = entry.text;
  std::string line = std::to_string(entry.line);
  if (text.find('\t') != std::string::npos && textChecks_.insert("tab:" + line).second)
    findings_.warning(name_, entry.line,
                      where + ": a tab in the speech text " + quoted(text) +
                          ": the saver's font has no tab, so the saver draws a box in its place "
                          "(on Linux the letters after it overlap the box); use spaces");
  bool first = !text.empty() && text.front() == '\\';
  bool last = !text.empty() && text.back() == '\\';
  bool twice = text.find("\\\\") != std::string::npos;
  if (!(first || last || twice) || !textChecks_.insert("empty:" + line).second) return;
  std::vector<std::string> places;
  std::vector<std::string> effects;
  if (first) {
    places.push_back("a \"\\\" at its start");
    effects.push_back("the words begin a line lower, 16 rows further into the picture");
  }
  if (twice) {
    places.push_back("two \"\\\" in a row");
    effects.push_back("the lines after the gap move 16 rows down");
  }
  if (last) {
    places.push_back("a \"\\\" at its end");
    effects.push_back(
        "the tail starts below an empty last line, detached from the words, and the Linux saver "
        "logs \"Create: Unable to create a DIB section\"");
  }
  std::string message = where + ": the speech text " + quoted(text) + " has an empty line (";
  for (size_t i = 0; i < places.size(); ++i) message += (i > 0 ? ", " : "") + places[i];
  message += "): the saver draws it as a line of nothing, so ";
  for (size_t i = 0; i < effects.size(); ++i) message += (i > 0 ? "; " : "") + effects[i];
  findings_.warning(name_, entry.line, message + "; remove the extra \"\\\"");
}

std::string TemplateChecker::nearestCategory(const std::string& name) const {
  std::string best;
  size_t bestDistance = 3;
  for (const ScanLine& line : scan_.lines()) {
    if (!looksLikeHeader(line.text) || isStripHeader(line.text)) continue;
    std::string inner = line.text.substr(1, line.text.size() - 2);
    std::string at = " (line " + std::to_string(line.line) + ")";
    size_t first = inner.find_first_not_of(" \t");
    size_t last = inner.find_last_not_of(" \t");
    if (first != std::string::npos && inner.substr(first, last - first + 1) == name &&
        inner != name)
      return "; the header " + line.text + at + " has a space inside its brackets";
    if (lowerAscii(inner) == lowerAscii(name))
      return "; the category " + line.text + at + " differs in capitals, and capitals count";
    size_t d = name.size() > 2 ? editDistance(inner, name, 2) : 3;
    if (d < bestDistance) {
      bestDistance = d;
      best = "; did you mean " + line.text + at + "?";
    }
  }
  return best;
}
