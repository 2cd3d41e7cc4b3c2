#include "web/browser_sound.h"

#include <emscripten.h>

EM_JS(void, jsPlaySound, (const char* path), { Module.zorbelSound(UTF8ToString(path)); });

void playBrowserSound(const char* path) {
  if (path != nullptr) jsPlaySound(path);
}
