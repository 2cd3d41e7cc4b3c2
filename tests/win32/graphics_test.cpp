// Image surfaces, PCX and BMP loading, text boxes, the error display and the
// screenshot writer against Wine's GDI, with a real window as the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/log_file.h"
#include "core/picture/bmp_header.h"
#include "core/show/error_display.h"
#include "core/show/settings.h"
#include "core/show/show.h"
#include "core/show/show_text.h"
#include "support/test_files.h"
#include "win32/gdi/gdi_painter.h"
#include "win32/gdi/image.h"
#include "win32/gdi/screen.h"
#include "win32/shell/screenshot.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char* const kLogHeader = "-----------Quenwick Log File----------\r\n";

// A run-length PCX: every byte of 192 and more goes out as a run of one.
Bytes makePcx(int width, int height, const std::vector<uint32_t>& rgb, int version = 5) {
  Bytes f(128, 0);
  f[0] = 10;
  f[1] = static_cast<uint8_t>(version);
  f[2] = 1;
  f[3] = 8;
  f[8] = static_cast<uint8_t>((width - 1) & 0xFF);
  f[9] = static_cast<uint8_t>((width - 1) >> 8);
  f[10] = static_cast<uint8_t>((height - 1) & 0xFF);
  f[11] = static_cast<uint8_t>((height - 1) >> 8);
  f[65] = 3;
  int plane = width + (width & 1);
  f[66] = static_cast<uint8_t>(plane & 0xFF);
  f[67] = static_cast<uint8_t>(plane >> 8);
  for (int y = 0; y < height; ++y)
    for (int shift : {16, 8, 0})
      for (int x = 0; x < plane; ++x) {
        uint8_t v = x < width ? static_cast<uint8_t>(rgb[y * width + x] >> shift) : 0;
        if (v >= 0xC0) f.push_back(0xC1);
        f.push_back(v);
      }
  return f;
}

std::vector<uint32_t> gradient(int width, int height) {
  std::vector<uint32_t> rgb;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      rgb.push_back(
          static_cast<uint32_t>(((x * 7) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | ((x + y) & 0xFF)));
  return rgb;
}

// 0xRRGGBB of a pixel of an Image made by create or the PCX decoder.
uint32_t pixelOf(const Image& image, int x, int y) {
  const uint8_t* p = image.pixels + (image.height - 1 - y) * image.stride + 3 * x;
  return static_cast<uint32_t>(p[2] << 16 | p[1] << 8 | p[0]);
}

void fill(Image& image, uint32_t rgb) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      uint8_t* p = image.pixels + (image.height - 1 - y) * image.stride + 3 * x;
      p[0] = static_cast<uint8_t>(rgb);
      p[1] = static_cast<uint8_t>(rgb >> 8);
      p[2] = static_cast<uint8_t>(rgb >> 16);
    }
}

LRESULT CALLBACK plainWindow(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(w, m, wp, lp);
}

class Graphics : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = plainWindow;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GraphicsTestWindow";
    RegisterClassA(&wc);
    saverWindow =
        CreateWindowExA(WS_EX_TOPMOST, "GraphicsTestWindow", "SaverWindow", WS_POPUP | WS_VISIBLE,
                        0, 0, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  static void TearDownTestSuite() {
    DestroyWindow(saverWindow);
    saverWindow = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(saverWindow, nullptr);
    show_.screenWidth = 640;
    show_.screenHeight = 480;
    std::strcpy(record_.directory, dir_.path().c_str());
    show_.settings = &record_;
    show_.painter = gdiPainter(&show_);
    logFile().open(dir_.file("error.log").c_str());
  }
  void TearDown() override {
    setScreenLayout(ScreenLayout());
    logFile().close();
  }
  const char* folder() const { return dir_.path().c_str(); }
  // The show's drawing, with Images as the targets.
  bool drawTextBox(Image* target, int32_t anchorX, int32_t top, const char* text, int32_t tailX,
                   int32_t tailY, int32_t size, int32_t leftBound, int32_t rightBound,
                   bool screenMode) {
    Picture picture;
    if (target != nullptr) picture.image = *target;
    return ::drawTextBox(show_, target != nullptr ? &picture : nullptr, anchorX, top, text, tailX,
                         tailY, size, leftBound, rightBound, screenMode);
  }
  void showError(const char* message, bool clearFirst) { ::showError(show_, message, clearFirst); }
  void eraseScreen() { ::eraseScreen(show_.screenWidth, show_.screenHeight); }
  void saveScreenshot() { ::saveScreenshot(show_); }
  // What was logged after the header.
  std::string logged() const {
    std::string all = readFileBytes(dir_.file("error.log"));
    return all.substr(std::strlen(kLogHeader));
  }
  // The window's content as an Image (a real read-back through GDI).
  Image capture() {
    Image shot;
    shot.create(screenWidth, screenHeight);
    HDC screen = GetDC(saverWindow);
    BitBlt(shot.dc, 0, 0, screenWidth, screenHeight, screen, 0, 0, SRCCOPY);
    ReleaseDC(saverWindow, screen);
    GdiFlush();
    return shot;
  }
  void paintScreen(uint32_t rgb) {
    Image paint;
    paint.create(screenWidth, screenHeight);
    fill(paint, rgb);
    paint.draw(0, 0);
    paint.release();
  }

  TempDir dir_;
  SaverSettings record_;
  Show show_;
  int32_t& screenWidth = show_.screenWidth;
  int32_t& screenHeight = show_.screenHeight;
  DrawnRect& lastDrawnRect = show_.lastDrawnRect;
};

