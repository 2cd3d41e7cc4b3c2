// Pictures are read with the saver's own PCX decoder; BMP files are only
// looked at as far as their headers, which is what decides whether the
// platform's loader takes them.
#include "authoring/picture_check.h"

#include <cstring>
#include <vector>

#include "authoring/name_case.h"
#include "base/ascii_case.h"
#include "base/data_path.h"
#include "base/file.h"
#include "core/picture/pcx_decode.h"
#include "core/picture/strip_geometry.h"

namespace {

// Bigger pictures are not decoded here; no comic comes near this.
constexpr size_t kDecodeLimit = 64u << 20;

const char kBadExtension[] = ": Unable to determine format...files need .pcx or .bmp extension!";

bool readWhole(const std::string& path, std::vector<uint8_t>& bytes) {
  zfile::Handle file = zfile::openRead(path.c_str());
  if (file == zfile::kNoFile) return false;
  uint32_t size = zfile::sizeLow(file);
  // A size the platform cannot give is read as empty.
  if (size == 0xFFFFFFFFu || size > 0x7FFFFFFFu) size = 0;
  bytes.resize(size);
  size_t got = size > 0 ? zfile::read(file, bytes.data(), size) : 0;
  bytes.resize(got);
  zfile::close(file);
  return true;
}

std::string pcxFormatReason(const uint8_t* h) {
  std::string reason = "not a 24-bit three-plane run-length PCX: ";
  if (h[0] != 10) return reason + "no PCX signature";
  reason += std::to_string(h[3]) + " bits per plane, " + std::to_string(h[65]) + " plane";
  if (h[65] != 1) reason += "s";
  if (h[1] != 5) reason += ", version " + std::to_string(h[1]);
  if (h[2] != 1) reason += ", not run-length encoded";
  return reason;
}

uint32_t le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

std::string missingReason(const std::string& folder, const std::string& name) {
  std::string onDisk = nameOnDisk(folder, name);
  if (onDisk.empty()) return "missing or unreadable";
  return "on disk it is \"" + onDisk +
         "\": the names differ in capitals; Windows does not mind, Linux does, so give the "
         "file the name written here (comics.ini reads names in small letters)";
}

CheckedPicture PictureChecker::check(const std::string& name, PictureUse use,
                                     const std::string& file, int32_t line) {
  std::string key = (use == PictureUse::panel ? "p:" : "c:") + name;
  auto found = seen_.find(key);
  if (found != seen_.end()) return found->second;
  CheckedPicture facts = examine(name, use, file, line);
  seen_[key] = facts;
  return facts;
}

CheckedPicture PictureChecker::examine(const std::string& name, PictureUse use,
                                       const std::string& file, int32_t line) {
  CheckedPicture facts;
  std::string ending = lowerAscii(name.size() >= 3 ? name.substr(name.size() - 3) : name);
  bool isPcx = ending == "pcx";
  if (use == PictureUse::panel && !isPcx) {
    findings_.error(file, line,
                    name +
                        ": a strip panel must be a PCX picture (.pcx, 24 bits in three planes, "
                        "run-length encoded); the saver measures every panel as one");
    return facts;
  }
  if (!isPcx && ending != "bmp") {
    findings_.error(file, line, name + kBadExtension);
    return facts;
  }
  std::vector<uint8_t> bytes;
  if (!readWhole(dataPath(folder_, name), bytes)) {
    findings_.error(file, line,
                    name + ": Unable to open file (" + missingReason(folder_, name) + ")");
    return facts;
  }
  if (!isPcx) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
      findings_.error(file, line, name + ": Unable to load image (not a BMP file)");
      return facts;
    }
    facts.width = static_cast<int32_t>(le32(&bytes[18]));
    int32_t rows = static_cast<int32_t>(le32(&bytes[22]));
    facts.height = rows < 0 ? -rows : rows;
    int bits = bytes[28] | (bytes[29] << 8);
    if (bits != 24)
      findings_.warning(file, line,
                        name + ": a " + std::to_string(bits) +
                            "-bit BMP; comics and popups are made as 24-bit pictures");
    // The Windows saver's loader, under Wine, fills a top-down picture with
    // black; the Linux saver draws it upright.
    if (rows < 0)
      findings_.error(file, line,
                      name + ": a top-down BMP (its height is written as " + std::to_string(rows) +
                          "): the Windows saver shows a black block of its size instead, the "
                          "Linux saver the picture; save it as an ordinary bottom-up BMP");
    facts.usable = true;
    return facts;
  }

  if (bytes.size() < pcx::kHeaderSize) {
    findings_.error(file, line, name + ": Invalid file format! (shorter than a PCX header)");
    return facts;
  }
  const uint8_t* header = bytes.data();
  if (!pcx::formatAccepted(header)) {
    findings_.error(file, line, name + ": Invalid file format! (" + pcxFormatReason(header) + ")");
    return facts;
  }
  pcx::Layout layout;
  pcx::LayoutResult shape = pcx::layoutOf(header, &layout);
  if (shape == pcx::LayoutResult::empty) {
    findings_.error(file, line, name + ": Invalid file format! (the picture window is empty)");
    return facts;
  }
  if (shape == pcx::LayoutResult::tooLarge) {
    findings_.error(file, line, name + ": Unable to allocate buffer (the picture is too large)");
    return facts;
  }
  facts.width = layout.width;
  facts.height = layout.height;
  if (layout.pictureBytes <= kDecodeLimit) {
    std::vector<uint8_t> lineBuffer(layout.lineBytes);
    std::vector<uint8_t> picture(layout.pictureBytes);
    if (!pcx::decode(header + pcx::kHeaderSize, bytes.size() - pcx::kHeaderSize, layout,
                     lineBuffer.data(), picture.data()))
      findings_.warning(file, line,
                        name + ": the picture data ends early; the rest is drawn black");
  }
  if (use == PictureUse::panel && layout.height > strip::kHeight)
    findings_.warning(file, line,
                      name + ": " + std::to_string(layout.height) +
                          " rows tall; a strip shows only the top " +
                          std::to_string(strip::kHeight));
  if (use == PictureUse::panel && layout.height < strip::kHeight)
    findings_.warning(file, line,
                      name + ": " + std::to_string(layout.height) +
                          " rows tall, shorter than the " + std::to_string(strip::kHeight) +
                          " rows of a strip: the saver leaves " + "the " +
                          std::to_string(strip::kHeight - layout.height) +
                          " rows under it black, and the strip's lower edge is ragged");
  facts.usable = true;
  return facts;
}
