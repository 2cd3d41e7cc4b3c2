// The authoring checker's look at pictures: opened and decoded the way the
// saver does, each reported once at the first place that names it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "authoring/findings.h"

enum class PictureUse {
  comic,  // finished comics and popups: PCX or BMP
  panel,  // strip panels: three-plane 24-bit PCX, at most 339 rows
};

struct CheckedPicture {
  bool usable = false;
  int32_t width = 0;  // as the saver measures a panel (its PCX header)
  int32_t height = 0;
};

// What examining pictures found, kept from one check of a folder to the
// next by a caller that knows when its pictures change (the studio checks
// at every keystroke, and decoding every picture again would cost most of
// that time).
class PictureMemo {
 public:
  struct Said {
    Severity severity = Severity::error;
    std::string message;
  };
  struct Examined {
    CheckedPicture facts;
    std::vector<Said> said;  // reported at the place naming the picture
  };

  // The file of that name changed, or all of them.
  void forget(const std::string& name);
  void clear() { examined_.clear(); }

 private:
  friend class PictureChecker;
  std::map<std::string, Examined> examined_;
};

class PictureChecker {
 public:
  PictureChecker(const std::string& folder, Findings& findings, PictureMemo* memo = nullptr)
      : folder_(folder), findings_(findings), memo_(memo) {}

  // The picture name, relative to the data folder, named at file:line.
  CheckedPicture check(const std::string& name, PictureUse use, const std::string& file,
                       int32_t line);

 private:
  PictureMemo::Examined examine(const std::string& name, PictureUse use);

  std::string folder_;
  Findings& findings_;
  PictureMemo* memo_;
  std::map<std::string, CheckedPicture> seen_;
};

// Why a file named in the data folder does not open: "missing or
// unreadable", or the name it has on disk when only its capitals differ.
std::string missingReason(const std::string& folder, const std::string& name);
