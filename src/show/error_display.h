// The on-screen error display: error.pcx centred with the message below.
#pragma once

// A backslash in the message starts a new line.
void showError(const char* message, bool clearFirst);