// Rows (top, bottom inclusive) that hold a pixel other than the background
// within the column range; -1, -1 when none.
std::pair<int, int> inkRows(const Image& image, uint32_t background, int x0, int x1, int y0,
                            int y1) {
  int top = -1, bottom = -1;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (pixelOf(image, x, y) != background) {
        if (top < 0) top = y;
        bottom = y;
      }
  return {top, bottom};
}

}  // namespace

TEST_F(Graphics, PcxLoadsTopRowFirstWithStrideAndAnyCaseEnding) {
  std::vector<uint32_t> rgb = gradient(3, 2);
  rgb[0] = 0xC8FF10;  // bytes of 192 and more go through run markers
  dir_.write("pic.pcx", makePcx(3, 2, rgb));
  for (const char* name : {"pic.pcx", "pic.PCX", "pic.PcX"}) {
    Image image(folder(), name);
    ASSERT_FALSE(image.failed) << name;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.stride, 12);
    ASSERT_NE(image.pixels, nullptr);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelOf(image, x, y), rgb[y * 3 + x]);
    // The top row is the last in memory.
    EXPECT_EQ(image.pixels[12 + 2], 0xC8);
    image.release();
  }
  // The ending is lower-cased in the path that is opened and logged.
  Image missing(folder(), "gone.PcX");
  EXPECT_TRUE(missing.failed);
  EXPECT_EQ(logged(), dir_.file("gone.pcx") + ": Unable to open file\r\n");
}

TEST_F(Graphics, BadPcxFilesFailWithTheirLogLines) {
  std::string p = dir_.path() + "\\";
  dir_.write("short.pcx", std::string(10, 'x'));
  dir_.write("v3.pcx", makePcx(2, 2, gradient(2, 2), 3));
  Bytes onePlane = makePcx(2, 2, gradient(2, 2));
  onePlane[65] = 1;
  dir_.write("one.pcx", onePlane);
  Bytes backwards = makePcx(2, 2, gradient(2, 2));
  backwards[4] = 9;  // Xmin 9 > Xmax 1
  dir_.write("empty.pcx", backwards);
  Bytes huge = makePcx(2, 2, gradient(2, 2));
  huge[4] = 0x00, huge[5] = 0x80, huge[8] = 0xFF, huge[9] = 0x7F;  // -32768 .. 32767
  huge[6] = 0x00, huge[7] = 0x80, huge[10] = 0xFF, huge[11] = 0x7F;
  dir_.write("huge.pcx", huge);
  for (const char* name : {"short.pcx", "v3.pcx", "one.pcx", "empty.pcx", "huge.pcx"}) {
    Image image(folder(), name);
    EXPECT_TRUE(image.failed) << name;
    EXPECT_EQ(image.dc, nullptr);
    EXPECT_EQ(image.bitmap, nullptr);
    image.draw(0, 0);
    image.release();
  }
  EXPECT_EQ(logged(), p + "short.pcx: Unable to allocate filebuffer of size -118\r\n" + p +
                          "v3.pcx: Invalid file format!\r\n" + p +
                          "one.pcx: Invalid file format!\r\n" + p +
                          "empty.pcx: Invalid file format!\r\n" + p +
                          "huge.pcx: Unable to allocate buffer\r\n");
}

