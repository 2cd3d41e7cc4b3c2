// A generated strip: three panels side by side with their speech text,
// composed off screen and drawn at a random place. Windows only.
#pragma once

#include <cstdint>

class Image;
struct StripPanel;

void showRandomStrip(const char* templatePath);
bool drawPanel(Image& strip, StripPanel& panel, int32_t x, int32_t y);
// Width from a PCX header (Xmax - Xmin + 1); 0 when the file cannot be opened.
int32_t pcxFileWidth(const char* name);
