#include "authoring/findings.h"

#include <algorithm>

void Findings::error(const std::string& file, int32_t line, const std::string& message) {
  all_.push_back({file, line, Severity::error, message});
  ++errors_;
}

void Findings::warning(const std::string& file, int32_t line, const std::string& message) {
  all_.push_back({file, line, Severity::warning, message});
  ++warnings_;
}

std::vector<Finding> Findings::sorted() const {
  std::vector<Finding> out = all_;
  std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) {
    if (a.file != b.file) return a.file < b.file;
    return a.line < b.line;
  });
  return out;
}

std::string formatFinding(const Finding& finding) {
  return finding.file + ":" + std::to_string(finding.line) +
         (finding.severity == Severity::error ? ": error: " : ": warning: ") + finding.message;
}

namespace {

std::string counted(int32_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::string formatSummary(const Findings& findings) {
  return counted(findings.errors(), "error") + ", " + counted(findings.warnings(), "warning");
}
