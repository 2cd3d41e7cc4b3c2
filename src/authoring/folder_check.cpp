// comics.ini is read by the saver's catalogue reader, which tells the
// checker about every line; then everything it lists is checked, and the
// two pictures the saver opens by their fixed names.
#include "authoring/folder_check.h"

#include <cstring>
#include <string>
#include <vector>

#include "authoring/picture_check.h"
#include "authoring/template_check.h"
#include "base/data_path.h"
#include "base/file.h"
#include "core/show/comic_catalog.h"
#include "core/show/settings.h"

namespace {

const char kCatalogFile[] = "comics.ini";

struct Listed {
  std::string name;
  int32_t line = 0;
  int32_t list = 0;
  std::string sound;  // popups only
  bool popup = false;
};

struct CatalogNotes {
  Findings* findings = nullptr;
  std::vector<Listed> listed;
  bool quotesOpen = false;
};

std::string notRecognizedHint(const std::string& line) {
  if (line.find('"') != std::string::npos)
    return "file names are written without quotes, and cannot hold spaces";
  size_t dot = line.rfind('.');
  if (dot != std::string::npos && dot + 4 != line.size())
    return "a file name needs a three-letter extension such as .pcx, .bmp or .txt";
  return "not a section word (zb, pellow, random, custom, official, popup) nor a file name";
}

void noteLine(void* context, const CatalogLineReport& report) {
  CatalogNotes& notes = *static_cast<CatalogNotes*>(context);
  Findings& out = *notes.findings;
  std::string text = report.text != nullptr ? report.text : "";
  if (report.commentInQuotes)
    out.warning(kCatalogFile, report.line,
                "\"#\" starts a comment, also inside quotes: the rest of the line is cut off");
  if (report.quotesOpen && !notes.quotesOpen)
    out.warning(kCatalogFile, report.line,
                "odd number of double quotes: the following lines are read as quoted text "
                "(not lower-cased, so a keyword in capitals is not recognized)");
  notes.quotesOpen = report.quotesOpen;
  switch (report.kind) {
    case CatalogLine::section:
      break;
    case CatalogLine::comic:
      notes.listed.push_back({text, report.line, report.list, "", false});
      break;
    case CatalogLine::popup:
      if (report.popup != nullptr)
        notes.listed.push_back(
            {report.popup->fileName, report.line, 0, report.popup->soundName, true});
      break;
    case CatalogLine::notRecognized:
      out.error(kCatalogFile, report.line,
                "Error: \"" + text + "\" not recognized (" + notRecognizedHint(text) +
                    "); the saver stops reading " + kCatalogFile +
                    " here and ignores every line after it");
      break;
  }
}

void noteOpened(void* context, bool byteOrderMark) {
  CatalogNotes& notes = *static_cast<CatalogNotes*>(context);
  if (byteOrderMark)
    notes.findings->warning(kCatalogFile, 1,
                            "the file starts with a UTF-8 byte-order mark (skipped)");
}

// The fixed pictures: the logo and the picture of the error display.
void checkFixedPicture(const std::string& folder, const char* name, PictureChecker& pictures,
                       Findings& findings) {
  if (!zfile::exists(dataPath(folder, name).c_str())) {
    findings.warning(name, 0, "missing: the saver shows nothing in its place");
    return;
  }
  pictures.check(name, PictureUse::comic, name, 0);
}

}  // namespace

FolderResult checkFolder(const char* folder, Findings& findings) {
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

  CatalogNotes notes;
  notes.findings = &findings;
  CatalogListener listener;
  listener.line = noteLine;
  listener.opened = noteOpened;
  listener.context = &notes;
  bool loaded = false;
  bool available = false;
  {
    ComicCatalog catalog;
    loaded = catalog.load(dataPath(dir, kCatalogFile).c_str(), record, &listener);
    for (int32_t count : catalog.listCount) available = available || count > 0;
    available = available || catalog.popupCount > 0;
  }
  if (!loaded)
    findings.error(kCatalogFile, 0, "cannot be read: the saver shows only a black screen");

  PictureChecker pictures(dir, findings);
  TemplateChecker templates(dir, pictures, findings);
  for (const Listed& item : notes.listed) {
    if (item.popup) {
      pictures.check(item.name, PictureUse::comic, kCatalogFile, item.line);
      if (!item.sound.empty() && !zfile::exists(dataPath(dir, item.sound).c_str()))
        findings.warning(kCatalogFile, item.line,
                         item.sound + ": missing: the popup shows without its sound");
    } else if (item.list % 3 == TypeOfficial) {
      pictures.check(item.name, PictureUse::comic, kCatalogFile, item.line);
    } else {
      templates.check(item.name, kCatalogFile, item.line);
    }
  }
  if (loaded && !available)
    findings.error(kCatalogFile, 0, "No available comics. (nothing usable is listed)");
  checkFixedPicture(dir, "ZBLogo.pcx", pictures, findings);
  checkFixedPicture(dir, "error.pcx", pictures, findings);

  return findings.errors() > 0 ? FolderResult::errors : FolderResult::clean;
}
