// The authoring checker's look at strip template files: the shape of every
// strip, then every strip read with the saver's own template reader, every
// category it names and every entry of those categories.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "authoring/findings.h"
#include "authoring/picture_check.h"
#include "authoring/speech_measure.h"
#include "authoring/template_index.h"
#include "authoring/template_scan.h"

class StripRandomizer;
struct StripTextbox;

class TemplateChecker {
 public:
  TemplateChecker(const std::string& folder, PictureChecker& pictures, Findings& findings,
                  const SpeechMeasure& measure)
      : folder_(folder), pictures_(pictures), findings_(findings), measure_(measure) {}

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
    bool reported = false;  // its problem has been told once
    std::vector<Entry> entries;
  };
  struct Missing {
    std::string where;           // the first strip and panel naming it
    std::vector<int32_t> lines;  // every line naming it
  };
  struct PanelPictures {
    int32_t widest = 0;  // 0 when none is usable
    int32_t narrowest = 0;
    std::string narrowestName;
  };

  // Lines that look like strip headers but are none; returns how many.
  int32_t checkHeaders();
  void checkStrip(const std::string& stripName, int32_t headerLine);
  // The category's entries, or null (reported at line) when it cannot be used.
  const Category* category(const std::string& name, const std::string& where, int32_t line);
  const Category* lookUp(const std::string& name, const std::string& where, int32_t line);
  PanelPictures checkPictures(const std::string& name, const Category& pictures);
  void checkRepeatedHeaders();
  void checkBox(const StripTextbox& box, const BoxShape& shape, const PanelPictures& panel,
                const std::string& where);
  // Tabs, and line breaks that make empty lines.
  void checkSpeechCharacters(const Entry& entry, const std::string& where);
  // sizeLine: where the box's text size is written.
  void checkTexts(const Category& texts, const StripTextbox& box, int32_t sizeLine,
                  const PanelPictures& panel, const std::string& where);
  std::string nearestCategory(const std::string& name) const;

  std::string folder_;
  PictureChecker& pictures_;
  Findings& findings_;
  const SpeechMeasure& measure_;
  std::set<std::string> checked_;
  // Per file being checked.
  std::string name_;
  std::string path_;
  TemplateScan scan_;
  TemplateIndex index_;
  std::set<std::string> usedNames_;  // categories that some strip names
  std::map<std::string, Category> categories_;
  StripRandomizer* categoryReader_ = nullptr;           // one load of the file for all lookups
  StripRandomizer* panelReader_ = nullptr;              // and one for all strips
  std::map<std::string, PanelPictures> panelPictures_;  // by picture category
  std::set<std::string> textsChecked_;  // text categories, by where and how large they show
  std::set<std::string> textChecks_;
  std::map<std::string, Missing> missing_;  // reported once the file's strips are done
  bool stripProblem_ = false;               // a category of the strip could not be used
};

// Strips wider than this do not fit the smallest screen the saver is made for.
constexpr int32_t kScreenWidth = 1024;
