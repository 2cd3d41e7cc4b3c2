// A library without entries: stands in for a platform library that lacks
// the one the saver asks for.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
