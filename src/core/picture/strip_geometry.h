// The measures of a generated strip and of its speech text, one place for
// the saver, the checker and the renderer.
#pragma once

#include <cstdint>

namespace strip {

// Every strip is this tall, whatever its panels; a speaker point below it
// gets no tail.
constexpr int32_t kHeight = 339;
// Between neighbouring panels; none at the outer edges.
constexpr int32_t kPanelGap = 10;
constexpr int32_t kPanelGaps = 2 * kPanelGap;
// Between the tops of two lines of a text, whatever its size.
constexpr int32_t kLineAdvance = 16;
// The tail leaves the text this far below the top of its last line.
constexpr int32_t kTailBelowLine = 19;

// Cell heights of the text font: speech text is written at twice this
// size and shrunk; screen text is written as it is.
constexpr int32_t speechFontHeight(int32_t size) { return 2 * size + 8; }
constexpr int32_t screenFontHeight(int32_t size) { return size + 5; }

}  // namespace strip
