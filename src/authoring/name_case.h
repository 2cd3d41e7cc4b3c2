// File names that differ from the one on disk only in capitals: Windows
// opens them, Linux does not.
#pragma once

#include <string>

// The name (relative to folder) as it stands on disk when the file opens
// only with other capitals; empty when there is no such file, and always on
// Windows, which opens it as it is.
std::string nameOnDisk(const std::string& folder, const std::string& name);
