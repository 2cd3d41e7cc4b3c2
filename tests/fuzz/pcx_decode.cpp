// The PCX decoder on any file: header, sizes and decoding into exactly
// sized buffers, so that AddressSanitizer sees any step outside them.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/picture/pcx_decode.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < pcx::kHeaderSize) return 0;
  // The window is fuzzed whatever the format bytes say.
  pcx::formatAccepted(data);
  pcx::Layout layout;
  pcx::LayoutResult result = pcx::layoutOf(data, &layout);
  if (result != pcx::LayoutResult::ok) {
    fuzz::require(result == pcx::LayoutResult::empty || layout.width > 0, "refusal explained");
    return 0;
  }
  fuzz::require(layout.width >= 1 && layout.height >= 1, "positive size");
  fuzz::require(layout.stride % 4 == 0 && layout.stride >= 3 * layout.width, "stride");
  fuzz::require(layout.planeLength >= layout.width, "plane holds the row");
  // Big pictures are legal but would only slow the fuzzer down.
  if (layout.pictureBytes > (8u << 20)) return 0;
  // Exactly sized heap copies: the input's own buffer may have slack.
  std::vector<uint8_t> body(data + pcx::kHeaderSize, data + size);
  uint8_t* picture = static_cast<uint8_t*>(std::malloc(layout.pictureBytes));
  uint8_t* line = static_cast<uint8_t*>(std::malloc(layout.lineBytes));
  pcx::decode(body.data(), body.size(), layout, line, picture);
  std::free(line);
  std::free(picture);
  return 0;
}
