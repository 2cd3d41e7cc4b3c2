#include "x11/options.h"

#include <cstring>

#include "base/ascii_case.h"
#include "base/number_text.h"

const char* const kInstalledDataFolder = "/usr/share/zorbel";

namespace {

constexpr uint32_t kMaxScaleOption = 8;
constexpr int32_t kMaxWindowSide = 32767;  // X sizes are 16-bit

// Flags take 0 or 1, like the dialog's check boxes; the rest any DWORD.
bool isFlag(const char* registryName) {
  return std::strncmp(registryName, "Use ", 4) == 0 ||
         std::strcmp(registryName, "Display Logo") == 0;
}

bool parseDword(const char* text, uint64_t limit, uint32_t* value) {
  uint64_t v = 0;
  if (!parseDigits(text, limit, &v)) return false;
  *value = static_cast<uint32_t>(v);
  return true;
}

// WxH, with an optional +X+Y that the saver's own window leaves to the
// window manager.
bool parseGeometry(const char* text, int32_t* width, int32_t* height) {
  uint32_t w = 0;
  uint32_t h = 0;
  const char* x = std::strchr(text, 'x');
  if (x == nullptr) return false;
  std::string first(text, x);
  std::string rest(x + 1);
  size_t offset = rest.find_first_of("+-");
  std::string second = rest.substr(0, offset);
  if (offset != std::string::npos) {
    // +X+Y or -X-Y: two signed numbers, checked for form only.
    const char* p = rest.c_str() + offset;
    for (int i = 0; i < 2; ++i) {
      if (*p != '+' && *p != '-') return false;
      ++p;
      if (*p < '0' || *p > '9') return false;
      while (*p >= '0' && *p <= '9') ++p;
    }
    if (*p != '\0') return false;
  }
  if (!parseDword(first.c_str(), kMaxWindowSide, &w) ||
      !parseDword(second.c_str(), kMaxWindowSide, &h) || w == 0 || h == 0) {
    return false;
  }
  *width = static_cast<int32_t>(w);
  *height = static_cast<int32_t>(h);
  return true;
}

// What the xscreensaver settings dialog calls each registry value.
struct DialogLabel {
  const char* registryName;
  const char* label;
};
constexpr DialogLabel kDialogLabels[] = {
    {"Time Delay", "Seconds per item"},
    {"Display Logo", "Show the logo"},
    {"Use Pellow", "Pellow comics"},
    {"Use ZB", "Zorbel comics"},
    {"Use Random", "Strips made up from templates"},
    {"Use Original", "Strips with fixed words"},
    {"Use Official", "Finished comics"},
    {"Per Pellow", "Pellow frequency"},
    {"Per ZB", "Zorbel frequency"},
    {"Per Random", "Random frequency"},
    {"Per Original", "Original frequency"},
    {"Per Official", "Official frequency"},
    {"Use Toasty", "Popups"},
    {"Per Toasty", "Popup chance: one in"},
    {"Use Sound", "Popup sounds"},
    {"Logo Frames", "Comics between logos"},
};

const char* dialogLabel(const char* registryName) {
  for (const DialogLabel& entry : kDialogLabels) {
    if (std::strcmp(entry.registryName, registryName) == 0) return entry.label;
  }
  return registryName;
}

// "-name" and "--name" are the same option.
const char* bareName(const char* arg) {
  if (arg[0] != '-') return nullptr;
  return arg[1] == '-' ? arg + 2 : arg + 1;
}

}  // namespace

LinuxOptions::LinuxOptions() {
  settings.setDefaults();
  std::strcpy(settings.directory, kInstalledDataFolder);
}

std::string optionName(const char* registryName) {
  std::string name;
  for (const char* c = registryName; *c != '\0'; ++c) {
    if (*c == ' ') {
      name += '-';
    } else {
      name += lowerAscii(*c);
    }
  }
  return name;
}

bool parseWindowId(const char* text, unsigned long* id) {
  uint64_t v = 0;
  const char* c = text;
  int base = 10;
  if (c[0] == '0' && (c[1] == 'x' || c[1] == 'X')) {
    base = 16;
    c += 2;
  }
  if (*c == '\0') return false;
  for (; *c != '\0'; ++c) {
    int digit = -1;
    if (*c >= '0' && *c <= '9') digit = *c - '0';
    if (base == 16 && *c >= 'a' && *c <= 'f') digit = *c - 'a' + 10;
    if (base == 16 && *c >= 'A' && *c <= 'F') digit = *c - 'A' + 10;
    if (digit < 0) return false;
    v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (v > 0x1FFFFFFFu) return false;
  }
  if (v == 0) return false;
  *id = static_cast<unsigned long>(v);
  return true;
}

