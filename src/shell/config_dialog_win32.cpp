#include "shell/modes.h"

INT_PTR CALLBACK configDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
