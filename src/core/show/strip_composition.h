// A generated strip: three panels side by side with their speech text,
// composed off screen and drawn at a random place. Windows only.
#pragma once

#include <cstdint>

class Image;
class StripRandomizer;
struct StripPanel;

void showRandomStrip(const char* templatePath);
bool drawPanel(Image& strip, StripPanel& panel, int32_t x, int32_t y);
// Measures the panels of a generated strip and creates its surface of their
// width plus the gaps by 339 (failed when it cannot be made).
void createStripSurface(StripRandomizer& randomizer, Image& strip);
// Draws the three panels side by side with their text; false when one fails
// (the failure has been reported, "Strip Error." is the caller's).
bool drawStripPanels(StripRandomizer& randomizer, Image& strip);
// Width from a PCX header (Xmax - Xmin + 1); 0 when the file cannot be opened.
int32_t pcxFileWidth(const char* name);
