// The shape of a strip template file as the saver's reader walks it: its
// usable lines with their line numbers, and for a strip which line holds
// each panel's and text box's parts. Where the shape breaks, the scan says
// what was expected there, so that one slip gives one finding at its line
// instead of the reader's failures further on.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct ScanLine {
  std::string text;  // as the reader sees it: comment cut, blanks trimmed
  int32_t line = 0;  // physical line, 1 for the first
  bool cut = false;  // a "#" cut it short
};

struct BoxShape {
  int32_t first = 0;  // index of its first line (text x); its six lines follow
};

struct PanelShape {
  int32_t category = -1;        // index of the picture category line
  std::vector<BoxShape> boxes;  // in file order
};

struct StripShape {
  PanelShape panels[3];
  // Where the shape breaks: -1 when it holds. problemLine is the physical
  // line to report, problem what was expected there.
  int32_t problemLine = -1;
  std::string problem;
  // Index of a line after the third panel that is no header (a fourth
  // panel, say), which the reader never reads; -1 when there is none.
  int32_t leftOver = -1;
};

class TemplateScan {
 public:
  // False when the file cannot be opened.
  bool load(const std::string& path);

  const std::vector<ScanLine>& lines() const { return lines_; }
  // Index of the first line equal to text, as the reader's lookup finds
  // it; -1 when there is none.
  int32_t find(const std::string& text) const;
  // The strip whose header line is at index.
  StripShape strip(int32_t headerIndex) const;
  // Header lines that repeat an earlier header line of the same text, each
  // with the index of the first. Only lines that stand where a header
  // can (first, or after an "end") count: an entry in brackets is none.
  std::vector<std::pair<int32_t, int32_t>> repeatedHeaders() const;
  // The physical line of the file's last usable line (1 when none).
  int32_t lastLine() const { return lines_.empty() ? 1 : lines_.back().line; }

 private:
  std::vector<ScanLine> lines_;
  std::unordered_map<std::string, int32_t> first_;  // each text's first index
};

// Whether the reader takes the line for a number: a sign and digits first.
bool looksLikeNumber(const std::string& text);
// Whether the line has the form of a header, "[...]".
bool looksLikeHeader(const std::string& text);
