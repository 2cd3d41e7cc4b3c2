// Prints the resources of an executable in a plain text form that tests
// compare line by line:
//   resource_dump FILE
// dialog, control, bitmap, icon, string, version and manifest lines.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

HMODULE module = nullptr;

const uint8_t* resource(const char* type, int id, DWORD& size) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (found == nullptr) return nullptr;
  size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  return loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
}

// A template string field: 0xFFFF and an ordinal, or UTF-16 text to a NUL.
// Only ASCII is expected here.
std::string field(const uint16_t*& p) {
  if (*p == 0xFFFF) {
    std::string out = "#" + std::to_string(p[1]);
    p += 2;
    return out;
  }
  std::string out;
  while (*p != 0) out += static_cast<char>(*p++ & 0xFF);
  ++p;
  return out;
}

std::string className(const std::string& name) {
  static const char* const atoms[] = {"Button",  "Edit",      "Static",
                                      "ListBox", "ScrollBar", "ComboBox"};
  if (name.size() > 1 && name[0] == '#') {
    int atom = std::atoi(name.c_str() + 1);
    if (atom >= 0x80 && atom <= 0x85) return atoms[atom - 0x80];
  }
  return name;
}

// What a control is, from its class and style.
std::string kind(const std::string& cls, DWORD style) {
  std::string out;
  if (_stricmp(cls.c_str(), "Button") == 0) {
    switch (style & 0xF) {
      case BS_PUSHBUTTON:
        out = "button";
        break;
      case BS_DEFPUSHBUTTON:
        out = "default-button";
        break;
      case BS_AUTOCHECKBOX:
        out = "auto-check";
        break;
      case BS_GROUPBOX:
        out = "group";
        break;
      default:
        out = "button-" + std::to_string(style & 0xF);
    }
  } else if (_stricmp(cls.c_str(), "Edit") == 0) {
    out = "edit";
    if (style & ES_NUMBER) out += "+number";
    if (style & ES_AUTOHSCROLL) out += "+hscroll";
  } else if (_stricmp(cls.c_str(), "Static") == 0) {
    switch (style & SS_TYPEMASK) {
      case SS_LEFT:
        out = "label";
        break;
      case SS_CENTER:
        out = "centred";
        break;
      case SS_BITMAP:
        out = "picture";
        break;
      default:
        out = "static-" + std::to_string(style & SS_TYPEMASK);
    }
    if (style & SS_SUNKEN) out += "+sunken";
  } else {
    out = cls;
  }
  if (style & WS_TABSTOP) out += "+tab";
  if (!(style & WS_VISIBLE)) out += "+hidden";
  return out;
}

void dumpDialog(int id) {
  DWORD size = 0;
  const uint8_t* data = resource(MAKEINTRESOURCEA(5), id, size);  // RT_DIALOG
  if (data == nullptr || size < sizeof(DLGTEMPLATE)) {
    std::printf("dialog %d missing\n", id);
    return;
  }
  if (reinterpret_cast<const uint16_t*>(data)[1] == 0xFFFF) {
    std::printf("dialog %d extended\n", id);
    return;
  }
  DLGTEMPLATE head;
  std::memcpy(&head, data, sizeof head);
  const uint16_t* p = reinterpret_cast<const uint16_t*>(data + 18);
  std::string menu = field(p);
  std::string cls = field(p);
  std::string caption = field(p);
  std::printf("dialog %d style=%08lx size=%d,%d caption=%s menu=%s class=%s\n", id,
              static_cast<unsigned long>(head.style), head.cx, head.cy, caption.c_str(),
              menu.c_str(), cls.c_str());
  if (head.style & DS_SETFONT) {
    int points = *p++;
    std::string face = field(p);
    std::printf("font %d %s\n", points, face.c_str());
  }
  for (int i = 0; i < head.cdit; ++i) {
    // Items start on a DWORD boundary.
    uintptr_t offset = reinterpret_cast<const uint8_t*>(p) - data;
    p = reinterpret_cast<const uint16_t*>(data + ((offset + 3) & ~uintptr_t{3}));
    DLGITEMTEMPLATE item;
    std::memcpy(&item, p, sizeof item);
    p = reinterpret_cast<const uint16_t*>(reinterpret_cast<const uint8_t*>(p) + 18);
    std::string itemClass = className(field(p));
    std::string text = field(p);
    uint16_t extra = *p++;
    p = reinterpret_cast<const uint16_t*>(reinterpret_cast<const uint8_t*>(p) + extra);
    std::printf("control %d %s %d,%d,%d,%d \"%s\"\n", static_cast<int16_t>(item.id),
                kind(itemClass, item.style).c_str(), item.x, item.y, item.cx, item.cy,
                text.c_str());
  }
}

