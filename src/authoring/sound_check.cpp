// Both savers take WAV files: RIFF, "WAVE", a "fmt " chunk. Uncompressed
// PCM of 8 or 16 bits plays on both; the Linux saver's sound library reads
// no other encoding.
#include "authoring/sound_check.h"

namespace {

const char kNeither[] =
    ": neither saver can play it, and the popup shows without it (Windows may sound its default "
    "beep instead)";

uint32_t le32(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8) |
         (static_cast<uint8_t>(b[at + 2]) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24);
}

uint32_t le16(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8);
}

}  // namespace

std::string soundProblem(const std::string& bytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    return std::string("not a WAV sound (it does not begin with a RIFF WAVE header)") + kNeither;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    uint32_t size = le32(bytes, at + 4);
    if (bytes.compare(at, 4, "fmt ") == 0) {
      if (size < 16 || at + 8 + 16 > bytes.size()) break;
      uint32_t format = le16(bytes, at + 8);
      uint32_t bits = le16(bytes, at + 22);
      if (format == 1 && (bits == 8 || bits == 16)) return "";
      if (format != 1)
        return "a WAV sound of encoding " + std::to_string(format) +
               ", not plain PCM (encoding 1): the Linux saver cannot play it and shows the popup "
               "in silence; save it as 16-bit PCM";
      return "a WAV sound of " + std::to_string(bits) +
             "-bit PCM: the Linux saver plays only 8 and 16 bits and shows the popup in silence; "
             "save it as 16-bit PCM";
    }
    // Chunks are padded to an even size.
    at += 8 + static_cast<size_t>(size) + (size & 1);
  }
  return std::string("a WAV file without a readable \"fmt \" part") + kNeither;
}
