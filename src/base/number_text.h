// The atoi rule shared by the command line and the template reader.
#pragma once

#include <cstdint>

// Leading white space, an optional sign, digits up to the first other
// character; no digits gives 0. Long numbers wrap in 32 bits instead of
// overflowing, so any text has a defined result.
int32_t atoiRule(const char* text);
