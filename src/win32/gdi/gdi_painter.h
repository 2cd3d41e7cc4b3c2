// One step of the show: logo, popup or comic, chosen by weighted chance.
#pragma once

// force: show the next item now and restart the interval.
void advance(bool force);
