#include "win32/shell/globals.h"

HINSTANCE instance = nullptr;
HWND saverWindow = nullptr;
