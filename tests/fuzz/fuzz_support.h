// Shared helpers of the fuzz targets: one scratch data folder per process
// and whole-file writes into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// A folder made on first use (under TMPDIR, else /dev/shm, else /tmp) and
// removed, with its files, at exit.
const std::string& scratchFolder();
// Writes the bytes to scratchFolder()/name; returns the path with a
// backslash before the name, the way the saver builds data-folder paths.
std::string writeScratchFile(const std::string& name, const uint8_t* data, size_t size);
// Removes scratchFolder()/name if it is there.
void removeScratchFile(const std::string& name);

// Reads a little-endian value from the front of the input and steps past
// it; missing bytes count as zero.
uint32_t takeU32(const uint8_t*& data, size_t& size);
uint8_t takeU8(const uint8_t*& data, size_t& size);

// Aborts (so that libFuzzer reports it) when the condition is false.
void require(bool condition, const char* what);

}  // namespace fuzz
