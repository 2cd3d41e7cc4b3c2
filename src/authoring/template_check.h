// The authoring checker's look at strip template files: every strip read
// with the saver's own template reader, every category it names and every
// entry of those categories.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "authoring/findings.h"
#include "authoring/picture_check.h"

class StripRandomizer;
struct StripTextbox;

class TemplateChecker {
 public:
  TemplateChecker(const std::string& folder, PictureChecker& pictures, Findings& findings)
      : folder_(folder), pictures_(pictures), findings_(findings) {}

  // The template file name (relative to the data folder), listed at
  // file:line; each file is checked once.
  void check(const std::string& name, const std::string& file, int32_t line);

 private:
  struct Entry {
    std::string text;
    int32_t line = 0;
    bool cut = false;  // a "#" on its line cut it short
  };
  struct Category {
    bool usable = false;
    int32_t headerLine = 0;
    std::vector<Entry> entries;
  };

  void checkStrip(const std::string& stripName, int32_t headerLine);
  // The category's entries, or null (reported) when it is missing.
  const Category* category(const std::string& name, const std::string& where, int32_t line);
  // Widest panel picture of the category; 0 when none is usable.
  int32_t checkPictures(const Category& pictures);
  void checkTexts(const Category& texts, const StripTextbox& box, const std::string& where);

  std::string folder_;
  PictureChecker& pictures_;
  Findings& findings_;
  std::set<std::string> checked_;
  // Per file being checked.
  std::string name_;
  std::string path_;
  std::map<std::string, Category> categories_;
  StripRandomizer* categoryReader_ = nullptr;  // one load of the file for all lookups
  std::set<std::string> textChecks_;
};

// Strips wider than this do not fit the smallest screen the saver is made for.
constexpr int32_t kScreenWidth = 1024;
