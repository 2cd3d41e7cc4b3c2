// The authoring checker's look at pictures: opened and decoded the way the
// saver does, each reported once at the first place that names it.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "authoring/findings.h"

enum class PictureUse {
  comic,  // finished comics and popups: PCX or BMP
  panel,  // strip panels: three-plane 24-bit PCX, at most 339 rows
};

struct PictureFacts {
  bool usable = false;
  int32_t width = 0;  // as the saver measures a panel (its PCX header)
  int32_t height = 0;
};

class PictureChecker {
 public:
  PictureChecker(const std::string& folder, Findings& findings)
      : folder_(folder), findings_(findings) {}

  // The picture name, relative to the data folder, named at file:line.
  PictureFacts check(const std::string& name, PictureUse use, const std::string& file,
                     int32_t line);

 private:
  PictureFacts examine(const std::string& name, PictureUse use, const std::string& file,
                       int32_t line);

  std::string folder_;
  Findings& findings_;
  std::map<std::string, PictureFacts> seen_;
};
