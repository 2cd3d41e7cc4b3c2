// Entry point: parse the command line, load the settings, run one mode.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <new>

#include "core/show/settings.h"
#include "win32/shell/command_line.h"
#include "win32/shell/globals.h"
#include "win32/shell/modes.h"
#include "win32/shell/settings_store.h"

namespace {

HWND resolveTarget(const ParsedCommandLine& parsed) {
  switch (parsed.target) {
    case TargetKind::Foreground:
      return GetForegroundWindow();
    case TargetKind::Number:
      return windowFromNumber(parsed.windowNumber);
    case TargetKind::PreviewTool:
      return findPreviewTool();
    case TargetKind::Null:
      break;
  }
  return nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
  instance = hInstance;
  // The manifest asks for version 6 of the controls; without this call the
  // library is not loaded on some systems, and the dialog and message
  // boxes then fail to appear.
  InitCommonControls();
  ParsedCommandLine parsed = parseCommandLine(GetCommandLineA());
  HWND target = resolveTarget(parsed);

  SaverSettings* record = new (std::nothrow) SaverSettings();
  if (record == nullptr) return 0;
  settings = record;
  loadPlatformSettings(*settings);
  loadProductSettings(*settings);

  switch (parsed.mode) {
    case SaverMode::ChangePassword:
      changePassword(target);
      break;
    case SaverMode::Configure:
      // An owner number that names no window would stop the dialog from
      // opening at all; it opens without an owner instead.
      if (target != nullptr && !IsWindow(target)) target = nullptr;
      DialogBoxParamA(instance, MAKEINTRESOURCEA(kConfigDialogId), target, configDialogProc, 0);
      break;
    case SaverMode::FullScreen:
      runSaver();
      break;
    case SaverMode::Preview:
      runPreview(target);
      break;
    case SaverMode::None:
      break;
  }

  settings = nullptr;
  delete record;
  return 0;
}
