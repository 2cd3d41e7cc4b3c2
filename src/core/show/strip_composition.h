// A generated strip: three panels side by side with their speech text,
// composed off screen and drawn at a random place.
#pragma once

#include <cstdint>

#include "core/picture/painter.h"

class StripRandomizer;
struct Show;
struct StripPanel;

// Generates a strip from the template file and shows it; every failure is
// logged and shown.
void showRandomStrip(Show& show, const char* templatePath);
bool drawPanel(Show& show, Picture* strip, StripPanel& panel, int32_t x, int32_t y);
// Measures the panels of a generated strip and creates its surface of
// their width plus the gaps by the strip height (failed when it cannot be
// made). The caller closes it.
Picture* createStripSurface(Show& show, StripRandomizer& randomizer);
// Draws the three panels side by side with their text; false when one
// fails (the failure has been reported, "Strip Error." is the caller's).
bool drawStripPanels(Show& show, StripRandomizer& randomizer, Picture* strip);
