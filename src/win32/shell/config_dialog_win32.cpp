// The configuration dialog: shows the product settings, restores the
// defaults, and on OK checks them and writes them to the registry.
#include <windows.h>

#include <iterator>

#include "../../../resources/resource.h"
#include "core/show/settings.h"
#include "win32/shell/config_rules.h"
#include "win32/shell/globals.h"
#include "win32/shell/modes.h"
#include "win32/shell/settings_store.h"

namespace {

struct CheckBox {
  int id;
  uint32_t SaverSettings::*field;
};
struct NumberBox {
  int id;
  uint32_t SaverSettings::*field;
};

// The order in which the boxes are filled and read back.
const CheckBox kCheckBoxes[] = {
    {IDC_DISPLAY_LOGO, &SaverSettings::displayLogo},
    {IDC_USE_PELLOW, &SaverSettings::usePellow},
    {IDC_USE_ZB, &SaverSettings::useZB},
    {IDC_USE_TOASTY, &SaverSettings::useToasty},
    {IDC_USE_SOUND, &SaverSettings::useSound},
    {IDC_USE_RANDOM, &SaverSettings::useRandom},
    {IDC_USE_ORIGINAL, &SaverSettings::useOriginal},
    {IDC_USE_OFFICIAL, &SaverSettings::useOfficial},
    {IDC_EVERY_MONITOR, &SaverSettings::everyMonitor},
};
// The time delay comes first: it is read back before the check boxes.
const NumberBox kNumberBoxes[] = {
    {IDC_TIME_DELAY, &SaverSettings::timeDelay},
    {IDC_PER_PELLOW, &SaverSettings::perPellow},
    {IDC_PER_ZB, &SaverSettings::perZB},
    {IDC_PER_TOASTY, &SaverSettings::perToasty},
    {IDC_PER_RANDOM, &SaverSettings::perRandom},
    {IDC_PER_ORIGINAL, &SaverSettings::perOriginal},
    {IDC_PER_OFFICIAL, &SaverSettings::perOfficial},
    {IDC_LOGO_FRAMES, &SaverSettings::logoFrames},
};

// GetDlgItemInt's own limits differ between platforms (some refuse
// 4294967295), so the text is read and converted here.
uint32_t readNumberBox(HWND dialog, int id) {
  HWND box = GetDlgItem(dialog, id);
  if (box == nullptr) return 0;
  char text[64] = {};
  // A longer text can only be an overflow or padding nobody typed.
  if (GetWindowTextLengthA(box) >= static_cast<int>(sizeof text) - 1) return 0;
  GetWindowTextA(box, text, sizeof text);
  return readDialogNumber(text);
}

void fillDialog(HWND dialog) {
  for (const CheckBox& box : kCheckBoxes) {
    CheckDlgButton(dialog, box.id, settings->*box.field ? BST_CHECKED : BST_UNCHECKED);
  }
  for (const NumberBox& box : kNumberBoxes) {
    SetDlgItemInt(dialog, box.id, settings->*box.field, FALSE);
  }
}

void readDialog(HWND dialog) {
  const NumberBox& timeDelay = kNumberBoxes[0];
  settings->*timeDelay.field = readNumberBox(dialog, timeDelay.id);
  for (const CheckBox& box : kCheckBoxes) {
    settings->*box.field = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED ? 1 : 0;
  }
  for (const NumberBox* box = &timeDelay + 1; box != std::end(kNumberBoxes); ++box) {
    settings->*box->field = readNumberBox(dialog, box->id);
  }
}

bool confirmed(HWND dialog, const char* question) {
  return MessageBoxA(dialog, question, kQueryCaption, MB_YESNO) == IDYES;
}

void onOk(HWND dialog) {
  readDialog(dialog);
  if (noGroupSelected(*settings) && !confirmed(dialog, kNoGroupQuestion)) return;
  if (noTypeSelected(*settings) && !confirmed(dialog, kNoTypeQuestion)) return;
  if (const char* error = firstZeroWeightError(*settings)) {
    MessageBoxA(dialog, error, kErrorCaption, MB_OK);
    return;
  }
  saveProductSettings(*settings);
  EndDialog(dialog, 1);
}

}  // namespace

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM first, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      char text[256];
      wsprintfA(text, kVersionFormat, kVersionNumbers[0], kVersionNumbers[1], kVersionNumbers[2],
                kVersionNumbers[3], kVersionNumbers[4]);
      SetDlgItemTextA(dialog, IDC_VERSION, text);
      fillDialog(dialog);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(first)) {
        case IDC_RESTORE_DEFAULTS:
          settings->setDefaults();
          fillDialog(dialog);
          break;
        case IDOK:
          onOk(dialog);
          break;
        case IDCANCEL:
          EndDialog(dialog, 2);
          break;
      }
      return FALSE;
  }
  return FALSE;
}
