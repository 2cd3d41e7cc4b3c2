// The on-screen error display: error.pcx centred with the message below.
#pragma once

struct Show;

// What the text box reports when a text does not fit.
constexpr char kOutOfBoundsMessage[] = "Text out of bounds.";

// A backslash in the message starts a new line. A painter with an error
// sink gets the message instead.
void showError(Show& show, const char* message, bool clearFirst);
