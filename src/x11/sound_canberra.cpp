#include "x11/sound_canberra.h"

#include <canberra.h>

#include <cstdint>

#include "base/log_file.h"

namespace {

constexpr uint32_t kPopupSoundId = 1;

ca_context* context = nullptr;
bool unavailable = false;

// The path is as the platform writes it; the reason is the library's.
void logUnplayable(const char* path, int result) {
  logFile().write(path).write(": Unable to play sound: ").write(ca_strerror(result)).write("\n");
}

}  // namespace

void playPopupSound(const char* path) {
  if (path == nullptr || unavailable) return;
  if (context == nullptr) {
    int result = ca_context_create(&context);
    if (result != CA_SUCCESS) {
      logUnplayable(path, result);
      context = nullptr;
      unavailable = true;  // no sound system: silence from now on
      return;
    }
  }
  int playing = 0;
  if (ca_context_playing(context, kPopupSoundId, &playing) == CA_SUCCESS && playing != 0) return;
  // Errors (no device, a file that is no sound) mean silence, and a line
  // in the log that says why.
  int result = ca_context_play(context, kPopupSoundId, CA_PROP_MEDIA_FILENAME, path,
                               CA_PROP_MEDIA_ROLE, "event", nullptr);
  if (result != CA_SUCCESS) logUnplayable(path, result);
}

void releaseSound() {
  if (context != nullptr) ca_context_destroy(context);
  context = nullptr;
}