bool parseOptions(int argc, const char* const* argv, LinuxOptions* out, std::string* error) {
  LinuxOptions& o = *out;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    const char* name = bareName(arg);
    if (name == nullptr) {
      *error = std::string("unexpected argument ") + arg + " (see --help)";
      return false;
    }
    std::string n(name);
    if (n == "help" || n == "h") {
      o.help = true;
      return true;
    }
    if (n == "root") {
      o.target = DrawTarget::Root;
      continue;
    }
    // Every other option takes a value.
    const ProductValue* product = nullptr;
    for (const ProductValue& value : kProductValues) {
      if (optionName(value.name) == n) product = &value;
    }
    bool known = product != nullptr || n == "directory" || n == "scale" || n == "window-id" ||
                 n == "geometry";
    if (!known) {
      *error = std::string("unknown option ") + arg + " (see --help)";
      return false;
    }
    if (i + 1 >= argc) {
      *error = std::string(arg) + " needs a value";
      return false;
    }
    const char* value = argv[++i];
    auto bad = [&](const char* what) {
      *error = std::string(arg) + ": \"" + value + "\" is not " + what;
      return false;
    };
    if (product != nullptr) {
      uint32_t v = 0;
      if (isFlag(product->name)) {
        if (!parseDword(value, 1, &v)) return bad("0 or 1");
      } else if (!parseDword(value, 0xFFFFFFFFu, &v)) {
        return bad("a whole number from 0 to 4294967295");
      }
      o.settings.*product->field = v;
    } else if (n == "directory") {
      size_t length = std::strlen(value);
      if (length == 0 || length >= sizeof o.settings.directory) {
        return bad("a folder name of 1 to 255 characters");
      }
      std::memcpy(o.settings.directory, value, length + 1);
    } else if (n == "scale") {
      if (!parseDword(value, kMaxScaleOption, &o.settings.scale)) {
        return bad("0 (automatic) or a whole number from 1 to 8");
      }
    } else if (n == "window-id") {
      if (!parseWindowId(value, &o.windowId)) return bad("a window number (decimal or 0x hex)");
      o.target = DrawTarget::WindowId;
    } else {
      if (!parseGeometry(value, &o.width, &o.height)) return bad("a size WxH");
    }
  }
  return true;
}

std::string usageText(const char* program) {
  std::string text =
      std::string("Usage: ") + program + " [options]\n" +
      "The Zorbel comic show as an X11 screen saver.\n\n"
      "Where it draws (a window of its own when neither is given):\n"
      "  -root                 the window in XSCREENSAVER_WINDOW, else the root window\n"
      "  -window-id ID         that window (decimal or 0x hex)\n"
      "  -geometry WxH         the size of its own window\n\n"
      "Settings (as the Windows saver's, with the same defaults):\n"
      "  -directory DIR        the data folder (default /usr/share/zorbel)\n";
  LinuxOptions defaults;
  for (const ProductValue& value : kProductValues) {
    std::string line = "  -" + optionName(value.name) + (isFlag(value.name) ? " 0|1" : " N");
    line.resize(line.size() < 24 ? 24 : line.size() + 1, ' ');
    text += line + dialogLabel(value.name) + " (\"" + value.name + "\"), default " +
            std::to_string(defaults.settings.*value.field) + "\n";
  }
  text +=
      "  -scale N              enlargement 1 to 8, at most as far as 1024x768 fits;\n"
      "                        0 for one step per 1024x768 (default 0)\n\n"
      "In its own window: Return or Space shows the next item, F1 saves a screenshot,\n"
      "Escape or q ends it. Under xscreensaver a key ends the saver, so there\n"
      "-time-delay 0 keeps the first item for as long as it runs.\n"
      "The log is $XDG_STATE_HOME/zorbel/error.log (every copy adds to it), the\n"
      "screenshots go to the pictures folder, under \"Zorbel Screensaver\".\n";
  return text;
}
