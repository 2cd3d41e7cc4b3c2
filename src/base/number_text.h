// Numbers in text: the atoi rule shared by the command line and the
// template reader, and the strict rule of the programs' options.
#pragma once

#include <cstdint>

// Leading white space, an optional sign, digits up to the first other
// character; no digits gives 0. Long numbers wrap in 32 bits instead of
// overflowing, so any text has a defined result.
int32_t atoiRule(const char* text);

// Digits only, nothing else, and at most limit: the options of the Linux
// saver and of the renderer, where a mistyped number is an error.
bool parseDigits(const char* text, uint64_t limit, uint64_t* value);
