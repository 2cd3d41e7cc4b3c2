#include <windows.h>

#include "show/show_start.h"

bool initShow() {
  return initShowWithScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}
