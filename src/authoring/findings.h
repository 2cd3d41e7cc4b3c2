// What the authoring checker found: one line per problem, FILE:LINE:
// error|warning: message, sorted by file and line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Severity { warning, error };

struct Finding {
  std::string file;  // relative to the data folder
  int32_t line = 0;  // 0 when no line applies
  Severity severity = Severity::error;
  std::string message;
};

class Findings {
 public:
  void error(const std::string& file, int32_t line, const std::string& message);
  void warning(const std::string& file, int32_t line, const std::string& message);

  // Sorted by file, then line, each kept in the order found.
  std::vector<Finding> sorted() const;
  int32_t errors() const { return errors_; }
  int32_t warnings() const { return warnings_; }
  const std::vector<Finding>& all() const { return all_; }

 private:
  std::vector<Finding> all_;
  int32_t errors_ = 0;
  int32_t warnings_ = 0;
};

// "FILE:LINE: error: message"
std::string formatFinding(const Finding& finding);
// "2 errors, 1 warning"
std::string formatSummary(const Findings& findings);