TEST_F(Graphics, CutOffPcxAndRunsPastTheRowLoadWithBlackRest) {
  Bytes whole = makePcx(4, 3, std::vector<uint32_t>(12, 0x102030));
  Bytes cut(whole.begin(), whole.begin() + 128 + 12 + 5);  // one row and a bit
  dir_.write("cut.pcx", cut);
  Image image(folder(), "cut.pcx");
  ASSERT_FALSE(image.failed);
  EXPECT_EQ(pixelOf(image, 3, 0), 0x102030u);
  // The second row got its red plane and one green byte; the rest is black.
  EXPECT_EQ(pixelOf(image, 0, 1), 0x102000u);
  EXPECT_EQ(pixelOf(image, 1, 1), 0x100000u);
  EXPECT_EQ(pixelOf(image, 3, 2), 0u);
  image.release();

  Bytes runs = makePcx(2, 2, std::vector<uint32_t>(4, 0));
  runs.resize(128);
  for (uint8_t b : {0xFF, 0x40, 0xFF, 0x41, 0xC1}) runs.push_back(b);  // ends on a bare marker
  dir_.write("runs.pcx", runs);
  Image overrun(folder(), "runs.pcx");
  ASSERT_FALSE(overrun.failed);
  EXPECT_EQ(pixelOf(overrun, 1, 0), 0x404040u);
  EXPECT_EQ(pixelOf(overrun, 1, 1), 0x414141u);
  overrun.release();
  EXPECT_EQ(logged(), "");
}

