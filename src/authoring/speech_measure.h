// How the checker measures a line of speech text: with the font operations
// of a front end's painter where the checker has one, or with an estimate.
// The checker's main chooses.
#pragma once

#include <cstdint>

#include "core/picture/painter.h"

struct SpeechMeasure {
  // Only its font operations are used.
  Painter painter;
  // Said with every width reported, so that the author knows how it was had.
  const char* source = "";
};

// From a table of the letter widths of the stand-in speech font, with no
// platform font at all; within a few pixels of what it draws.
const SpeechMeasure& estimatedSpeechMeasure();
// The platform's own: the Win32 painter's, with the saver's font, on Windows.
const SpeechMeasure& platformSpeechMeasure();

// Width in the strip of one line of a speech text at the text size, as the
// saver places it: measured at double size, rounded up to even, halved.
// -1 when the font cannot be had.
int32_t speechLineWidth(const SpeechMeasure& measure, int32_t textSize, const char* text,
                        int32_t length);
