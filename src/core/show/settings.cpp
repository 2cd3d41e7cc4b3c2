#include "core/show/settings.h"

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
      everyMonitor(0),
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
  everyMonitor = 1;
}