TEST_F(Graphics, BmpByItsEndingAndUnknownEndings) {
  int w = 3, h = 2;
  Bytes rows(bmp::imageSize(w, h), 0);
  // Bottom-up: the first row in the file is the picture's bottom row.
  rows[0] = 0x11, rows[1] = 0x22, rows[2] = 0x33;                 // (0, 1)
  rows[12 + 6] = 0x44, rows[12 + 7] = 0x55, rows[12 + 8] = 0x66;  // (2, 0)
  for (const char* file : {"pic.bmp", "picbmp"}) {
    HANDLE out =
        CreateFileA(dir_.file(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    bmp::writeFile(reinterpret_cast<zfile::Handle>(out), w, h, rows.data());
    CloseHandle(out);
  }
  for (const char* name : {"pic.BMP", "picbmp"}) {
    Image image(folder(), name);
    ASSERT_FALSE(image.failed) << name;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, nullptr);
    Image target;
    target.create(5, 4);
    image.draw(1, 1, target.dc);
    GdiFlush();
    EXPECT_EQ(pixelOf(target, 1, 2), 0x332211u);
    EXPECT_EQ(pixelOf(target, 3, 1), 0x665544u);
    EXPECT_EQ(pixelOf(target, 0, 0), 0u);
    target.release();
    image.release();
  }
  Image gif(folder(), "comic.GIF");
  EXPECT_TRUE(gif.failed);
  Image bad(folder(), "nothere.bmp");
  EXPECT_TRUE(bad.failed);
  std::string longName(600, 'a');
  longName += ".pcx";
  Image tooLong(folder(), longName.c_str());
  EXPECT_TRUE(tooLong.failed);
  EXPECT_EQ(logged(),
            "comic.GIF: Unable to determine format...files need .pcx or .bmp "
            "extension!\r\n" +
                dir_.file("nothere.bmp") + ": Unable to load image\r\n" + longName +
                ": Path too long\r\n");
}

TEST_F(Graphics, CreateStridesMirroringAndRelease) {
  const std::pair<int, int> strides[] = {{1, 4}, {4, 12}, {5, 16}};
  for (auto [w, stride] : strides) {
    Image image;
    image.create(w, 3);
    ASSERT_FALSE(image.failed);
    EXPECT_EQ(image.stride, stride);
    EXPECT_EQ(pixelOf(image, w - 1, 2), 0u);  // a new surface is black
    image.release();
  }
  Image pair;
  pair.create(2, 1);
  pair.pixels[0] = 0xAA;  // A: blue
  pair.pixels[5] = 0xBB;  // B: red
  Image target;
  target.create(4, 1);
  pair.drawMirrored(1, 0, target.dc);
  pair.draw(-1, 0, target.dc);  // B alone at column 0
  GdiFlush();
  EXPECT_EQ(pixelOf(target, 0, 0), 0xBB0000u);
  EXPECT_EQ(pixelOf(target, 1, 0), 0xBB0000u);
  EXPECT_EQ(pixelOf(target, 2, 0), 0x0000AAu);
  EXPECT_EQ(pixelOf(target, 3, 0), 0u);
  pair.release();
  pair.release();  // twice is harmless
  target.release();
  Image empty;
  empty.release();
  empty.draw(0, 0);
  Image none;
  none.create(0, 5);
  EXPECT_TRUE(none.failed);
  EXPECT_EQ(none.dc, nullptr);
  EXPECT_EQ(logged(), "Create: Unable to create a DIB section\r\n");
}

TEST_F(Graphics, EraseScreenBlacksOutExactlyTheScreenSize) {
  paintScreen(0x808080);
  screenWidth = 600;
  screenHeight = 400;
  eraseScreen();
  screenWidth = 640;
  screenHeight = 480;
  Image shot = capture();
  EXPECT_EQ(pixelOf(shot, 0, 0), 0u);
  EXPECT_EQ(pixelOf(shot, 599, 399), 0u);
  EXPECT_EQ(pixelOf(shot, 600, 0), 0x808080u);
  EXPECT_EQ(pixelOf(shot, 0, 400), 0x808080u);
  shot.release();
}

TEST_F(Graphics, ImageModeLinesAreHalfSizeSixteenApartWithTail) {
  Image strip;
  strip.create(300, 120);
  fill(strip, 0xFFFFFF);
  EXPECT_TRUE(drawTextBox(&strip, 150, 20, "HAH\\OK", 150, 110, 10, 0, 297, false));
  // Line 1 (y 20) sits from row 19 within 14 rows; line 2 from row 35.
  auto first = inkRows(strip, 0xFFFFFF, 0, 299, 0, 34);
  auto second = inkRows(strip, 0xFFFFFF, 0, 299, 35, 54);
  ASSERT_NE(first.first, -1);
  ASSERT_NE(second.first, -1);
  EXPECT_GE(first.first, 19);
  EXPECT_LE(first.second, 19 + 13);
  EXPECT_GE(second.first, 35);
  EXPECT_LE(second.second, 35 + 13);
  // Smoothed: some grey edges, and black where the text is thick.
  bool grey = false;
  for (int y = 19; y < 33; ++y)
    for (int x = 100; x < 200; ++x) {
      uint32_t v = pixelOf(strip, x, y);
      grey = grey || (v != 0xFFFFFF && v != 0);
    }
  EXPECT_TRUE(grey);
  // The tail: two columns from row 108 (speaker end 109) up to 36 + 19.
  EXPECT_EQ(pixelOf(strip, 150, 108), 0u);
  EXPECT_EQ(pixelOf(strip, 151, 80), 0u);
  EXPECT_EQ(pixelOf(strip, 150, 55), 0u);
  EXPECT_EQ(pixelOf(strip, 150, 109), 0xFFFFFFu);
  EXPECT_EQ(pixelOf(strip, 152, 80), 0xFFFFFFu);
  EXPECT_EQ(logged(), "");
  strip.release();
}

TEST_F(Graphics, ImageModeClampsToTheBounds) {
  Image strip;
  strip.create(300, 100);
  fill(strip, 0xFFFFFF);
  // Anchor far right: the line ends before rightBound 200.
  EXPECT_TRUE(drawTextBox(&strip, 290, 10, "WWWW", -1, 0, 10, 20, 200, false));
  // Anchor far left: the line starts at leftBound 20.
  EXPECT_TRUE(drawTextBox(&strip, 0, 35, "WWWW", 0, 400, 10, 20, 200, false));
  int right = -1, left = 300;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 300; ++x)
      if (pixelOf(strip, x, y) != 0xFFFFFF) {
        right = std::max(right, x);
        left = std::min(left, x);
      }
  EXPECT_LT(right, 200);
  EXPECT_GE(left, 20);
  strip.release();
}

