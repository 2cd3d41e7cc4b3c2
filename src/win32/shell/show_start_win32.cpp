#include <windows.h>

#include "win32/gdi/screen.h"
#include "core/show/show_start.h"

bool initShow() {
  // The saver window has measured the monitors; without it, the screen.
  if (screenLayout.primaryWidth > 0 && screenLayout.primaryHeight > 0) {
    return initShowWithScreen(showWidth(screenLayout), showHeight(screenLayout));
  }
  return initShowWithScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}
