// Lines are split and cleaned as the reader does (LF ends a line, pieces of
// 199 characters, "#" cuts, blanks trimmed, empty lines skipped); the strip
// walk follows the reader's own: a picture category line, then text boxes
// of six lines until "end", three times.
#include "authoring/template_scan.h"

#include "core/strip/strip_randomizer.h"
#include "core/strip/text_buffer.h"

namespace {

const char* const kBoxFields[6] = {"text x", "text y",    "tail x",
                                   "tail y", "text size", "text category"};

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

bool looksLikeNumber(const std::string& text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

bool looksLikeHeader(const std::string& text) {
  return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

bool TemplateScan::load(const std::string& path) {
  lines_.clear();
  first_.clear();
  TextBuffer buffer;
  if (!buffer.loadFile(path.c_str())) return false;
  LineCounter counter;
  char raw[kTextField];
  while (!buffer.atEnd()) {
    int32_t line = counter.lineAt(buffer, buffer.position());
    buffer.readRawLine(raw, kTextField);
    std::string text = raw;
    bool cut = false;
    size_t hash = text.find('#');
    if (hash != std::string::npos) {
      text.erase(hash);
      cut = true;
    }
    size_t end = text.find_last_not_of(" \t");
    text.erase(end == std::string::npos ? 0 : end + 1);
    size_t start = text.find_first_not_of(" \t");
    text.erase(0, start == std::string::npos ? text.size() : start);
    if (text.empty()) continue;
    first_.emplace(text, static_cast<int32_t>(lines_.size()));
    lines_.push_back({text, line, cut});
  }
  return true;
}

int32_t TemplateScan::find(const std::string& text) const {
  auto found = first_.find(text);
  return found != first_.end() ? found->second : -1;
}

StripShape TemplateScan::strip(int32_t headerIndex) const {
  StripShape shape;
  int32_t count = static_cast<int32_t>(lines_.size());
  int32_t at = headerIndex + 1;
  auto fail = [&](int32_t index, const std::string& problem) {
    shape.problemLine = index < count ? lines_[index].line : lastLine();
    shape.problem = problem;
    return shape;
  };
  auto found = [&](int32_t index) {
    return index < count ? "found " + quoted(lines_[index].text)
                         : std::string("the file ends first");
  };
  for (int p = 0; p < 3; ++p) {
    std::string panel = "panel " + std::to_string(p + 1);
    if (at >= count || looksLikeHeader(lines_[at].text) || lines_[at].text == "end" ||
        looksLikeNumber(lines_[at].text)) {
      std::string problem = "expected the picture category of " + panel + " here, " + found(at);
      if (p > 0 && (at >= count || looksLikeHeader(lines_[at].text)))
        problem += ": a strip has three panels, this one ends after " + std::to_string(p);
      return fail(at, problem);
    }
    shape.panels[p].category = at++;
    for (;;) {
      if (at < count && lines_[at].text == "end") {
        ++at;
        break;
      }
      if (at >= count || !looksLikeNumber(lines_[at].text)) {
        std::string problem = "expected \"end\" (closing " + panel +
                              ") or the text x of a text box here, " + found(at);
        if (at < count && looksLikeHeader(lines_[at].text))
          problem += ": the \"end\" of " + panel + " is missing";
        return fail(at, problem);
      }
      BoxShape box;
      box.first = at;
      for (int field = 1; field < 6; ++field) {
        int32_t i = at + field;
        bool number = i < count && looksLikeNumber(lines_[i].text);
        bool fits = field < 5 ? number
                              : i < count && !number && lines_[i].text != "end" &&
                                    !looksLikeHeader(lines_[i].text);
        if (!fits) {
          std::string problem = "expected the " + std::string(kBoxFields[field]) + " (line " +
                                std::to_string(field + 1) + " of a text box of " + panel +
                                ") here, " + found(i);
          problem += field < 5 || !number ? ": the box has a line too few"
                                          : ": the box has a line too many";
          return fail(i, problem);
        }
      }
      shape.panels[p].boxes.push_back(box);
      at += 6;
    }
  }
  if (at < count && !looksLikeHeader(lines_[at].text)) shape.leftOver = at;
  return shape;
}

std::vector<std::pair<int32_t, int32_t>> TemplateScan::repeatedHeaders() const {
  std::vector<std::pair<int32_t, int32_t>> out;
  std::unordered_map<std::string, int32_t> seen;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (!looksLikeHeader(lines_[i].text) || (i > 0 && lines_[i - 1].text != "end")) continue;
    auto first = seen.emplace(lines_[i].text, static_cast<int32_t>(i));
    if (!first.second) out.push_back({static_cast<int32_t>(i), first.first->second});
  }
  return out;
}
