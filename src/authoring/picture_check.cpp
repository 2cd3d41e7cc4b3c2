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

void PictureMemo::forget(const std::string& name) {
  examined_.erase("p:" + name);
  examined_.erase("c:" + name);
}

CheckedPicture PictureChecker::check(const std::string& name, PictureUse use,
                                     const std::string& file, int32_t line) {
  std::string key = (use == PictureUse::panel ? "p:" : "c:") + name;
  auto found = seen_.find(key);
  if (found != seen_.end()) return found->second;
  const PictureMemo::Examined* kept = nullptr;
  if (memo_ != nullptr) {
    auto it = memo_->examined_.find(key);
    if (it != memo_->examined_.end()) kept = &it->second;
  }
  PictureMemo::Examined examined = kept != nullptr ? *kept : examine(name, use);
  if (memo_ != nullptr && kept == nullptr) memo_->examined_[key] = examined;
  for (const PictureMemo::Said& said : examined.said) {
    if (said.severity == Severity::error)
      findings_.error(file, line, said.message);
    else
      findings_.warning(file, line, said.message);
  }
  seen_[key] = examined.facts;
  return examined.facts;
}

PictureMemo::Examined PictureChecker::examine(const std::string& name, PictureUse use) {
  PictureMemo::Examined out;
  CheckedPicture& facts = out.facts;
  auto error = [&](const std::string& message) { out.said.push_back({Severity::error, message}); };
  auto warning = [&](const std::string& message) {
    out.said.push_back({Severity::warning, message});
  };
  std::string ending = lowerAscii(name.size() >= 3 ? name.substr(name.size() - 3) : name);
  bool isPcx = ending == "pcx";
  if (use == PictureUse::panel && !isPcx) {
    error(name +
          ": a strip panel must be a PCX picture (.pcx, 24 bits in three planes, "
          "run-length encoded); the saver measures every panel as one");
    return out;
  }
  if (!isPcx && ending != "bmp") {
    error(name + kBadExtension);
    return out;
  }
  std::vector<uint8_t> bytes;
  if (!readWhole(dataPath(folder_, name), bytes)) {
    error(name + ": Unable to open file (" + missingReason(folder_, name) + ")");
    return out;
  }
  if (!isPcx) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
      error(name + ": Unable to load image (not a BMP file)");
      return out;
    }
    facts.width = static_cast<int32_t>(le32(&bytes[18]));
    int32_t rows = static_cast<int32_t>(le32(&bytes[22]));
    facts.height = rows < 0 ? -rows : rows;
    int bits = bytes[28] | (bytes[29] << 8);
    if (bits != 24)
      warning(name + ": a " + std::to_string(bits) +
              "-bit BMP; comics and popups are made as 24-bit pictures");
    // The Windows saver's loader, under Wine, fills a top-down picture with
    // black; the Linux saver draws it upright.
    if (rows < 0)
      error(name + ": a top-down BMP (its height is written as " + std::to_string(rows) +
            "): the Windows saver shows a black block of its size instead, the "
            "Linux saver the picture; save it as an ordinary bottom-up BMP");
    facts.usable = true;
    return out;
  }

  if (bytes.size() < pcx::kHeaderSize) {
    error(name + ": Invalid file format! (shorter than a PCX header)");
    return out;
  }
  const uint8_t* header = bytes.data();
  if (!pcx::formatAccepted(header)) {
    error(name + ": Invalid file format! (" + pcxFormatReason(header) + ")");
    return out;
  }
  pcx::Layout layout;
  pcx::LayoutResult shape = pcx::layoutOf(header, &layout);
  if (shape == pcx::LayoutResult::empty) {
    error(name + ": Invalid file format! (the picture window is empty)");
    return out;
  }
  if (shape == pcx::LayoutResult::tooLarge) {
    error(name + ": Unable to allocate buffer (the picture is too large)");
    return out;
  }
  facts.width = layout.width;
  facts.height = layout.height;
  if (layout.pictureBytes <= kDecodeLimit) {
    std::vector<uint8_t> lineBuffer(layout.lineBytes);
    std::vector<uint8_t> picture(layout.pictureBytes);
    if (!pcx::decode(header + pcx::kHeaderSize, bytes.size() - pcx::kHeaderSize, layout,
                     lineBuffer.data(), picture.data()))
      warning(name + ": the picture data ends early; the rest is drawn black");
  }
  if (use == PictureUse::panel && layout.height > strip::kHeight)
    warning(name + ": " + std::to_string(layout.height) +
            " rows tall; a strip shows only the top " + std::to_string(strip::kHeight));
  if (use == PictureUse::panel && layout.height < strip::kHeight)
    warning(name + ": " + std::to_string(layout.height) + " rows tall, shorter than the " +
            std::to_string(strip::kHeight) + " rows of a strip: the saver leaves " + "the " +
            std::to_string(strip::kHeight - layout.height) +
            " rows under it black, and the strip's lower edge is ragged");
  facts.usable = true;
  return out;
}
