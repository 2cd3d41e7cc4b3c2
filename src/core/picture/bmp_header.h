// The 24-bit BMP files of the screenshot writer: the two headers, the
// writing and the choice of the next free shotNNNN.bmp name. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/file.h"

namespace bmp {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
constexpr size_t kPathSize = 512;

// 3 x width rounded up to 4, and that times height; 0 for an empty or
// negative size and for pictures too big for the 32-bit size fields.
uint32_t rowLength(int32_t width);
uint32_t imageSize(int32_t width, int32_t height);

// The 14-byte file header followed by the 40-byte information header, all
// little-endian, for a bottom-up picture of that size.
void writeHeaders(uint8_t out[kHeadersSize], int32_t width, int32_t height);

// Writes the headers, then imageSize bytes from pixels (bottom-up rows of
// rowLength bytes; may be null when the size is empty), in three writes.
bool writeFile(zfile::Handle file, int32_t width, int32_t height, const uint8_t* pixels);

// Fills path with folder\shotNNNN.bmp, the first name for which exists()
// is false among shot0000 to shot9999. False when the folder is too long
// for the path buffer, and when all the names are taken, which is logged
// as the folder and ": No free screenshot name".
bool nextShotPath(char (&path)[kPathSize], const char* folder, bool (*exists)(const char*));

}  // namespace bmp
