// A random place for a picture on the screen.
#pragma once

#include <cstdint>

class RandomSource;

// Draws one value from the random source and reduces it into 0 .. room - 1.
// A picture that leaves no room (room <= 0: at least as large as the screen)
// goes to 0; the value is drawn anyway so that later draws do not shift.
int32_t randomPlace(RandomSource& random, int32_t room);
