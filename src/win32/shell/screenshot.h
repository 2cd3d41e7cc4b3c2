// F1: saves the show's last drawn item, as the screen shows it, as the
// next free shotNNNN.bmp of the data folder (or of the user's Pictures).
#pragma once

struct Show;

void saveScreenshot(const Show& show);
