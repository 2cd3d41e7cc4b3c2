// A panel's width from its PCX header alone, before it is decoded.
#pragma once

#include <cstdint>

// Xmax - Xmin + 1 of folder\name; 0 when the file cannot be opened (which
// is logged) or is too short to hold the header.
int32_t pcxFileWidth(const char* folder, const char* name);
