#include "shell/modes.h"

int runPreview(HWND) { return 0; }

HWND findPreviewTool() { return nullptr; }