TEST_F(Graphics, ImageModeRefusalsAndEmptyLastLine) {
  Image strip;
  strip.create(200, 40);
  fill(strip, 0xFFFFFF);
  // Second line reaches the bottom: first stays, no tail, error shown.
  EXPECT_FALSE(drawTextBox(&strip, 100, 5, "HI\\HO", 100, 39, 10, 0, 200, false));
  EXPECT_NE(inkRows(strip, 0xFFFFFF, 0, 199, 0, 20).first, -1);
  EXPECT_EQ(pixelOf(strip, 100, 37), 0xFFFFFFu);
  // The message goes to the screen only; the log has just the missing
  // error graphic.
  std::string noGraphic = dir_.file("error.pcx") + ": Unable to open file\r\n";
  EXPECT_EQ(logged(), noGraphic);
  Image shown = capture();
  EXPECT_NE(inkRows(shown, 0, 0, 200, 1, 19).first, -1);   // the message, top left
  EXPECT_NE(inkRows(shown, 0, 0, 300, 20, 40).first, -1);  // and the notice below
  shown.release();

  fill(strip, 0xFFFFFF);
  EXPECT_FALSE(drawTextBox(&strip, 100, 0, "X", 0, 0, 10, 0, 200, false));
  EXPECT_FALSE(drawTextBox(&strip, 100, 40, "X", 0, 0, 10, 0, 200, false));
  EXPECT_EQ(inkRows(strip, 0xFFFFFF, 0, 199, 0, 39).first, -1);

  // An empty last line: nothing drawn for it, create logs, tail drawn.
  Image tall;
  tall.create(200, 100);
  fill(tall, 0xFFFFFF);
  EXPECT_TRUE(drawTextBox(&tall, 100, 10, "HI\\", 100, 90, 10, 0, 200, false));
  EXPECT_EQ(logged(),
            noGraphic + noGraphic + noGraphic + "Create: Unable to create a DIB section\r\n");
  // Tail from the empty last line (top 26): rows 45 to 88.
  EXPECT_EQ(pixelOf(tall, 100, 88), 0u);
  EXPECT_EQ(pixelOf(tall, 101, 45), 0u);
  EXPECT_EQ(pixelOf(tall, 100, 44), 0xFFFFFFu);
  tall.release();

  Image failed;
  EXPECT_TRUE(drawTextBox(&failed, 10, 10, "X", 0, 0, 10, 0, 200, false));
  strip.release();
}

TEST_F(Graphics, ScreenModeCentresLinesSixteenApart) {
  eraseScreen();
  EXPECT_TRUE(drawTextBox(nullptr, 320, 100, "A\\B", 0, 0, 20, 0, 640, true));
  Image shot = capture();
  auto a = inkRows(shot, 0, 280, 360, 90, 115);
  auto b = inkRows(shot, 0, 280, 360, 116, 150);
  EXPECT_GE(a.first, 100);
  EXPECT_GE(b.first, 116);
  EXPECT_NE(b.first, -1);
  // Centred: the ink of A lies around column 320.
  int left = 640, right = -1;
  for (int y = 100; y < 116; ++y)
    for (int x = 0; x < 640; ++x)
      if (pixelOf(shot, x, y) != 0) left = std::min(left, x), right = std::max(right, x);
  EXPECT_LT(std::abs((left + right) / 2 - 320), 4);
  shot.release();

  // Flush left at anchor 0 and flush right at rightBound.
  eraseScreen();
  EXPECT_TRUE(drawTextBox(nullptr, 0, 200, "MMMM", 0, 0, 20, 0, 640, true));
  EXPECT_TRUE(drawTextBox(nullptr, 640, 300, "MMMM", 0, 0, 20, 0, 640, true));
  shot = capture();
  int leftmost = 640, rightmost = -1;
  for (int x = 0; x < 640; ++x) {
    for (int y = 200; y < 230; ++y)
      if (pixelOf(shot, x, y) != 0) leftmost = std::min(leftmost, x);
    for (int y = 300; y < 330; ++y)
      if (pixelOf(shot, x, y) != 0) rightmost = std::max(rightmost, x);
  }
  EXPECT_LT(leftmost, 4);
  EXPECT_GT(rightmost, 630);
  EXPECT_LE(rightmost, 639);
  shot.release();
  EXPECT_FALSE(drawTextBox(nullptr, 320, 0, "X", 0, 0, 20, 0, 640, true));
  EXPECT_FALSE(drawTextBox(nullptr, 320, -5, "X", 0, 0, 20, 0, 640, true));
  // Each refusal showed the error display, whose graphic is missing here.
  std::string noGraphic = dir_.file("error.pcx") + ": Unable to open file\r\n";
  EXPECT_EQ(logged(), noGraphic + noGraphic);
}

