// zorbel-render FOLDER ITEM [--strip NAME] [--seed N] [--count K] [--out DIR]:
// ITEM is a strip template, whose strips are made with the saver's own
// generation and composition, or a picture, shown as the saver shows that
// finished comic or popup on a 1024 x 768 screen. Each is written as a BMP
// file: a strip as F1 would save it, a comic or popup as the whole screen.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "authoring/render_options.h"
#include "authoring/screen_preview.h"
#include "authoring/strip_preview.h"
#include "base/data_path.h"
#include "base/file.h"
#include "core/picture/bmp_header.h"
#include "core/show/settings.h"
#include "core/show/show.h"
#include "core/strip/strip_randomizer.h"
#include "win32/gdi/gdi_painter.h"

namespace {

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

bool writeBmp(const std::string& file, const PictureFacts& facts) {
  GdiFlush();
  zfile::Handle out = zfile::createWrite(file.c_str());
  bool written =
      out != zfile::kNoFile && bmp::writeFile(out, facts.width, facts.height, facts.pixels.pixels);
  zfile::close(out);
  return written;
}

// The folder and those above it, made when missing.
bool makeFolder(const std::string& folder) {
  for (size_t i = 0; i <= folder.size(); ++i) {
    if (i < folder.size() && folder[i] != '\\' && folder[i] != '/') continue;
    std::string part = folder.substr(0, i);
    if (part.empty() || part.back() == ':') continue;
    CreateDirectoryA(part.c_str(), nullptr);
  }
  DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// One strip; true when its file was written.
bool renderStrip(Show& show, const RenderOptions& o, const std::string& stripName, uint32_t seed) {
  StripPreview strip = previewStrip(show, o.item, stripName, seed);
  std::string label = std::string(o.item) + " seed " + std::to_string(seed);
  if (!strip.error.empty()) {
    std::printf("%s: %s\n", label.c_str(), strip.error.c_str());
    return false;
  }
  const Painter& p = show.painter;
  std::string file = o.out + "\\" + fileNamePart(stem(o.item)) + "-" + fileNamePart(strip.strip) +
                     "-" + std::to_string(seed) + ".bmp";
  bool written = writeBmp(file, p.facts(p.context, strip.picture));
  p.closePicture(p.context, strip.picture);
  if (!written) {
    std::printf("%s: cannot write %s\n", label.c_str(), file.c_str());
    return false;
  }
  std::printf("%s: strip \"%s\"%s\n", file.c_str(), strip.strip.c_str(), strip.choices.c_str());
  return true;
}

// A screen of its own for a show: the GDI painter's pictures and font, with
// the screen a surface that text and pictures are drawn into.
struct OffScreen {
  Painter gdi;
  Picture* screen = nullptr;
};

OffScreen& offScreenOf(void* context) { return *static_cast<OffScreen*>(context); }

Picture* openPicture(void* c, const char* name) {
  OffScreen& s = offScreenOf(c);
  return s.gdi.openPicture(s.gdi.context, name);
}

Picture* createPicture(void* c, int32_t width, int32_t height) {
  OffScreen& s = offScreenOf(c);
  return s.gdi.createPicture(s.gdi.context, width, height);
}

PictureFacts facts(void* c, Picture* picture) {
  OffScreen& s = offScreenOf(c);
  return s.gdi.facts(s.gdi.context, picture);
}

void drawPicture(void* c, Picture* picture, Picture* target, int32_t x, int32_t y, bool mirrored) {
  OffScreen& s = offScreenOf(c);
  s.gdi.drawPicture(s.gdi.context, picture, target != nullptr ? target : s.screen, x, y, mirrored);
}

void closePicture(void* c, Picture* picture) {
  OffScreen& s = offScreenOf(c);
  // The screen stays until the file is written.
  if (picture != s.screen) s.gdi.closePicture(s.gdi.context, picture);
}

void eraseScreen(void* c) {
  PictureFacts f = facts(c, offScreenOf(c).screen);
  GdiFlush();
  if (f.pixels.pixels != nullptr)
    std::memset(f.pixels.pixels, 0, static_cast<size_t>(f.pixels.stride) * f.height);
}

bool screenReady(void*) { return true; }

Picture* openScreenArea(void* c, const PixelRect&) { return offScreenOf(c).screen; }

Font* openFont(void* c, int32_t cellHeight) {
  OffScreen& s = offScreenOf(c);
  return s.gdi.openFont(s.gdi.context, cellHeight);
}

void closeFont(void* c, Font* font) {
  OffScreen& s = offScreenOf(c);
  s.gdi.closeFont(s.gdi.context, font);
}

void measureText(void* c, Font* font, const char* text, int32_t length, int32_t* width,
                 int32_t* height) {
  OffScreen& s = offScreenOf(c);
  s.gdi.measureText(s.gdi.context, font, text, length, width, height);
}

void drawText(void* c, Font* font, Picture* target, int32_t x, int32_t y, const char* text,
              int32_t length) {
  OffScreen& s = offScreenOf(c);
  s.gdi.drawText(s.gdi.context, font, target, x, y, text, length);
}

void playNothing(void*, const char*) {}

Painter offScreenPainter(OffScreen& s) {
  Painter p;
  p.context = &s;
  p.openPicture = openPicture;
  p.createPicture = createPicture;
  p.facts = facts;
  p.drawPicture = drawPicture;
  p.closePicture = closePicture;
  p.eraseScreen = eraseScreen;
  p.screenReady = screenReady;
  p.openScreenArea = openScreenArea;
  p.openFont = openFont;
  p.closeFont = closeFont;
  p.measureText = measureText;
  p.drawText = drawText;
  p.playSound = playNothing;
  return p;
}

// A finished comic or a popup; true when the screen was written.
bool renderScreen(Show& show, const RenderOptions& o, const PopupEntry* popup, uint32_t seed) {
  OffScreen& screen = offScreenOf(show.painter.context);
  ScreenPreview shown = previewScreen(show, o.item, popup, seed);
  std::string label = std::string(o.item) + " seed " + std::to_string(seed);
  if (!shown.error.empty()) {
    std::printf("%s: %s\n", label.c_str(), shown.error.c_str());
    return false;
  }
  std::string file =
      o.out + "\\" + fileNamePart(stem(o.item)) + "-" + std::to_string(seed) + ".bmp";
  if (!writeBmp(file, facts(&screen, screen.screen))) {
    std::printf("%s: cannot write %s\n", label.c_str(), file.c_str());
    return false;
  }
  std::printf("%s: %s\n", file.c_str(), shown.description.c_str());
  return true;
}

}  // namespace

const char kUsage[] =
    "usage: zorbel-render FOLDER ITEM [--strip NAME] [--seed N] [--count K] [--out DIR]\n"
    "  ITEM: a strip template, or a finished comic or popup picture\n";

int main(int argc, char** argv) {
  RenderOptions o;
  std::string error;
  if (!parseRenderOptions(argc, argv, o, error)) {
    if (!error.empty()) std::fprintf(stderr, "zorbel-render: %s\n", error.c_str());
    std::fprintf(stderr, "%s", kUsage);
    return 2;
  }
  SaverSettings record;
  record.setDefaults();
  if (std::strlen(o.folder) >= sizeof record.directory) {
    std::fprintf(stderr, "zorbel-render: %s: folder name too long\n", o.folder);
    return 2;
  }
  std::strcpy(record.directory, o.folder);
  if (!makeFolder(o.out)) {
    std::fprintf(stderr, "zorbel-render: cannot make the folder %s\n", o.out.c_str());
    return 2;
  }
  Show show;
  show.settings = &record;
  show.painter = gdiPainter(&show);
  if (!o.seeded) {
    o.seed = static_cast<uint32_t>(std::time(nullptr));
    std::printf("seed %lu\n", static_cast<unsigned long>(o.seed));
  }

  int32_t failed = 0;
  if (isTemplateName(o.item)) {
    std::string templatePath = dataPath(o.folder, o.item);
    std::string stripName;
    if (o.strip != nullptr) {
      StripRandomizer lister(templatePath.c_str());
      stripName = matchStrip(lister.stripNames(), o.strip);
      if (stripName.empty()) {
        std::printf("%s: no strip \"%s\"; its strips: %s\n", o.item, o.strip,
                    lister.stripCount() > 0 ? stripList(lister.stripNames()).c_str() : "none");
        return 1;
      }
    }
    for (int32_t k = 0; k < o.count; ++k) {
      if (!renderStrip(show, o, stripName, renderSeed(o.seed, k))) ++failed;
    }
    return failed == 0 ? 0 : 1;
  }

  // A picture: a popup when comics.ini lists it as one, with its caption.
  PopupEntry listed;
  const PopupEntry* popup = findPopup(show, o.item, listed) ? &listed : nullptr;
  OffScreen screen;
  screen.gdi = show.painter;
  screen.screen =
      screen.gdi.createPicture(screen.gdi.context, kPreviewScreenWidth, kPreviewScreenHeight);
  show.painter = offScreenPainter(screen);
  for (int32_t k = 0; k < o.count; ++k) {
    if (!renderScreen(show, o, popup, renderSeed(o.seed, k))) ++failed;
  }
  screen.gdi.closePicture(screen.gdi.context, screen.screen);
  return failed == 0 ? 0 : 1;
}
