// The screen-saver command line: which mode to run and for which window.
#pragma once

#include <cstdint>

#include "base/number_text.h"

enum class SaverMode : int32_t {
  None = 0,
  Configure = 1,
  ChangePassword = 2,
  Preview = 3,
  FullScreen = 4,
};

// How the mode's target window is found once the line is parsed.
enum class TargetKind {
  Null,         // no window
  Foreground,   // the window in the foreground at start (/c alone)
  Number,       // the handle given by its number
  PreviewTool,  // the preview tool's window (/p scrprev)
};

struct ParsedCommandLine {
  SaverMode mode = SaverMode::None;
  TargetKind target = TargetKind::Null;
  int32_t windowNumber = 0;  // for TargetKind::Number; 0 is the null handle
};

// Parses the whole line, program path included. Never reads past its NUL.
ParsedCommandLine parseCommandLine(const char* line);
