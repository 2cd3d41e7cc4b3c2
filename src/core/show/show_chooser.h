// The decisions of one show step (timing, logo cycle, popup chance, the
// weighted choice of group, type and entry, and every random draw in order),
// kept apart from the drawing: they reach the screen through the show's
// drawing table.
#pragma once

struct Show;

// force: show the next item now and restart the interval. Does nothing
// while the show has no catalogue.
void advance(Show& show, bool force);
