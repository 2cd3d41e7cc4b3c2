// The Linux saver's command line: where it draws and the settings that the
// Windows saver keeps in the registry, as xscreensaver hacks take them.
// Portable: no X11 here.
#pragma once

#include <cstdint>
#include <string>

#include "core/show/settings.h"

// The data folder of the installed package.
extern const char* const kInstalledDataFolder;

enum class DrawTarget {
  OwnWindow,  // a window of its own, with keys
  Root,       // XSCREENSAVER_WINDOW, else the root window
  WindowId,   // the window given by -window-id
};

struct LinuxOptions {
  LinuxOptions();

  // The 16 registry values at their defaults, the folder, and "Scale".
  SaverSettings settings;
  DrawTarget target = DrawTarget::OwnWindow;
  unsigned long windowId = 0;
  // -geometry WxH of the own window; 0 for the default size.
  int32_t width = 0;
  int32_t height = 0;
  bool help = false;
};

// Parses argv (argv[0] is the program). On a bad line, false with one line
// for stderr in *error (no line end); --help sets help and stops there.
bool parseOptions(int argc, const char* const* argv, LinuxOptions* out, std::string* error);

// The text of --help.
std::string usageText(const char* program);

// The option that stands for a registry value: "Per ZB" is "per-zb".
std::string optionName(const char* registryName);

// -window-id's number: decimal, or hexadecimal after 0x. False when it is
// no number, 0 or too large for the protocol's 29 bits.
bool parseWindowId(const char* text, unsigned long* id);
