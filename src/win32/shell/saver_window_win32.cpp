// The full-screen saver: a black topmost window whose timer steps the show
// and whose input ends it, through the password check once the password
// delay has passed.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "base/data_path.h"
#include "base/log_file.h"
#include "core/show/screen_layout.h"
#include "core/show/show.h"
#include "core/show/show_chooser.h"
#include "core/show/show_start.h"
#include "core/show/step_round.h"
#include "win32/gdi/gdi_painter.h"
#include "win32/gdi/screen.h"
#include "win32/shell/globals.h"
#include "win32/shell/modes.h"
#include "win32/shell/saver_messages.h"
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

// A show and the monitor it is drawn on.
struct MonitorShow {
  Show show;
  ScreenPlace place;
};

// The shows of this run, the primary monitor's first: one per monitor, or
// the primary's alone. Made once the window is up.
std::vector<MonitorShow*> shows;

// Two popups never sound at once: only the primary's are heard.
void silence(void*, const char*) {}

void startShow(const ScreenPlace& place) {
  MonitorShow* m = new (std::nothrow) MonitorShow();
  if (m == nullptr) return;
  size_t index = shows.size();
  m->place = place;
  Show& show = m->show;
  show.settings = settings;
  show.painter = gdiPainter(&show);
  if (index > 0) show.painter.playSound = silence;
  placeShow(&show, &m->place);
  int32_t width = place.monitor.width / place.scale;
  int32_t height = place.monitor.height / place.scale;
  if (index == 0) {
    initShow(show, width, height);
  } else {
    initShowFrom(show, shows.front()->show, static_cast<int32_t>(index), width, height);
  }
  show.scale = place.scale;
  shows.push_back(m);
}

void endShow(MonitorShow* m) {
  placeShow(&m->show, nullptr);
  delete m;
}

// The forced step that a key asked of every show, taken a show at a time.
StepRound round;

// The next show owing its part of the forced step takes it; answers how
// many still owe one, and has the rest come from the message loop.
LRESULT stepOwed(HWND window) {
  int32_t count = static_cast<int32_t>(shows.size());
  int32_t index = round.take(count);
  if (index >= 0) {
    Show& show = shows[static_cast<size_t>(index)]->show;
    if (show.catalogLoaded) advanceInRound(show, index, count);
  }
  int32_t owed = round.owed(count);
  if (index >= 0 && owed > 0) PostMessageA(window, kStepOwedMessage, 0, 0);
  return owed;
}

// Next item now on the primary's monitor, and on the others in turn.
void advanceAll(HWND window) {
  round.start();
  stepOwed(window);
}

// The places of the shows on screenLayout's window: one per monitor when
// the setting asks and there are several, else the primary's alone.
std::vector<ScreenPlace> measurePlaces() {
  std::vector<ScreenPlace> places;
  const ScreenLayout& l = screenLayout;
  for (const ShowPlace& p : placeShows(l.width, l.height, measureMonitors(),
                                       settings->everyMonitor != 0, settings->scale))
    places.push_back(monitorPlace(p));
  if (places.empty()) places.push_back(primaryPlace());
  return places;
}

// The shows on the monitors as they are now: each one kept goes on from its
// next item at its monitor's new size and scale; a monitor added gets a show
// whose first item comes at once, and one removed loses its show.
void relayShows() {
  std::vector<ScreenPlace> places = measurePlaces();
  while (shows.size() > places.size()) {
    endShow(shows.back());
    shows.pop_back();
  }
  for (size_t i = 0; i < shows.size(); ++i) {
    MonitorShow& m = *shows[i];
    m.place = places[i];
    m.show.screenWidth = m.place.monitor.width / m.place.scale;
    m.show.screenHeight = m.place.monitor.height / m.place.scale;
    m.show.scale = m.place.scale;
    m.show.lastDrawnRect = DrawnRect();  // gone from the screen: F1 has nothing to save
    // Without a catalogue no next item comes: the reason goes up again.
    if (!m.show.catalogLoaded) advance(m.show, true);
  }
  while (shows.size() < places.size()) {
    size_t before = shows.size();
    startShow(places[before]);
    if (shows.size() == before) break;  // no memory: the monitor stays black
    advance(shows.back()->show, true);
  }
}

// F1 saves the item of the monitor under the pointer; off every show's
// monitor, the primary's.
MonitorShow* showUnderPointer() {
  POINT p{};
  GetCursorPos(&p);
  int64_t x = int64_t{p.x} - screenLayout.left;
  int64_t y = int64_t{p.y} - screenLayout.top;
  for (MonitorShow* m : shows) {
    if (rectHolds(m->place.monitor, x, y)) return m;
  }
  return shows.empty() ? nullptr : shows.front();
}

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

void onKeyDown(HWND window, WPARAM key) {
  SaverSettings& s = *settings;
  if (s.inputSuspended != 0) return;
  MonitorShow* pointed = nullptr;
  switch (key) {
    case VK_RETURN:
    case VK_SPACE:
      advanceAll(window);
      break;
    case VK_F1:
      pointed = showUnderPointer();
      if (pointed != nullptr && !pointed->show.popupShowing && pointed->show.catalogLoaded)
        saveScreenshot(pointed->show);
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
// screen, all black, and the shows are laid out on it again. Where the
// system put the pointer then is no move of the user's.
void onDisplayChange(HWND window) {
  SaverSettings& s = *settings;
  setScreenLayout(measureScreen(s.scale));
  const ScreenLayout& l = screenLayout;
  SetWindowPos(window, nullptr, l.left, l.top, l.width, l.height, SWP_NOZORDER | SWP_NOACTIVATE);
  eraseScreen(showWidth(l), showHeight(l));  // the whole window, once
  relayShows();
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
      for (MonitorShow* m : shows) advance(m->show, false);
      break;
    case WM_KEYDOWN:
      onKeyDown(window, first);
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
    case kStepOwedMessage:
      return stepOwed(window);
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

  // One window over every monitor; a show on each, or on the primary alone.
  setScreenLayout(measureScreen(settings->scale));
  const ScreenLayout& l = screenLayout;
  HWND window =
      CreateWindowExA(WS_EX_TOPMOST, kClassName, kWindowTitle, WS_POPUP | WS_VISIBLE, l.left, l.top,
                      l.width, l.height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return;

  UINT previous = 0;
  SystemParametersInfoA(kScreenSaverRunning, 1, &previous, 0);
  saverWindow = window;
  for (const ScreenPlace& place : measurePlaces()) startShow(place);
  // The first items on every monitor before any input is read.
  int32_t count = static_cast<int32_t>(shows.size());
  for (int32_t i = 0; i < count; ++i) advanceInRound(shows[static_cast<size_t>(i)]->show, i, count);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  SystemParametersInfoA(kScreenSaverRunning, 0, &previous, 0);
  saverWindow = nullptr;
  for (MonitorShow* m : shows) endShow(m);
  shows.clear();
}
