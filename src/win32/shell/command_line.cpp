#include "win32/shell/command_line.h"

#include <cstring>

#include "base/number_text.h"

namespace {

const char* skipSeparators(const char* p) {
  while (*p == ' ' || *p == ':') ++p;
  return p;
}

bool isPreviewToolWord(const char* p) {
  return std::strcmp(p, "scrprev") == 0 || std::strcmp(p, "ScrPrev") == 0 ||
         std::strcmp(p, "SCRPREV") == 0;
}

}  // namespace

ParsedCommandLine parseCommandLine(const char* line) {
  ParsedCommandLine result;
  if (line == nullptr) line = "";
  const char* p = line;

  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') ++p;
  } else {
    while (*p != '\0' && *p != ' ') ++p;
  }
  if (*p != '\0') ++p;
  while (*p == ' ') ++p;

  if (*p == '\0') {
    result.mode = SaverMode::Configure;
    return result;
  }
  if (*p == '-' || *p == '/') ++p;

  switch (*p) {
    case 'A':
    case 'a':
      p = skipSeparators(p + 1);
      result.mode = SaverMode::ChangePassword;
      result.target = TargetKind::Number;
      result.windowNumber = atoiRule(p);
      break;
    case 'C':
    case 'c':
      p = skipSeparators(p + 1);
      result.mode = SaverMode::Configure;
      if (*p == '\0') {
        result.target = TargetKind::Foreground;
      } else {
        result.target = TargetKind::Number;
        result.windowNumber = atoiRule(p);
      }
      break;
    case 'P':
    case 'p':
    case 'L':
    case 'l':
      p = skipSeparators(p + 1);
      result.mode = SaverMode::Preview;
      if (isPreviewToolWord(p)) {
        result.target = TargetKind::PreviewTool;
      } else {
        result.target = TargetKind::Number;
        result.windowNumber = atoiRule(p);
      }
      break;
    case 'S':
    case 's':
      result.mode = SaverMode::FullScreen;
      break;
    default:
      break;
  }
  if (result.target == TargetKind::Number && result.windowNumber == 0) {
    result.target = TargetKind::Null;
  }
  return result;
}
