#include "x11/sound_canberra.h"

#include <canberra.h>

#include <cstdint>

namespace {

constexpr uint32_t kPopupSoundId = 1;

ca_context* context = nullptr;
bool unavailable = false;

}  // namespace

void playPopupSound(const char* path) {
  if (path == nullptr || unavailable) return;
  if (context == nullptr && ca_context_create(&context) != CA_SUCCESS) {
    context = nullptr;
    unavailable = true;  // no sound system: silence from now on
    return;
  }
  int playing = 0;
  if (ca_context_playing(context, kPopupSoundId, &playing) == CA_SUCCESS && playing != 0) return;
  // Errors (no device, a file that is no sound) mean silence.
  ca_context_play(context, kPopupSoundId, CA_PROP_MEDIA_FILENAME, path, CA_PROP_MEDIA_ROLE, "event",
                  nullptr);
}

void releaseSound() {
  if (context != nullptr) ca_context_destroy(context);
  context = nullptr;
}
