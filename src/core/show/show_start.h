// The start of the show: screen size, the catalogue and the random seed.
#pragma once

#include <cstdint>

// Records the screen size, reads comics.ini from the data folder and, when
// it was read, seeds the random source. A catalogue that cannot be read is
// dropped and the show stays black. Always true.
bool initShowWithScreen(int32_t width, int32_t height);

// The same with the screen's own size (Windows only).
bool initShow();
