// Per-user folders that take what the saver writes when the data folder
// refuses writes (a standard user and a data folder under Program Files).
#pragma once

#include <cstddef>

namespace userfolders {

constexpr size_t kFolderSize = 512;

// "<local application data>\Quenwick\Zorbel Screensaver", made when missing.
bool logFolder(char (&folder)[kFolderSize]);
// "<the user's Pictures>\Zorbel Screensaver", made when missing.
bool screenshotFolder(char (&folder)[kFolderSize]);

}  // namespace userfolders
