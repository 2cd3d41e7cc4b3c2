// The routines that the entry point runs, one per mode.
#pragma once

#include <windows.h>

// Full screen: the black topmost window and the show; returns when it ends.
void runSaver();
// Configure: the dialog procedure of dialog 101.
INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM first, LPARAM second);
// Preview: the fixed picture inside the display settings' window.
int runPreview(HWND parent);
// The preview tool's first child window, starting the tool if needed.
HWND findPreviewTool();
// ChangePassword: the platform's password change dialog.
void changePassword(HWND window);
// Non-zero when the saver may close.
BOOL verifyPassword(HWND window);

// Dialog resource of the configuration dialog.
constexpr int kConfigDialogId = 101;
