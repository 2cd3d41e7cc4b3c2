// The start of a show: its screen size, the catalogue and the random seed.
#pragma once

#include <cstdint>

struct Show;

// Records the screen size, reads comics.ini from the show's data folder
// and, when it was read, seeds the show's random source with the time. A
// catalogue that cannot be read is dropped, and the reason (a missing or
// wrong folder, a catalogue that cannot be opened) is logged and kept in
// catalogProblem, which every forced step then shows. Always true.
bool initShow(Show& show, int32_t width, int32_t height);

// The start of a further show of the same run on another screen: the
// catalogue is the first show's, read a moment ago from the same folder,
// rather than read and weighed again; the seed is the time plus index, so
// that each screen draws its own items. Reads comics.ini when there is no
// memory for the copy. Always true.
bool initShowFrom(Show& show, const Show& first, int32_t index, int32_t width, int32_t height);
