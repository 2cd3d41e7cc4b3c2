// zorbel-check [--quiet] FOLDER: the authoring checker on the command line,
// for Linux and as a Windows console program.
#include <cstdio>
#include <cstring>

#include "authoring/folder_check.h"

int main(int argc, char** argv) {
  bool quiet = false;
  const char* folder = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quiet") == 0) {
      quiet = true;
    } else if (folder == nullptr && argv[i][0] != '-') {
      folder = argv[i];
    } else {
      folder = nullptr;
      break;
    }
  }
  if (folder == nullptr) {
    std::fprintf(stderr, "usage: zorbel-check [--quiet] FOLDER\n");
    return 2;
  }
  Findings findings;
  FolderResult result = checkFolder(folder, findings, platformSpeechMeasure());
  if (result == FolderResult::unreadable) {
    std::fprintf(stderr, "zorbel-check: %s: cannot read this folder\n", folder);
    return 2;
  }
  for (const Finding& finding : findings.sorted()) {
    if (quiet && finding.severity != Severity::error) continue;
    std::printf("%s\n", formatFinding(finding).c_str());
  }
  if (!quiet && findings.errors() + findings.warnings() > 0)
    std::printf("%s\n", formatSummary(findings).c_str());
  return result == FolderResult::errors ? 1 : 0;
}
