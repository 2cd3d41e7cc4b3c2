// The full-screen saver: a black topmost window whose timer steps the show
// and whose input ends it, through the password check once the password
// delay has passed.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "base/data_path.h"
#include "base/log_file.h"
#include "core/show/show.h"
#include "core/show/show_chooser.h"
#include "core/show/show_start.h"
#include "win32/gdi/gdi_painter.h"
#include "win32/gdi/screen.h"
#include "win32/shell/globals.h"
#include "win32/shell/modes.h"
#include "win32/shell/screenshot.h"
#include "win32/shell/settings_store.h"
#include "win32/shell/user_folders.h"

namespace {

const char kClassName[] = "ScrClass";
const char kWindowTitle[] = "SaverWindow";
constexpr UINT kTickMs = 100;
// SPI_SETSCREENSAVERRUNNING: keeps the system key combinations away while
// the saver runs, where the platform honours it.
constexpr UINT kScreenSaverRunning = 97;

// The show of this run, made by runSaver before its window.
Show* show = nullptr;

void onCreate(HWND window) {
  SaverSettings& s = *settings;
  s.window = window;
  POINT cursor{};
  GetCursorPos(&cursor);
  s.startCursor.x = cursor.x;
  s.startCursor.y = cursor.y;
  s.startTick = GetTickCount();
  s.timerId = s.timeDelay != 0 ? SetTimer(window, 0, kTickMs, nullptr) : 0;
}

void onDestroy(HWND window) {
  SaverSettings& s = *settings;
  if (s.timerId != 0) KillTimer(window, s.timerId);
  s.timerId = 0;
  PostQuitMessage(0);
}

// A close the saver did not ask for itself, or one during the password
// prompt, is ignored.
void onClose(HWND window) {
  SaverSettings& s = *settings;
  if (s.inputSuspended != 0 || s.closeRequested == 0) return;
  uint32_t elapsed = GetTickCount() - s.startTick;  // wraps harmlessly
  // In 64 bits: any stored delay means at least that many seconds.
  if (elapsed <= uint64_t{s.passwordDelay} * 1000u) {
    DestroyWindow(window);
    return;
  }
  suspendInput(s);
  BOOL mayClose = verifyPassword(window);
  resumeInput(s);
  if (mayClose != 0) DestroyWindow(window);
}

void onKeyDown(WPARAM key) {
  SaverSettings& s = *settings;
  if (s.inputSuspended != 0 || show == nullptr) return;
  switch (key) {
    case VK_RETURN:
    case VK_SPACE:
      if (show->catalogLoaded) advance(*show, true);
      break;
    case VK_F1:
      if (!show->popupShowing && show->catalogLoaded) saveScreenshot(*show);
      break;
    default:
      requestClose(s);
      break;
  }
}

// Measured from the start position, not from the last message, so slow
// drifting adds up.
void onMouseMove() {
  SaverSettings& s = *settings;
  POINT cursor{};
  GetCursorPos(&cursor);
  int64_t dx = int64_t{cursor.x} - s.startCursor.x;
  int64_t dy = int64_t{cursor.y} - s.startCursor.y;
  if (dx < 0) dx = -dx;
  if (dy < 0) dy = -dy;
  if (dx > s.mouseThreshold || dy > s.mouseThreshold) requestClose(s);
}

// Monitors came, went or changed size: the window covers the new virtual
// screen, all black, and the show goes on from its next item on the primary
// monitor at the new layout's scale. Where the system put the pointer then
// is no move of the user's.
void onDisplayChange(HWND window) {
  SaverSettings& s = *settings;
  setScreenLayout(measureScreen(s.scale));
  const ScreenLayout& l = screenLayout;
  SetWindowPos(window, nullptr, l.left, l.top, l.width, l.height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (show != nullptr) {
    show->screenWidth = showWidth(l);
    show->screenHeight = showHeight(l);
    show->scale = l.scale;
    show->lastDrawnRect = DrawnRect();  // gone from the screen: F1 has nothing to save
  }
  eraseScreen(showWidth(l), showHeight(l));
  // Without a catalogue no next item comes: the reason goes up again.
  if (show != nullptr && !show->catalogLoaded) advance(*show, true);
  POINT cursor{};
  GetCursorPos(&cursor);
  s.startCursor.x = cursor.x;
  s.startCursor.y = cursor.y;
}

LRESULT CALLBACK saverWindowProc(HWND window, UINT message, WPARAM first, LPARAM second) {
  SaverSettings& s = *settings;
  switch (message) {
    case WM_CREATE:
      onCreate(window);
      break;
    case WM_DESTROY:
      onDestroy(window);
      break;
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
      if (s.inputSuspended == 0 && LOWORD(first) == 0) requestClose(s);
      break;
    case WM_SETCURSOR:
      if (s.inputSuspended == 0) {
        // Handled: the default handling would put the arrow back.
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      onClose(window);
      return 0;
    case WM_TIMER:
      if (show != nullptr) advance(*show, false);
      break;
    case WM_KEYDOWN:
      onKeyDown(first);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (s.inputSuspended == 0) requestClose(s);
      break;
    case WM_MOUSEMOVE:
      if (s.inputSuspended == 0) onMouseMove();
      break;
    case WM_DISPLAYCHANGE:
      onDisplayChange(window);
      break;
    case WM_SYSCOMMAND:
      if (first == SC_SCREENSAVE || first == SC_CLOSE) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, first, second);
}

// Opens error.log in the folder; whether it could be made.
bool openLog(const char* folder) {
  char logPath[kDataPathSize];
  dataPath(logPath, folder, "error.log");
  logFile().open(logPath);
  return logFile().isOpen();
}

}  // namespace

void runSaver() {
  if (settings == nullptr) return;
  Show* run = new (std::nothrow) Show();
  if (run == nullptr) return;
  run->settings = settings;
  run->painter = gdiPainter(run);
  show = run;
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = saverWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);

  // A data folder that refuses writes (a standard user's, under Program
  // Files) keeps the log in the user's own application data instead.
  if (!openLog(settings->directory)) {
    char folder[userfolders::kFolderSize];
    if (userfolders::logFolder(folder)) openLog(folder);
  }

  // One window over every monitor; the show stays on the primary one.
  setScreenLayout(measureScreen(settings->scale));
  const ScreenLayout& l = screenLayout;
  HWND window =
      CreateWindowExA(WS_EX_TOPMOST, kClassName, kWindowTitle, WS_POPUP | WS_VISIBLE, l.left, l.top,
                      l.width, l.height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    show = nullptr;
    delete run;
    return;
  }

  UINT previous = 0;
  SystemParametersInfoA(kScreenSaverRunning, 1, &previous, 0);
  saverWindow = window;
  initShow(*run, showWidth(screenLayout), showHeight(screenLayout));
  run->scale = screenLayout.scale;
  advance(*run, true);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  SystemParametersInfoA(kScreenSaverRunning, 0, &previous, 0);
  saverWindow = nullptr;
  show = nullptr;
  delete run;
}
