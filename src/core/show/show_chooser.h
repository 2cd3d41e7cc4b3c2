// The decisions of one show step (timing, logo cycle, popup chance, the
// weighted choice of group, type and entry, and every random draw in order),
// kept apart from the drawing: they reach the screen through the show's
// drawing table.
#pragma once

#include <cstdint>

struct Show;

// force: show the next item now and restart the interval. Without a
// catalogue a forced step shows why there is none, and an unforced one does
// nothing.
void advance(Show& show, bool force);

// How many of the 100 ms ticks, counted from the last one given, it takes
// until one can change the screen: a front end may sleep through the ones
// before it and give them all then. 0 when no tick ever will (a delay of 0,
// which runs no timer, or no catalogue).
int32_t ticksUntilDue(const Show& show);
