// The preview: one fixed picture stretched into a child of the display
// settings' window, redrawn on a 100 ms timer until the parent lets go.
#include <windows.h>

#include "../../../resources/resource.h"
#include "core/show/settings.h"
#include "win32/shell/globals.h"
#include "win32/shell/modes.h"

namespace {

HBITMAP previewBitmap = nullptr;
HDC previewDC = nullptr;
// The picture's size as copied; fixed, not read from the bitmap.
constexpr int kSourceWidth = 278;
constexpr int kSourceHeight = 180;
// How long the preview tool may take to start.
constexpr DWORD kToolWaitMs = 2000;

LRESULT CALLBACK previewWindowProc(HWND window, UINT message, WPARAM first, LPARAM second) {
  switch (message) {
    case WM_CREATE:
      // The record may not know the window yet; the timer lives on it.
      settings->timerId = SetTimer(window, 0, 100, nullptr);
      break;
    case WM_DESTROY:
      if (settings->timerId != 0) KillTimer(window, settings->timerId);
      settings->timerId = 0;
      PostQuitMessage(0);
      break;
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      break;
    case WM_TIMER: {
      HDC dc = GetDC(window);
      if (dc != nullptr) {
        RECT client = {};
        GetClientRect(window, &client);
        if (previewDC != nullptr) {
          StretchBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, previewDC, 0,
                     0, kSourceWidth, kSourceHeight, SRCCOPY);
        }
        ReleaseDC(window, dc);
      }
      break;
    }
  }
  return DefWindowProcA(window, message, first, second);
}

}  // namespace

int runPreview(HWND parent) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = previewWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = "ScrClass";
  RegisterClassA(&windowClass);

  RECT parentRect = {};
  // A parent that is no window gives no size and then no child.
  if (parent == nullptr || !GetWindowRect(parent, &parentRect)) return 0;
  HWND window =
      CreateWindowExA(0, "ScrClass", "SaverPreview", WS_CHILD | WS_VISIBLE, 0, 0,
                      parentRect.right - parentRect.left, parentRect.bottom - parentRect.top,
                      parent, nullptr, instance, nullptr);
  if (window == nullptr) return 0;
  settings->window = window;

  HDC windowDC = GetDC(window);
  previewBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_PREVIEW));
  previewDC = CreateCompatibleDC(windowDC);
  // Only needed to make the memory context compatible.
  if (windowDC != nullptr) ReleaseDC(window, windowDC);
  HGDIOBJ oldBitmap = nullptr;
  if (previewDC != nullptr && previewBitmap != nullptr) {
    oldBitmap = SelectObject(previewDC, previewBitmap);
  }

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }

  if (previewDC != nullptr) {
    if (oldBitmap != nullptr) SelectObject(previewDC, oldBitmap);
    DeleteDC(previewDC);
    previewDC = nullptr;
  }
  if (previewBitmap != nullptr) {
    DeleteObject(previewBitmap);
    previewBitmap = nullptr;
  }
  settings->window = nullptr;
  return 0;
}

HWND findPreviewTool() {
  HWND tool = FindWindowA("Scrprev", nullptr);
  if (tool == nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char commandLine[] = "Scrprev";
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr,
                        &startup, &process)) {
      return nullptr;
    }
    const DWORD started = GetTickCount();
    DWORD waited = WaitForInputIdle(process.hProcess, kToolWaitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (waited != 0) return nullptr;
    // A process may count as idle before its main window exists (some
    // platforms report it at once); look again until the 2 s are spent.
    for (;;) {
      tool = FindWindowA("Scrprev", nullptr);
      if (tool != nullptr || GetTickCount() - started >= kToolWaitMs) break;
      Sleep(50);
    }
    if (tool == nullptr) return nullptr;
  }
  SetForegroundWindow(tool);
  return GetWindow(tool, GW_CHILD);
}
