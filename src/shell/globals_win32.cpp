#include "shell/globals.h"

HINSTANCE instance = nullptr;
HWND saverWindow = nullptr;
