// F1: saves lastDrawnRect of the screen as the next free shotNNNN.bmp.
#pragma once

void saveScreenshot();
