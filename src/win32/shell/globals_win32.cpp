#include "win32/shell/globals.h"

HINSTANCE instance = nullptr;
SaverSettings* settings = nullptr;
