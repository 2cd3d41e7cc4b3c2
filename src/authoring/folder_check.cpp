// comics.ini is read by the saver's catalogue reader, which tells the
// checker about every line; then everything it lists is checked, and the
// two pictures the saver opens by their fixed names.
#include "authoring/folder_check.h"

#include <cstring>
#include <string>
#include <vector>

#include "authoring/picture_check.h"
#include "authoring/sound_check.h"
#include "authoring/template_check.h"
#include "authoring/text_encoding.h"
#include "base/ascii_case.h"
#include "base/data_path.h"
#include "base/file.h"
#include "core/show/comic_catalog.h"
#include "core/show/settings.h"

namespace {

const char* const kCatalogFile = "comics.ini";

struct Listed {
  std::string name;
  int32_t line = 0;
  int32_t list = 0;
  std::string sound;  // popups only
  bool popup = false;
  bool caption = false;
};

struct CatalogNotes {
  Findings* findings = nullptr;
  std::vector<Listed> listed;
  bool quotesOpen = false;
};

std::string notRecognizedHint(const std::string& line) {
  if (line.find('"') != std::string::npos)
    return "a file name is written without quotes, which would become part of the name; a name "
           "with spaces works as it is, unquoted: my comic.pcx";
  size_t dot = line.rfind('.');
  if (dot != std::string::npos && dot + 4 != line.size())
    return "a file name needs a three-letter extension such as .pcx, .bmp or .txt";
  return "not a section word (zb, pellow, random, custom, official, popup) nor a file name";
}

const char* const kQuoteCarried =
    "the quote left open here stays open on the lines below, up to the next line with an odd "
    "number of double quotes: there, what stands outside quotes keeps its capitals and what "
    "stands inside them is read in small letters, so a caption \"Hello There\" shows as "
    "\"hello there\" and a section word or file name written in capitals is not recognized; "
    "close every quote on its own line";

void noteLine(void* context, const CatalogLineReport& report) {
  CatalogNotes& notes = *static_cast<CatalogNotes*>(context);
  Findings& out = *notes.findings;
  std::string text = report.text != nullptr ? report.text : "";
  bool opened = report.quotesOpen && !notes.quotesOpen;
  notes.quotesOpen = report.quotesOpen;
  if (report.commentInQuotes) {
    std::string cut = "\"#\" starts a comment, also inside quotes: ";
    if (report.popup != nullptr && report.popup->caption[0] != '\0')
      cut += "the caption is cut to \"" + std::string(report.popup->caption) + "\"";
    else
      cut += "the rest of the line is cut off";
    if (opened)
      out.warning(kCatalogFile, report.line,
                  cut + ", and its closing quote with it; " + kQuoteCarried);
    else
      out.warning(kCatalogFile, report.line, cut);
  } else if (opened) {
    out.warning(kCatalogFile, report.line,
                std::string("odd number of double quotes: ") + kQuoteCarried);
  }
  switch (report.kind) {
    case CatalogLine::section:
      break;
    case CatalogLine::comic:
      notes.listed.push_back({text, report.line, report.list, "", false, false});
      break;
    case CatalogLine::popup:
      if (report.popup != nullptr && !opened && std::strchr(report.popup->caption, '"') != nullptr)
        out.warning(kCatalogFile, report.line,
                    "a double quote inside a caption closes its quotes, and what stands between "
                    "the inner quotes is read in small letters: the saver shows the caption as "
                    "\"" +
                        std::string(report.popup->caption) +
                        "\"; inside a caption use single quotes (')");
      if (report.popup != nullptr)
        notes.listed.push_back({report.popup->fileName, report.line, 0, report.popup->soundName,
                                true, report.popup->caption[0] != '\0'});
      break;
    case CatalogLine::notRecognized:
      out.error(kCatalogFile, report.line,
                "Error: \"" + text + "\" not recognized (" + notRecognizedHint(text) +
                    "); the saver stops reading " + kCatalogFile +
                    " here and ignores every line after it");
      break;
  }
}

// A template listed among the finished comics, or a picture among the
// templates: the saver shows neither.
bool listedInWrongPlace(const std::string& dir, const Listed& item, Findings& findings) {
  std::string bytes;
  if (!readFileBytes(dataPath(dir, item.name), bytes)) return false;
  std::string ending =
      lowerAscii(item.name.size() >= 4 ? item.name.substr(item.name.size() - 4) : item.name);
  if (item.list % 3 == TypeOfficial) {
    if (bytes.find("[cartoon") == std::string::npos) return false;
    findings.error(kCatalogFile, item.line,
                   item.name +
                       " is a strip template, listed under official: the saver tries to show it "
                       "as a finished picture and shows \"" +
                       item.name + ": Unable to load\" instead; list it under random or custom");
    return true;
  }
  bool picture = ending == ".pcx" || ending == ".bmp" ||
                 (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') ||
                 (!bytes.empty() && bytes[0] == 10 && bytes.find("[cartoon") == std::string::npos);
  if (!picture) return false;
  findings.error(kCatalogFile, item.line,
                 item.name + " is a picture, listed under " +
                     (item.list % 3 == TypeRandom ? "random" : "custom") +
                     ", where the strip templates go: the saver finds no strip in it and never "
                     "shows it; list it under official, or as a popup");
  return true;
}

constexpr int32_t kScreenRows = 768;
constexpr int32_t kCaptionAbove = 30;  // rows between a popup's caption and its picture

std::string sizeText(const CheckedPicture& facts) {
  return std::to_string(facts.width) + " x " + std::to_string(facts.height) + " pixels";
}

// Reports a picture that does not fit on the smallest screen the saver
// expects, with what the saver does then.
void warnIfLargerThanScreen(const std::string& name, const CheckedPicture& facts, int32_t line,
                            const char* whatSaverDoes, Findings& findings) {
  if (!facts.usable || (facts.width <= kScreenWidth && facts.height <= kScreenRows)) return;
  findings.warning(kCatalogFile, line,
                   name + " is " + sizeText(facts) + ", larger than a " +
                       std::to_string(kScreenWidth) + " x " + std::to_string(kScreenRows) +
                       " screen: " + whatSaverDoes);
}

// The fixed pictures: the logo and the picture of the error display.
void checkFixedPicture(const std::string& folder, const char* name, PictureChecker& pictures,
                       Findings& findings) {
  if (zfile::exists(dataPath(folder, name).c_str())) {
    pictures.check(name, PictureUse::comic, name, 0);
  } else if (std::strcmp(name, "error.pcx") == 0) {
    findings.warning(name, 0,
                     "missing: where the saver shows an error, it writes the message at the top "
                     "left with \"UNABLE TO LOAD ERROR GRAPHIC!\" below it, in place of this "
                     "picture");
  } else {
    // Both savers show the error display whenever the logo's turn comes.
    findings.error(name, 0,
                   "missing: whenever the logo's turn comes, the saver shows the error display "
                   "with \"Unable to load \"" +
                       std::string(name) + "\"\" in its place");
  }
}

}  // namespace

FolderResult checkFolder(const char* folder, Findings& findings, const SpeechMeasure& measure,
                         PictureMemo* memo) {
  SaverSettings record;
  if (folder == nullptr || std::strlen(folder) >= sizeof record.directory)
    return FolderResult::unreadable;
  std::string dir = folder;
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  // Only folders exist without opening as files.
  if (!zfile::exists(dir.c_str())) return FolderResult::unreadable;
  zfile::Handle asFile = zfile::openRead(dir.c_str());
  if (asFile != zfile::kNoFile) {
    zfile::close(asFile);
    return FolderResult::unreadable;
  }

  // The readers are given the folder with every list on, so that
  // everything listed is read.
  record.setDefaults();
  std::strcpy(record.directory, dir.c_str());

  std::string catalogPath = dataPath(dir, kCatalogFile);
  std::string bytes;
  bool loaded = readFileBytes(catalogPath, bytes);
  bool readable =
      loaded &&
      reportEncoding(examineEncoding(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                     kCatalogFile, findings);
  CatalogNotes notes;
  notes.findings = &findings;
  CatalogListener listener;
  listener.line = noteLine;
  listener.context = &notes;
  bool available = false;
  if (readable) {
    ComicCatalog catalog;
    loaded = catalog.load(catalogPath.c_str(), record, &listener);
    for (int32_t count : catalog.listCount) available = available || count > 0;
    available = available || catalog.popupCount > 0;
  }
  if (!loaded)
    findings.error(kCatalogFile, 0,
                   "cannot be read: the saver shows only its error display, with the reason");

  PictureChecker pictures(dir, findings, memo);
  TemplateChecker templates(dir, pictures, findings, measure);
  for (const Listed& item : notes.listed) {
    if (item.popup) {
      CheckedPicture facts = pictures.check(item.name, PictureUse::comic, kCatalogFile, item.line);
      warnIfLargerThanScreen(item.name, facts, item.line,
                             "the saver puts a popup in a bottom corner and cuts off what does "
                             "not fit",
                             findings);
      if (facts.usable && item.caption && facts.height > kScreenRows - kCaptionAbove - 1)
        findings.error(kCatalogFile, item.line,
                       item.name + " is " + std::to_string(facts.height) +
                           " rows tall: on a screen of " + std::to_string(kScreenRows) +
                           " rows its caption would begin above the top edge, so the saver "
                           "shows \"Text out of bounds.\" instead of the popup");
      std::string sound;
      if (item.sound.empty()) continue;
      if (!readFileBytes(dataPath(dir, item.sound), sound)) {
        findings.warning(kCatalogFile, item.line,
                         item.sound + ": missing: the popup shows without its sound");
        continue;
      }
      std::string problem = soundProblem(sound);
      if (!problem.empty()) findings.warning(kCatalogFile, item.line, item.sound + ": " + problem);
    } else if (listedInWrongPlace(dir, item, findings)) {
      continue;
    } else if (item.list % 3 == TypeOfficial) {
      CheckedPicture facts = pictures.check(item.name, PictureUse::comic, kCatalogFile, item.line);
      warnIfLargerThanScreen(item.name, facts, item.line,
                             "the saver draws it at the top-left corner, and such a screen "
                             "shows only its top-left part",
                             findings);
    } else {
      templates.check(item.name, kCatalogFile, item.line);
    }
  }
  if (readable && loaded && !available)
    findings.error(kCatalogFile, 0, "No available comics. (nothing usable is listed)");
  // Without a catalogue the saver shows only the reason, never the logo.
  if (readable && loaded) {
    checkFixedPicture(dir, "ZBLogo.pcx", pictures, findings);
    checkFixedPicture(dir, "error.pcx", pictures, findings);
  }

  return findings.errors() > 0 ? FolderResult::errors : FolderResult::clean;
}
