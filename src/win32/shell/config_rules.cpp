#include "win32/shell/config_rules.h"

const char kVersionFormat[] =
    "Zorbel Screensaver - version %i.%i%i.%i%i\n"
    "Graphics and saver code: the Quenwick team\n"
    "Strip randomizer: the Quenwick template crew";

const char kQueryCaption[] = "Query";
const char kNoGroupQuestion[] =
    "This will not display any comics (Zorbel and Pellow are both deselected).  Continue anyway?";
const char kNoTypeQuestion[] =
    "This will not display any comics (All 3 types deselected).  Continue anyway?";
const char kErrorCaption[] = "Error";

uint32_t readDialogNumber(const char* text) {
  if (text == nullptr) return 0;
  while (*text == ' ' || *text == '\t' || *text == '\r' || *text == '\n') ++text;
  if (*text < '0' || *text > '9') return 0;
  uint64_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + static_cast<uint64_t>(*text - '0');
    if (value > 0xFFFFFFFFull) return 0;
  }
  return static_cast<uint32_t>(value);
}

bool noGroupSelected(const SaverSettings& s) { return s.useZB == 0 && s.usePellow == 0; }

bool noTypeSelected(const SaverSettings& s) {
  return s.useRandom == 0 && s.useOriginal == 0 && s.useOfficial == 0;
}

const char* firstZeroWeightError(const SaverSettings& s) {
  const struct {
    uint32_t SaverSettings::*field;
    const char* message;
  } rules[] = {
      {&SaverSettings::perToasty, "The Popup Chance must be greater than zero"},
      {&SaverSettings::perZB, "The Zorbel Frequency must be greater than zero"},
      {&SaverSettings::perPellow, "The Pellow Frequency must be greater than zero"},
      {&SaverSettings::perRandom, "The Random Frequency must be greater than zero"},
      {&SaverSettings::perOriginal, "The Original Frequency must be greater than zero"},
      {&SaverSettings::perOfficial, "The Official Frequency must be greater than zero"},
  };
  for (const auto& rule : rules) {
    if (s.*rule.field == 0) return rule.message;
  }
  return nullptr;
}
