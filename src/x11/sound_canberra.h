// Popup sounds through libcanberra: played without waiting, never over a
// sound that still plays, and silence when there is no sound device.
#pragma once

// Starts the file playing unless the last one still plays.
void playPopupSound(const char* path);

// Stops what plays and lets go of the device.
void releaseSound();
