// Tells how the full-screen saver's window stands, as another program sees
// it. A closing saver hides its window at once, while Wine without a window
// manager may keep the hidden window and the process for seconds more.
//
//   saver_state         exit 0: shown; 3: hidden (on its way out); 2: no window
//   saver_state cursor  the cursor of the foreground window's thread, as
//                       GetCursorInfo gives it: prints "hidden" (exit 0) or
//                       "cursor HANDLE" (exit 4); 2: no saver window
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  HWND window = FindWindowA("ScrClass", "SaverWindow");
  if (window == nullptr) return 2;
  if (argc > 1 && std::strcmp(argv[1], "cursor") == 0) {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info)) return 1;
    if (info.hCursor == nullptr || (info.flags & CURSOR_SHOWING) == 0) {
      std::printf("hidden\n");
      return 0;
    }
    std::printf("cursor %p\n", static_cast<void*>(info.hCursor));
    return 4;
  }
  return IsWindowVisible(window) ? 0 : 3;
}
