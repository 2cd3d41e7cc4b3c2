#include "core/show/settings.h"

#include <cstring>

SaverSettings* settings = nullptr;

const char* const kDefaultDirectory = "c:\\program files\\quenwick\\zorbel screensaver";
const char* const kProductKey = "Software\\Quenwick\\Zorbel Screensaver";
const char* const kPlatformKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";

const ProductValue kProductValues[16] = {
    {"Time Delay", &SaverSettings::timeDelay},
    {"Display Logo", &SaverSettings::displayLogo},
    {"Use Pellow", &SaverSettings::usePellow},
    {"Use ZB", &SaverSettings::useZB},
    {"Use Random", &SaverSettings::useRandom},
    {"Use Original", &SaverSettings::useOriginal},
    {"Use Official", &SaverSettings::useOfficial},
    {"Per Pellow", &SaverSettings::perPellow},
    {"Per ZB", &SaverSettings::perZB},
    {"Per Random", &SaverSettings::perRandom},
    {"Per Original", &SaverSettings::perOriginal},
    {"Per Official", &SaverSettings::perOfficial},
    {"Use Toasty", &SaverSettings::useToasty},
    {"Per Toasty", &SaverSettings::perToasty},
    {"Use Sound", &SaverSettings::useSound},
    {"Logo Frames", &SaverSettings::logoFrames},
};

SaverSettings::SaverSettings()
    : passwordDelay(15),
      mouseThreshold(50),
      directory{},
      timeDelay(0),
      displayLogo(0),
      usePellow(0),
      useZB(0),
      useRandom(0),
      useOriginal(0),
      useOfficial(0),
      useToasty(0),
      useSound(0),
      perPellow(0),
      perZB(0),
      perRandom(0),
      perOriginal(0),
      perOfficial(0),
      perToasty(0),
      logoFrames(0),
      scale(0),
      window(nullptr),
      startCursor(),
      startTick(0),
      timerId(0),
      inputSuspended(0),
      closeRequested(0) {}

void SaverSettings::setDefaults() {
  timeDelay = 20;
  displayLogo = 1;
  usePellow = 1;
  useZB = 1;
  useRandom = 1;
  useOriginal = 1;
  useOfficial = 1;
  useToasty = 1;
  useSound = 0;
  perPellow = 1;
  perZB = 3;
  perRandom = 24;
  perOriginal = 1;
  perOfficial = 4;
  perToasty = 50;
  logoFrames = 40;
}

bool applyDwordValue(uint32_t& field, uint32_t type, const uint8_t* data, size_t size) {
  (void)type;
  if (data == nullptr || size != 4) return false;
  // Little-endian, as the registry stores a DWORD.
  field = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
          static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
  return true;
}

bool applyDirectoryValue(char (&directory)[256], uint32_t type, const uint8_t* data, size_t size) {
  if (data == nullptr || (type != kRegSz && type != kRegExpandSz)) return false;
  // The text ends at its first NUL, or at the end of the data when the
  // stored value carries none.
  const void* nul = std::memchr(data, 0, size);
  size_t length =
      nul != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - data) : size;
  if (length > 255) return false;
  std::memcpy(directory, data, length);
  directory[length] = '\0';
  return true;
}

void applyScaleValue(uint32_t& scale, uint32_t type, const uint8_t* data, size_t size) {
  uint32_t value = 0;
  bool taken = type == kRegDword && applyDwordValue(value, type, data, size);
  scale = taken && value <= 8 ? value : 0;
}
