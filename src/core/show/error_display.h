// The on-screen error display: error.pcx centred with the message below.
#pragma once

// A backslash in the message starts a new line.
void showError(const char* message, bool clearFirst);

// Hands every message to sink instead of drawing it (null: draw again).
// For programs that compose strips without a saver screen.
void routeErrorsTo(void (*sink)(const char* message));
