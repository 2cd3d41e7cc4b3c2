// Tells how the full-screen saver's window stands, as another program sees
// it. A closing saver hides its window at once, while Wine without a window
// manager may keep the hidden window and the process for seconds more.
//
//   saver_state    exit 0: shown; 3: hidden (on its way out); 2: no window
#include <windows.h>

int main() {
  HWND window = FindWindowA("ScrClass", "SaverWindow");
  if (window == nullptr) return 2;
  return IsWindowVisible(window) ? 0 : 3;
}
