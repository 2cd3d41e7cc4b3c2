// The command-line parse on any line the platform could hand over.
#include <cstring>
#include <memory>

#include "fuzz_support.h"
#include "win32/shell/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exactly sized and NUL-terminated like GetCommandLineA's text, so that a
  // read past the NUL lands outside the allocation.
  std::unique_ptr<char[]> line(new char[size + 1]);
  std::memcpy(line.get(), data, size);
  line[size] = '\0';

  ParsedCommandLine parsed = parseCommandLine(line.get());
  int mode = static_cast<int>(parsed.mode);
  fuzz::require(mode >= 0 && mode <= 4, "mode out of range");
  switch (parsed.mode) {
    case SaverMode::None:
    case SaverMode::FullScreen:
      fuzz::require(parsed.target == TargetKind::Null, "full screen and none take no window");
      break;
    case SaverMode::ChangePassword:
      fuzz::require(parsed.target == TargetKind::Null || parsed.target == TargetKind::Number,
                    "password owner is a number or none");
      break;
    case SaverMode::Configure:
      fuzz::require(parsed.target != TargetKind::PreviewTool, "dialog has no preview tool");
      break;
    case SaverMode::Preview:
      fuzz::require(parsed.target != TargetKind::Foreground, "preview has no foreground owner");
      break;
  }
  if (parsed.target == TargetKind::Number) {
    fuzz::require(parsed.windowNumber != 0, "window 0 is the null target");
  } else {
    fuzz::require(parsed.windowNumber == 0, "window number without a numbered target");
  }
  return 0;
}
