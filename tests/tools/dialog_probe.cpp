// Reads and drives a dialog of another process through window messages.
//   dialog_probe wait TITLE [SECONDS]     found: print its handle, exit 0
//   dialog_probe gone TITLE [SECONDS [HANDLE]]  exit 0 once no such dialog
//                                         (or that one dialog) is left
//   dialog_probe dump TITLE               one line per control: id|class|check|text
//   dialog_probe set TITLE ID TEXT        set a control's text
//   dialog_probe check TITLE ID 0|1       set a check box
//   dialog_probe press TITLE ID           post the button's command
//   dialog_probe box TITLE                a message box: owner title, text, buttons
//   dialog_probe focus TITLE              id of the control with the focus
//   dialog_probe tab TITLE                control ids in tab order from the focus
// Dialogs are found by their exact title among the dialog-class windows.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND findDialog(const char* title) { return FindWindowA("#32770", title); }

HWND waitDialog(const char* title, double seconds) {
  for (int i = 0; i < static_cast<int>(seconds * 20); ++i) {
    HWND dialog = findDialog(title);
    if (dialog != nullptr && IsWindowVisible(dialog)) return dialog;
    Sleep(50);
  }
  return nullptr;
}

std::string textOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (*p == '\n') {
      out += "\\n";
    } else if (*p != '\r') {
      out += *p;
    }
  }
  return out;
}

LRESULT send(HWND window, UINT message, WPARAM first, LPARAM second) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, first, second, SMTO_ABORTIFHUNG, 2000, &result);
  return static_cast<LRESULT>(result);
}

HWND focusOf(HWND dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

int usage() {
  std::fprintf(stderr, "usage: dialog_probe wait|gone|dump|set|check|press|box|focus|tab TITLE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  const std::string command = argv[1];
  const char* title = argv[2];
  if (command == "wait") {
    HWND dialog = waitDialog(title, argc > 3 ? std::atof(argv[3]) : 15.0);
    if (dialog == nullptr) return 1;
    std::printf("%lld\n", static_cast<long long>(reinterpret_cast<intptr_t>(dialog)));
    return 0;
  }
  if (command == "gone") {
    double seconds = argc > 3 ? std::atof(argv[3]) : 15.0;
    // With a handle: until that one dialog is gone, another may follow.
    long long handle = argc > 4 ? std::atoll(argv[4]) : 0;
    for (int i = 0; i < static_cast<int>(seconds * 20); ++i) {
      HWND dialog = findDialog(title);
      if (dialog == nullptr) return 0;
      if (handle != 0 && (!IsWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(handle))) ||
                          reinterpret_cast<intptr_t>(dialog) != handle)) {
        return 0;
      }
      Sleep(50);
    }
    return 1;
  }
  HWND dialog = waitDialog(title, 10.0);
  if (dialog == nullptr) {
    std::fprintf(stderr, "no dialog \"%s\"\n", title);
    return 1;
  }
  if (command == "dump" || command == "box") {
    if (command == "box") {
      HWND owner = GetWindow(dialog, GW_OWNER);
      std::printf("owner=%s\n", owner ? textOf(owner).c_str() : "");
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      char className[64] = {};
      GetClassNameA(child, className, sizeof className);
      int id = GetDlgCtrlID(child);
      std::string text = textOf(child);
      if (command == "box") {
        // The message text is the one static with text; buttons by id.
        if (_stricmp(className, "Static") == 0 && !text.empty()) {
          std::printf("text=%s\n", text.c_str());
        } else if (_stricmp(className, "Button") == 0) {
          std::printf("button=%d %s\n", id, text.c_str());
        }
        continue;
      }
      int checked = -1;
      if (_stricmp(className, "Button") == 0) {
        LONG style = GetWindowLongA(child, GWL_STYLE) & 0xF;
        if (style == BS_AUTOCHECKBOX || style == BS_CHECKBOX) {
          checked = static_cast<int>(send(child, BM_GETCHECK, 0, 0));
        }
      }
      std::printf("%d|%s|%d|%s\n", id, className, checked, text.c_str());
    }
    return 0;
  }
  if (command == "focus") {
    HWND focus = focusOf(dialog);
    std::printf("%d\n", focus ? GetDlgCtrlID(focus) : 0);
    return 0;
  }
  if (command == "tab") {
    HWND start = focusOf(dialog);
    if (start == nullptr) return 1;
    HWND item = start;
    for (int i = 0; i < 64; ++i) {
      std::printf("%d\n", GetDlgCtrlID(item));
      item = GetNextDlgTabItem(dialog, item, FALSE);
      if (item == nullptr || item == start) break;
    }
    return 0;
  }
  if (argc < 4) return usage();
  int id = std::atoi(argv[3]);
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) {
    std::fprintf(stderr, "no control %d\n", id);
    return 1;
  }
  if (command == "set" && argc > 4) {
    send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    return 0;
  }
  if (command == "check" && argc > 4) {
    send(control, BM_SETCHECK, std::atoi(argv[4]) ? BST_CHECKED : BST_UNCHECKED, 0);
    return 0;
  }
  if (command == "press") {
    // Posted: the button may open a modal box that the caller then reads.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    return 0;
  }
  return usage();
}
