// zorbel-render FOLDER TEMPLATE [--strip NAME] [--seed N] [--count K]
// [--out DIR]: makes strips of a template with the saver's own generation
// and composition and writes each as the BMP file that F1 would save.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "base/data_path.h"
#include "base/file.h"
#include "core/picture/bmp_header.h"
#include "core/show/settings.h"
#include "core/show/show.h"
#include "core/show/strip_composition.h"
#include "core/strip/strip_randomizer.h"
#include "win32/gdi/gdi_painter.h"

namespace {

struct Options {
  const char* folder = nullptr;
  const char* templateName = nullptr;
  const char* strip = nullptr;
  bool seeded = false;
  uint32_t seed = 0;
  long count = 1;
  std::string out = ".";
};

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--strip" && hasValue) {
      o.strip = argv[++i];
    } else if (arg == "--seed" && hasValue) {
      char* end = nullptr;
      o.seed = static_cast<uint32_t>(std::strtoul(argv[++i], &end, 10));
      if (end == nullptr || *end != '\0') return false;
      o.seeded = true;
    } else if (arg == "--count" && hasValue) {
      char* end = nullptr;
      o.count = std::strtol(argv[++i], &end, 10);
      if (end == nullptr || *end != '\0' || o.count < 1 || o.count > 100000) return false;
    } else if (arg == "--out" && hasValue) {
      o.out = argv[++i];
    } else if (arg.compare(0, 2, "--") == 0) {
      return false;
    } else if (o.folder == nullptr) {
      o.folder = argv[i];
    } else if (o.templateName == nullptr) {
      o.templateName = argv[i];
    } else {
      return false;
    }
  }
  return o.folder != nullptr && o.templateName != nullptr;
}

// What the error display would have shown, for the failure line.
std::string shownErrors;

void collectError(void*, const char* message) {
  if (!shownErrors.empty()) shownErrors += "; ";
  shownErrors += message;
}

// Template and strip names as parts of a file name.
std::string fileNamePart(const std::string& text) {
  std::string out;
  for (char c : text) out += std::strchr("\\/:*?\"<>| ", c) != nullptr ? '_' : c;
  return out.empty() ? "_" : out;
}

std::string stem(const std::string& name) {
  size_t slash = name.find_last_of("\\/");
  std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
  size_t dot = base.rfind('.');
  return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

std::string choices(StripRandomizer& r) {
  std::string out;
  for (int i = 0; i < 3; ++i) {
    const StripPanel& panel = r.panel(i);
    out += " | panel " + std::to_string(i + 1) + ": " + panel.imageFile;
    for (const StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox)
      out += std::string(" \"") + box->text + "\"";
  }
  return out;
}

// One strip; true when its file was written.
bool renderOne(Show& show, const Options& o, const std::string& templatePath, uint32_t seed) {
  show.random.seed(seed);
  StripRandomizer r(templatePath.c_str());
  if (o.strip != nullptr) {
    r.readStrip(o.strip, show.random);
  } else {
    r.pickRandomStrip(show.random);
  }
  std::string label = std::string(o.templateName) + " seed " + std::to_string(seed);
  if (r.statusCode() != Ready) {
    std::printf("%s: Error #%d: %s\n", label.c_str(), static_cast<int>(r.statusCode()),
                r.statusMessage());
    return false;
  }
  shownErrors.clear();
  const Painter& p = show.painter;
  Picture* strip = createStripSurface(show, r);
  bool drawn = !p.facts(p.context, strip).failed && drawStripPanels(show, r, strip);
  if (!drawn) {
    std::printf("%s: %s%sStrip Error.\n", label.c_str(), shownErrors.c_str(),
                shownErrors.empty() ? "" : "; ");
    p.closePicture(p.context, strip);
    return false;
  }
  GdiFlush();
  PictureFacts facts = p.facts(p.context, strip);
  std::string file = o.out + "\\" + fileNamePart(stem(o.templateName)) + "-" +
                     fileNamePart(r.currentStrip()) + "-" + std::to_string(seed) + ".bmp";
  zfile::Handle out = zfile::createWrite(file.c_str());
  bool written =
      out != zfile::kNoFile && bmp::writeFile(out, facts.width, facts.height, facts.pixels.pixels);
  zfile::close(out);
  p.closePicture(p.context, strip);
  if (!written) {
    std::printf("%s: cannot write %s\n", label.c_str(), file.c_str());
    return false;
  }
  std::printf("%s: strip \"%s\"%s\n", file.c_str(), r.currentStrip(), choices(r).c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parse(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: zorbel-render FOLDER TEMPLATE [--strip NAME] [--seed N] [--count K] "
                 "[--out DIR]\n");
    return 2;
  }
  SaverSettings record;
  record.setDefaults();
  if (std::strlen(o.folder) >= sizeof record.directory) {
    std::fprintf(stderr, "zorbel-render: %s: folder name too long\n", o.folder);
    return 2;
  }
  std::strcpy(record.directory, o.folder);
  Show show;
  show.settings = &record;
  show.painter = gdiPainter(&show);
  show.painter.errorSink = collectError;
  if (!o.seeded) {
    o.seed = static_cast<uint32_t>(std::time(nullptr));
    std::printf("seed %lu\n", static_cast<unsigned long>(o.seed));
  }
  std::string templatePath = dataPath(o.folder, o.templateName);
  long failed = 0;
  for (long k = 0; k < o.count; ++k) {
    if (!renderOne(show, o, templatePath, o.seed + static_cast<uint32_t>(k))) ++failed;
  }
  return failed == 0 ? 0 : 1;
}
