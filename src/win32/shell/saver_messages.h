// The full-screen saver window's own message, which the tests' tools send
// too. Windows only.
#pragma once

#include <windows.h>

// The next monitor's show that owes its part of a forced step takes it.
// Answers how many still owe one; the window posts it to itself while any
// do, and a tool may send it until the answer is 0 to know every monitor
// has its new item.
constexpr UINT kStepOwedMessage = WM_APP + 1;

// For a program driving the saver from outside: after a key, sends the
// message until every monitor has its new item. False when the window did
// not answer within timeoutMs.
inline bool sendUntilNoneOwed(HWND window, UINT timeoutMs) {
  for (;;) {
    DWORD_PTR owed = 0;
    if (SendMessageTimeoutA(window, kStepOwedMessage, 0, 0, SMTO_NORMAL, timeoutMs, &owed) == 0)
      return false;
    if (owed == 0) return true;
  }
}
