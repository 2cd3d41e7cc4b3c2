// How the checker measures a line of speech text: with the font operations
// of the platform's text path where the checker has them, or with an
// estimate. The checker's main chooses.
#pragma once

#include <cstdint>

struct SpeechMeasure {
  void* context = nullptr;
  // A font whose cell is this many pixels tall; null when none can be had.
  void* (*openFont)(void* context, int32_t cellHeight) = nullptr;
  // Width and height of text[0 .. length) in the font.
  bool (*measureText)(void* context, void* font, const char* text, int32_t length, int32_t* width,
                      int32_t* height) = nullptr;
  void (*closeFont)(void* context, void* font) = nullptr;
  // Said with every width reported, so that the author knows how it was had.
  const char* source = "";
};

// From a table of the letter widths of the stand-in speech font, with no
// platform font at all; within a few pixels of what it draws.
const SpeechMeasure& estimatedSpeechMeasure();
// The platform's own: GDI with the saver's font on Windows.
const SpeechMeasure& platformSpeechMeasure();

// Width in the strip of one line of a speech text at the text size, as the
// saver places it: measured at double size, rounded up to even, halved.
// -1 when the font cannot be had.
int32_t speechLineWidth(const SpeechMeasure& measure, int32_t textSize, const char* text,
                        int32_t length);
