// The studio's preview of one strip: made and composed as the renderer
// makes it, with the line each text came from, so that a click on a speech
// box finds its line in the template.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/picture/painter.h"
#include "core/picture/pixel_rect.h"

struct Show;

struct PreviewBox {
  int32_t panel = 0;  // 0 to 2
  std::string text;
  int32_t textLine = 0;  // the entry it was drawn from; 0 when not found
  int32_t boxLine = 0;   // the box's first line (its text x)
  PixelRect area;        // its lines in the strip; empty for "." or text not drawn
};

struct PreviewPanel {
  std::string picture;
  int32_t pictureLine = 0;
  int32_t x = 0;
  int32_t width = 0;
};

struct StripPreview {
  std::vector<std::string> strips;  // the template's strips, in file order
  std::string strip;                // the one made; empty when none could be
  uint32_t seed = 0;
  std::string choices;  // as the renderer prints them
  // What the saver would show instead of the strip; empty when it was drawn.
  std::string error;
  PreviewPanel panels[3];
  std::vector<PreviewBox> boxes;  // panel by panel, in file order
  Picture* picture = nullptr;     // the strip, for the caller to close; null on error
};

// The template is a name in the show's data folder; an empty strip name
// picks one at random, as the saver does.
StripPreview previewStrip(Show& show, const std::string& templateName, const std::string& stripName,
                          uint32_t seed);
