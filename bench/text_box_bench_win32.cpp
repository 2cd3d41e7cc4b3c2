// Time of one image-mode speech box (two lines and a tail) on a strip-sized
// surface, through the real GDI under Wine or Windows. Prints the median and
// the mean over many rounds.
//
//   text_box_bench_win32 [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/log_file.h"
#include "core/show/settings.h"
#include "core/show/show.h"
#include "core/show/show_text.h"
#include "win32/gdi/gdi_painter.h"
#include "win32/gdi/screen.h"

namespace {

LRESULT CALLBACK plainWindow(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(w, m, wp, lp);
}

double millisecondsBetween(const LARGE_INTEGER& a, const LARGE_INTEGER& b,
                           const LARGE_INTEGER& frequency) {
  return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

  WNDCLASSA wc = {};
  wc.lpfnWndProc = plainWindow;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TextBoxBench";
  RegisterClassA(&wc);
  saverWindow = CreateWindowExA(0, "TextBoxBench", "SaverWindow", WS_POPUP | WS_VISIBLE, 0, 0, 640,
                                480, nullptr, nullptr, wc.hInstance, nullptr);
  if (saverWindow == nullptr) {
    std::fprintf(stderr, "no window\n");
    return 1;
  }
  static SaverSettings record;
  GetTempPathA(sizeof record.directory, record.directory);
  static Show show;
  show.settings = &record;
  show.painter = gdiPainter(&show);
  show.screenWidth = 640;
  show.screenHeight = 480;

  Picture surface;
  Image& strip = surface.image;
  strip.create(700, 339);
  if (strip.failed) {
    std::fprintf(stderr, "no surface\n");
    return 1;
  }
  std::memset(strip.pixels, 0xFF, static_cast<size_t>(strip.stride) * strip.height);
  const char* text = "I told you the cat\\would eat the printer!";

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  times.reserve(rounds);
  bool drawn = true;
  for (int i = 0; i < rounds + 5; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    drawn = drawTextBox(show, &surface, 120, 30, text, 90, 300, 12, 10, 230, false) && drawn;
    QueryPerformanceCounter(&end);
    if (i >= 5) times.push_back(millisecondsBetween(start, end, frequency));  // 5 warm-up rounds
  }
  strip.release();
  DestroyWindow(saverWindow);
  if (!drawn) {
    std::fprintf(stderr, "the speech box was refused\n");
    return 1;
  }
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times) sum += t;
  std::printf(
      "drawTextBox image mode, two lines and a tail: median %.3f ms, mean %.3f ms, "
      "max %.3f ms over %d rounds\n",
      times[times.size() / 2], sum / static_cast<double>(times.size()), times.back(), rounds);
  return 0;
}
