// Thin file access for the portable core. On Windows it is CreateFileA,
// ReadFile and WriteFile with the share modes the saver needs; the native
// build (tests, fuzzing, benchmarks) maps it onto POSIX calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zfile {

// Opaque handle; kNoFile is what a failed open returns.
using Handle = intptr_t;
constexpr Handle kNoFile = -1;

// Opens an existing file for reading (others may read it too).
Handle openRead(const char* path);
// Creates or truncates a file for writing; others may only read it.
Handle createWrite(const char* path);
// Low 32 bits of the file size, as the platform reports them.
uint32_t sizeLow(Handle file);
// Reads up to count bytes; returns how many arrived (0 on failure).
size_t read(Handle file, void* dest, size_t count);
// Writes count bytes; returns how many were written (0 on failure).
size_t write(Handle file, const void* src, size_t count);
// Closing kNoFile or 0 does nothing.
void close(Handle file);

// Whether anything (file or folder) exists under the name.
bool exists(const char* path);

// Opens a file for appending whole writes, creating it when missing; others
// may read and append too.
Handle openAppend(const char* path);

// The path as the platform writes it, for messages: data paths are built
// with backslashes.
std::string shownPath(const char* path);

}  // namespace zfile
