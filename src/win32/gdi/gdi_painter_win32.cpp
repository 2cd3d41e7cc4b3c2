// The real drawing behind the show's decisions: pictures are Images drawn
// on the screen, captions and errors go through the text box and the error
// display, sounds through the platform's player.
#include "win32/gdi/show_sequencer.h"

#include <windows.h>

#include <mmsystem.h>

#include <new>

#include "win32/gdi/image.h"
#include "win32/gdi/text_box.h"
#include "win32/gdi/strip_composition.h"
#include "win32/gdi/error_display.h"
#include "core/show/show_chooser.h"
#include "core/show/show_state.h"

namespace {

// SND_FILENAME | SND_ASYNC | SND_NOSTOP | SND_NOWAIT: never waits for the
// device and never cuts a sound that still plays.
constexpr DWORD kSoundFlags = 0x22011;
static_assert((SND_FILENAME | SND_ASYNC | SND_NOSTOP | SND_NOWAIT) == kSoundFlags,
              "popup sound flags");

void* openPicture(const char* name, bool* failed, int32_t* width, int32_t* height) {
  Image* picture = new (std::nothrow) Image(name);
  if (picture == nullptr) return nullptr;
  *failed = picture->failed;
  *width = picture->width;
  *height = picture->height;
  return picture;
}

void drawPicture(void* picture, int32_t x, int32_t y, bool mirrored) {
  Image* image = static_cast<Image*>(picture);
  if (mirrored) {
    image->drawMirrored(x, y);
  } else {
    image->draw(x, y);
  }
}

void closePicture(void* picture) {
  Image* image = static_cast<Image*>(picture);
  image->release();
  delete image;
}

void drawCaption(int32_t anchorX, int32_t top, const char* text) {
  drawTextBox(nullptr, anchorX, top, text, 0, 0, 20, 0, screenWidth, true);
}

void showScreenError(const char* message) { showError(message, true); }

void playSound(const char* path) { PlaySoundA(path, nullptr, kSoundFlags); }

const ShowDrawing kScreenDrawing = {
    openPicture, drawPicture,     closePicture,    eraseScreen,
    drawCaption, showScreenError, showRandomStrip, playSound,
};

}  // namespace

void advance(bool force) { advanceWith(kScreenDrawing, force); }