TEST_F(Graphics, ErrorDisplayCentresTheGraphicWithTheMessageBelow) {
  dir_.write("error.pcx", makePcx(300, 200, std::vector<uint32_t>(300 * 200, 0x2040C0)));
  paintScreen(0x808080);
  showError("Broken", true);
  Image shot = capture();
  EXPECT_EQ(pixelOf(shot, 160, 130), 0x2040C0u);
  EXPECT_EQ(pixelOf(shot, 459, 329), 0x2040C0u);
  EXPECT_EQ(pixelOf(shot, 159, 130), 0u);
  EXPECT_EQ(pixelOf(shot, 460, 329), 0u);
  auto message = inkRows(shot, 0, 250, 390, 330, 479);
  EXPECT_GE(message.first, 333);
  EXPECT_LT(message.first, 345);
  EXPECT_EQ(inkRows(shot, 0, 0, 639, 0, 120).first, -1);
  shot.release();

  // clearFirst false: drawn over what is there.
  paintScreen(0x808080);
  showError("Again", false);
  shot = capture();
  EXPECT_EQ(pixelOf(shot, 10, 10), 0x808080u);
  EXPECT_EQ(pixelOf(shot, 160, 130), 0x2040C0u);
  shot.release();
  EXPECT_EQ(logged(), "");
}

TEST_F(Graphics, ErrorDisplayWithoutItsGraphicEndsWithTwoLines) {
  paintScreen(0x808080);
  showError("No comics", true);
  Image shot = capture();
  auto message = inkRows(shot, 0, 0, 300, 0, 19);
  auto notice = inkRows(shot, 0, 0, 639, 20, 45);
  EXPECT_GE(message.first, 1);
  EXPECT_GE(notice.first, 20);
  EXPECT_NE(notice.first, -1);
  EXPECT_EQ(inkRows(shot, 0, 0, 639, 60, 479).first, -1);
  shot.release();
  EXPECT_EQ(logged(), dir_.file("error.pcx") + ": Unable to open file\r\n");
}

TEST_F(Graphics, ErrorDisplayOnAScreenTooSmallForItsGraphic) {
  // The message top would be below 1: the text box reports it once, and the
  // nested report settles for the message alone.
  dir_.write("error.pcx", makePcx(300, 200, std::vector<uint32_t>(300 * 200, 0x2040C0)));
  screenWidth = 640;
  screenHeight = 10;
  showError("Tiny", true);
  SUCCEED();
}

TEST_F(Graphics, ScreenshotSavesTheLastDrawnRectangle) {
  Image item;
  item.create(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      uint8_t* p = item.pixels + (2 - y) * item.stride + 3 * x;
      p[0] = static_cast<uint8_t>(40 * x), p[1] = static_cast<uint8_t>(70 * y), p[2] = 0x99;
    }
  eraseScreen();
  item.draw(10, 20);
  lastDrawnRect = {10, 20, 5, 3};
  saveScreenshot();
  std::string file = readFileBytes(dir_.file("shot0000.bmp"));
  ASSERT_EQ(file.size(), 54u + 16u * 3u);
  uint8_t headers[54];
  bmp::writeHeaders(headers, 5, 3);
  EXPECT_EQ(file.substr(0, 54), std::string(reinterpret_cast<char*>(headers), 54));
  for (int row = 0; row < 3; ++row)  // bottom row first
    for (int x = 0; x < 5; ++x) {
      const uint8_t* p = reinterpret_cast<const uint8_t*>(file.data()) + 54 + row * 16 + 3 * x;
      EXPECT_EQ(p[0], 40 * x);
      EXPECT_EQ(p[1], 70 * (2 - row));
      EXPECT_EQ(p[2], 0x99);
    }
  item.release();

  lastDrawnRect = {0, 0, 0, 7};
  saveScreenshot();
  EXPECT_EQ(readFileBytes(dir_.file("shot0001.bmp")).size(), 54u);
  dir_.makeFolder("shot0002.bmp");
  saveScreenshot();
  EXPECT_TRUE(fileExists(dir_.file("shot0003.bmp")));
  lastDrawnRect = DrawnRect();
  EXPECT_EQ(logged(), "");
}