void dumpBitmap(int id) {
  DWORD size = 0;
  const uint8_t* data = resource(MAKEINTRESOURCEA(2), id, size);  // RT_BITMAP
  if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) {
    std::printf("bitmap %d missing\n", id);
    return;
  }
  BITMAPINFOHEADER info;
  std::memcpy(&info, data, sizeof info);
  unsigned colours =
      info.biClrUsed ? info.biClrUsed : (info.biBitCount <= 8 ? 1u << info.biBitCount : 0u);
  std::printf("bitmap %d %ldx%ld bits=%d colours=%u\n", id, static_cast<long>(info.biWidth),
              static_cast<long>(info.biHeight), info.biBitCount, colours);
}

#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bits;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

void dumpIconGroup(int id) {
  DWORD size = 0;
  const uint8_t* data = resource(MAKEINTRESOURCEA(14), id, size);  // RT_GROUP_ICON
  if (data == nullptr || size < 6) {
    std::printf("icon %d missing\n", id);
    return;
  }
  uint16_t count = 0;
  std::memcpy(&count, data + 4, 2);
  for (int i = 0; i < count && 6 + (i + 1) * sizeof(GroupEntry) <= size; ++i) {
    GroupEntry entry;
    std::memcpy(&entry, data + 6 + i * sizeof(GroupEntry), sizeof entry);
    // The image itself must be there too.
    DWORD imageSize = 0;
    const uint8_t* image = resource(MAKEINTRESOURCEA(3), entry.id, imageSize);  // RT_ICON
    int bits = 0;
    if (image != nullptr && imageSize >= sizeof(BITMAPINFOHEADER)) {
      BITMAPINFOHEADER info;
      std::memcpy(&info, image, sizeof info);
      bits = info.biBitCount;
    }
    std::printf("icon %d %dx%d colours=%d bits=%d\n", id, entry.width, entry.height, entry.colours,
                bits);
  }
}

void dumpVersion() {
  DWORD size = 0;
  const uint8_t* data = resource(MAKEINTRESOURCEA(16), 1, size);  // RT_VERSION
  if (data == nullptr) {
    std::printf("version missing\n");
    return;
  }
  for (DWORD i = 0; i + sizeof(VS_FIXEDFILEINFO) <= size; i += 4) {
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, data + i, sizeof fixed);
    if (fixed.dwSignature == 0xFEEF04BD) {
      std::printf("version file=%lu.%lu.%lu.%lu\n", fixed.dwFileVersionMS >> 16,
                  fixed.dwFileVersionMS & 0xFFFF, fixed.dwFileVersionLS >> 16,
                  fixed.dwFileVersionLS & 0xFFFF);
      break;
    }
  }
  // Named strings of the string table, as key=value.
  const char* keys[] = {"FileVersion", "ProductVersion", "ProductName"};
  for (const char* key : keys) {
    std::u16string wide(key, key + std::strlen(key));
    for (DWORD i = 0; i + wide.size() * 2 < size; i += 2) {
      if (std::memcmp(data + i, wide.data(), wide.size() * 2) != 0) continue;
      DWORD at = i + static_cast<DWORD>(wide.size()) * 2;
      while (at + 1 < size && data[at] == 0 && data[at + 1] == 0) at += 2;  // NUL and padding
      std::string value;
      while (at + 1 < size && (data[at] || data[at + 1])) {
        value += static_cast<char>(data[at]);
        at += 2;
      }
      std::printf("version %s=%s\n", key, value.c_str());
      break;
    }
  }
}

void dumpManifest() {
  DWORD size = 0;
  const uint8_t* data = resource(MAKEINTRESOURCEA(24), 1, size);  // RT_MANIFEST
  if (data == nullptr) {
    std::printf("manifest missing\n");
    return;
  }
  std::string text(reinterpret_cast<const char*>(data), size);
  std::printf(
      "manifest dpiAware=%d common-controls-6=%d asInvoker=%d\n",
      text.find("<dpiAware") != std::string::npos && text.find(">true<") != std::string::npos,
      text.find("Microsoft.Windows.Common-Controls") != std::string::npos &&
          text.find("version=\"6.0.0.0\"") != std::string::npos,
      text.find("requestedExecutionLevel level=\"asInvoker\"") != std::string::npos);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: resource_dump FILE\n");
    return 2;
  }
  module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load %s\n", argv[1]);
    return 1;
  }
  dumpDialog(101);
  dumpBitmap(102);
  dumpBitmap(105);
  dumpIconGroup(103);
  char text[64] = {};
  int length = LoadStringA(module, 1, text, sizeof text);
  std::printf("string 1 \"%.*s\"\n", length, text);
  dumpVersion();
  dumpManifest();
  FreeLibrary(module);
  return 0;
}
