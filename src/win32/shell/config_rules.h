// The configuration dialog's rules that need no window: how a number box
// is read and what the OK button refuses.
#pragma once

#include <cstdint>

#include "core/show/settings.h"

// Text of control 1020, the version line and two credit lines.
extern const char kVersionFormat[];
constexpr int kVersionNumbers[5] = {2, 2, 0, 0, 3};

extern const char kQueryCaption[];
extern const char kNoGroupQuestion[];
extern const char kNoTypeQuestion[];
extern const char kErrorCaption[];

// A number box's text as an unsigned 32-bit value: leading white space,
// then digits up to the first other character. No digits, or a number
// above 4294967295, reads as 0 (an unreadable box); 4294967295 itself is
// kept, so a stored maximum survives a round trip through the dialog.
uint32_t readDialogNumber(const char* text);

// Both comic groups are off.
bool noGroupSelected(const SaverSettings& s);
// All three comic types are off.
bool noTypeSelected(const SaverSettings& s);
// The message for the first of the six weights that is 0, or null.
const char* firstZeroWeightError(const SaverSettings& s);