TEST_F(Graphics, TwoLineSpeechBoxWithTailOnAStrip) {
  // The speech box that text_box_bench_win32 times: it draws, and its tail
  // reaches down to the tail point.
  Image strip;
  strip.create(700, 339);
  fill(strip, 0xFFFFFF);
  EXPECT_TRUE(drawTextBox(&strip, 120, 30, "I told you the cat\\would eat the printer!", 90, 300,
                          12, 10, 230, false));
  // Dark grey at the tail's end: the smoothing leaves no pure black there.
  uint32_t tailEnd = pixelOf(strip, 90, 298);
  EXPECT_LT(tailEnd & 0xFF, 0x40u);
  EXPECT_EQ(tailEnd, (tailEnd & 0xFF) * 0x010101u);
  EXPECT_EQ(logged(), "");
  strip.release();
}

TEST_F(Graphics, ScaledShowIsTheUnscaledOneDoubledOnThePrimaryMonitor) {
  // Every kind of screen drawing at scale 1, as the reference.
  Image item;
  item.create(50, 30);
  std::vector<uint32_t> colours = gradient(50, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 50; ++x) {
      uint8_t* p = item.pixels + (29 - y) * item.stride + 3 * x;
      uint32_t c = colours[y * 50 + x];
      p[0] = static_cast<uint8_t>(c), p[1] = static_cast<uint8_t>(c >> 8);
      p[2] = static_cast<uint8_t>(c >> 16);
    }
  auto drawShow = [&]() {
    eraseScreen();
    item.draw(10, 20);
    item.drawMirrored(249, 209);
    drawTextBox(nullptr, 150, 100, "Scaled\\text", 0, 0, 15, 0, 300, true);
    drawTextBox(nullptr, 30, 25, "over", 0, 0, 15, 0, 300, true);
  };
  screenWidth = 300;
  screenHeight = 240;
  drawShow();
  screenWidth = 640;
  screenHeight = 480;
  Image reference = capture();

  // The primary monitor 40 pixels into the window (a head to its left),
  // the show twice its size (set by hand: the setting never doubles a
  // monitor this small).
  PixelRect all;
  all.x = -40;
  all.width = 640;
  all.height = 480;
  ScreenLayout doubled = makeScreenLayout(all, 600, 480, 1);
  doubled.scale = 2;
  setScreenLayout(doubled);
  paintScreen(0x808080);
  screenWidth = showWidth(screenLayout);
  screenHeight = showHeight(screenLayout);
  drawShow();
  lastDrawnRect = {10, 20, 50, 30};
  saveScreenshot();
  screenWidth = 640;
  screenHeight = 480;
  Image scaled = capture();
  int differ = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      uint32_t want = x < 40 ? 0 : pixelOf(reference, (x - 40) / 2, y / 2);
      differ += pixelOf(scaled, x, y) != want;
    }
  EXPECT_EQ(differ, 0);
  // A second erase blacks out the whole window again.
  eraseScreen();
  Image erased = capture();
  int lit = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) lit += pixelOf(erased, x, y) != 0;
  EXPECT_EQ(lit, 0);
  erased.release();
  // The text is there, and also where it lies over the picture.
  EXPECT_NE(inkRows(reference, 0, 100, 200, 95, 140).first, -1);
  int white = 0;
  for (int y = 25; y < 45; ++y)
    for (int x = 15; x < 60; ++x) white += pixelOf(reference, x, y) == 0xFFFFFFu;
  EXPECT_GT(white, 0);

  // F1 saves the item as the screen shows it, with the text over it.
  std::string shot = readFileBytes(dir_.file("shot0000.bmp"));
  ASSERT_EQ(shot.size(), 54u + 300u * 60u);
  for (int row = 0; row < 60; ++row)  // bottom row first
    for (int x = 0; x < 100; ++x) {
      const uint8_t* p = reinterpret_cast<const uint8_t*>(shot.data()) + 54 + row * 300 + 3 * x;
      uint32_t c = pixelOf(reference, 10 + x / 2, 20 + (59 - row) / 2);
      ASSERT_EQ(static_cast<uint32_t>(p[2] << 16 | p[1] << 8 | p[0]), c) << x << "," << row;
    }
  lastDrawnRect = DrawnRect();
  item.release();
  reference.release();
  scaled.release();
  EXPECT_EQ(logged(), "");
}
