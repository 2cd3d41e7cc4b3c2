// The authoring checker over a scratch data folder. Input: a two-byte
// length and that many bytes of a template t.txt, a two-byte length and
// that many bytes of a picture p.pcx, then comics.ini itself.
#include <cstring>

#include "authoring/folder_check.h"
#include "core/show/settings.h"
#include "fuzz_support.h"

namespace {

const uint8_t* takePart(const uint8_t*& data, size_t& size, size_t* length) {
  size_t n = fuzz::takeU8(data, size);
  n |= static_cast<size_t>(fuzz::takeU8(data, size)) << 8;
  if (n > size) n = size;
  const uint8_t* part = data;
  data += n;
  size -= n;
  *length = n;
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t length = 0;
  const uint8_t* part = takePart(data, size, &length);
  fuzz::writeScratchFile("t.txt", part, length);
  part = takePart(data, size, &length);
  fuzz::writeScratchFile("p.pcx", part, length);
  fuzz::writeScratchFile("comics.ini", data, size);

  Findings findings;
  FolderResult result = checkFolder(fuzz::scratchFolder().c_str(), findings);
  fuzz::require(result != FolderResult::unreadable, "the scratch folder is readable");
  fuzz::require((result == FolderResult::errors) == (findings.errors() > 0),
                "errors decide the result");
  for (const Finding& f : findings.sorted()) {
    fuzz::require(!f.file.empty() && f.line >= 0, "a finding has a place");
    fuzz::require(!formatFinding(f).empty(), "a finding formats");
  }
  return 0;
}
