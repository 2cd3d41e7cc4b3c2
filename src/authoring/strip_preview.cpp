// The generation and composition are the saver's own (readStrip, then
// createStripSurface and drawStripPanels); the lines are looked up after,
// in a scan of the same file, as the reader would find them.
#include "authoring/strip_preview.h"

#include <algorithm>

#include "authoring/error_capture.h"
#include "authoring/render_options.h"
#include "authoring/template_scan.h"
#include "base/data_path.h"
#include "core/picture/strip_geometry.h"
#include "core/picture/text_box.h"
#include "core/show/show.h"
#include "core/show/strip_composition.h"
#include "core/strip/strip_randomizer.h"

namespace {

// The line of the entry equal to text in the category, the first one as
// the reader's lookup finds the category; 0 when there is none.
int32_t entryLine(const TemplateScan& scan, const std::string& category, const std::string& text) {
  const std::vector<ScanLine>& lines = scan.lines();
  int32_t at = scan.find("[" + category + "]");
  if (at < 0) return 0;
  for (size_t i = static_cast<size_t>(at) + 1; i < lines.size() && lines[i].text != "end"; ++i) {
    if (lines[i].text == text) return lines[i].line;
  }
  return 0;
}

// Where drawTextBox puts the lines of a box's text in the strip.
PixelRect textArea(const Painter& p, const TextBox& box) {
  PixelRect area;
  Font* font = p.openFont(p.context, strip::speechFontHeight(box.size));
  if (font == nullptr) return area;
  int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  forEachSpeechLine(p, font, box.text, box.top, strip::kHeight,
                    [&](const char*, int32_t, int32_t y, int32_t w2, int32_t h2, bool) {
                      PixelRect line = speechLineRect(box, y, w2, h2);
                      left = std::min(left, line.x);
                      right = std::max(right, line.x + line.width);
                      top = std::min(top, line.y);
                      bottom = std::max(bottom, line.y + line.height);
                      return true;
                    });
  p.closeFont(p.context, font);
  if (left < right && top < bottom) area = {left, top, right - left, bottom - top};
  return area;
}

void findLines(const std::string& path, StripRandomizer& r, StripPreview& out) {
  TemplateScan scan;
  if (!scan.load(path)) return;
  int32_t header = scan.find("[cartoon " + out.strip + "]");
  StripShape shape = header >= 0 ? scan.strip(header) : StripShape();
  size_t boxIndex = 0;
  for (int i = 0; i < 3; ++i) {
    const StripPanel& panel = r.panel(i);
    out.panels[i].pictureLine = entryLine(scan, panel.category, panel.imageFile);
    const std::vector<BoxShape>& boxes = shape.panels[i].boxes;
    std::vector<const StripTextbox*> inFileOrder;
    for (const StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox)
      inFileOrder.insert(inFileOrder.begin(), box);
    for (size_t b = 0; b < inFileOrder.size(); ++b, ++boxIndex) {
      PreviewBox& box = out.boxes[boxIndex];
      box.textLine = entryLine(scan, inFileOrder[b]->category, box.text);
      if (b < boxes.size()) box.boxLine = scan.lines()[boxes[b].first].line;
    }
  }
}

}  // namespace

StripPreview previewStrip(Show& show, const std::string& templateName, const std::string& stripName,
                          uint32_t seed) {
  StripPreview out;
  out.seed = seed;
  std::string path = dataPath(show.folder(), templateName);
  show.random.seed(seed);
  StripRandomizer r(path.c_str());
  out.strips = stripNamesInOrder(r.stripNames());
  if (stripName.empty()) {
    r.pickRandomStrip(show.random);
  } else {
    std::string name = matchStrip(r.stripNames(), stripName);
    if (name.empty() && r.statusCode() == Working) {
      out.error = "no strip \"" + stripName + "\"; its strips: " +
                  (out.strips.empty() ? std::string("none") : stripList(r.stripNames()));
      return out;
    }
    r.readStrip(name.c_str(), show.random);
  }
  if (r.statusCode() != Ready) {
    out.error = "Error #" + std::to_string(r.statusCode()) + ": " + r.statusMessage();
    return out;
  }
  out.strip = r.currentStrip();
  out.choices = stripChoices(r);

  Painter& p = show.painter;
  Picture* strip = nullptr;
  bool drawn = false;
  std::string shown;
  {
    ErrorCapture errors(p);
    strip = createStripSurface(show, r);
    drawn = !p.facts(p.context, strip).failed && drawStripPanels(show, r, strip);
    shown = errors.text();
  }
  if (!drawn) {
    out.error = shown + (shown.empty() ? "" : "; ") + "Strip Error.";
    p.closePicture(p.context, strip);
    return out;
  }
  out.picture = strip;

  int32_t x = 0;
  for (int i = 0; i < 3; ++i) {
    const StripPanel& panel = r.panel(i);
    out.panels[i].picture = panel.imageFile;
    out.panels[i].x = x;
    out.panels[i].width = panel.width;
    std::vector<PreviewBox> boxes;
    for (const StripTextbox* box = panel.textboxes; box != nullptr; box = box->nextBox) {
      PreviewBox shown;
      shown.panel = i;
      shown.text = box->text;
      if (shown.text != ".") {
        TextBox text;
        text.anchorX = x + box->textX;
        text.top = box->textY;
        text.text = box->text;
        text.size = box->textSize;
        text.leftBound = x;
        text.rightBound = x + panel.width - 3;
        shown.area = textArea(p, text);
      }
      boxes.insert(boxes.begin(), shown);
    }
    out.boxes.insert(out.boxes.end(), boxes.begin(), boxes.end());
    x += panel.width + strip::kPanelGap;
  }
  findLines(path, r, out);
  return out;
}
