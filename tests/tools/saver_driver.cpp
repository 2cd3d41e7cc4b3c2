// Drives a running full-screen saver: presses Enter in its window a given
// number of times, one step at a time, and reports the process's GDI
// objects, handles and memory every so many steps.
//
//   saver_driver STEPS [EVERY [PAUSE_MS [END_VK]]]   drive the "SaverWindow";
//       then, given END_VK, end it with that key, or with -1 print "waiting
//       for a key" and time the end from there
//   saver_driver --self                     check the GDI count on itself
//
// Output lines: "step N gdi G handles H private P workingset W maxms M".
// Exit codes: 0 done and still answering, 2 no window, 3 window gone,
// 4 a step got no answer within 5 s, 5 no answer after the last step,
// 6 the window still there 10 s after the ending key.
#define PSAPI_VERSION 2
#include <windows.h>
// After windows.h, which they build on.
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// GetGuiResources is not available everywhere, so GDI objects are counted
// in the process's GDI handle table, which its PEB points to. Wine lays it
// out alike for both widths: 24-byte entries, owner process id at 8, type
// at 14; a free entry has type 0. Stock objects carry 0x80 in the byte at
// 12. The driver is built with the saver's width, so the PEBs match.
constexpr size_t kPebGdiTable = sizeof(void*) == 8 ? 0xF8 : 0x94;
constexpr size_t kEntrySize = 24;
constexpr size_t kEntries = 0x10000;

using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

long gdiObjects(HANDLE process, DWORD pid) {
  auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  if (query == nullptr) return -1;
  PROCESS_BASIC_INFORMATION info{};
  if (query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return -1;
  void* table = nullptr;
  SIZE_T got = 0;
  const char* peb = static_cast<const char*>(static_cast<void*>(info.PebBaseAddress));
  if (!ReadProcessMemory(process, peb + kPebGdiTable, &table, sizeof table, &got) ||
      table == nullptr) {
    return -1;
  }
  static std::vector<unsigned char> entries(kEntrySize * kEntries);
  if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &got)) return -1;
  long count = 0;
  for (size_t i = 0; i < got / kEntrySize; ++i) {
    const unsigned char* e = &entries[i * kEntrySize];
    unsigned owner = e[8] | e[9] << 8;
    bool stock = (e[12] & 0x80) != 0;
    if (e[14] != 0 && !stock && (owner == 0 || owner == (pid & 0xFFFF))) ++count;
  }
  return count;
}

void report(const char* label, long step, HANDLE process, DWORD pid, DWORD maxMs) {
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  std::printf("%s %ld gdi %ld handles %lu private %lu workingset %lu maxms %lu\n", label, step,
              gdiObjects(process, pid), static_cast<unsigned long>(handles),
              static_cast<unsigned long>(memory.PrivateUsage / 1024),
              static_cast<unsigned long>(memory.WorkingSetSize / 1024),
              static_cast<unsigned long>(maxMs));
  std::fflush(stdout);
}

int selfCheck() {
  HANDLE self = GetCurrentProcess();
  DWORD pid = GetCurrentProcessId();
  long before = gdiObjects(self, pid);
  HBRUSH brushes[100];
  for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
  long during = gdiObjects(self, pid);
  for (HBRUSH b : brushes) DeleteObject(b);
  long after = gdiObjects(self, pid);
  std::printf("self gdi before %ld during %ld after %ld\n", before, during, after);
  return during - before == 100 && after == before ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--self") == 0) return selfCheck();
  if (argc < 2) {
    std::fprintf(stderr, "usage: saver_driver STEPS [EVERY [PAUSE_MS [END_VK]]]\n");
    return 1;
  }
  long steps = std::atol(argv[1]);
  long every = argc > 2 ? std::atol(argv[2]) : 0;
  DWORD pause = argc > 3 ? static_cast<DWORD>(std::atol(argv[3])) : 2;
  long endKey = argc > 4 ? std::atol(argv[4]) : 0;

  HWND window = nullptr;
  for (int i = 0; i < 150 && window == nullptr; ++i) {
    window = FindWindowA("ScrClass", "SaverWindow");
    if (window == nullptr) Sleep(100);
  }
  if (window == nullptr) {
    std::printf("no saver window\n");
    return 2;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process != nullptr) report("step", 0, process, pid, 0);

  // Enter as the keyboard sends it: repeat count 1, scan code 0x1C.
  const LPARAM enter = 0x001C0001;
  DWORD maxMs = 0;
  for (long step = 1; step <= steps; ++step) {
    DWORD start = GetTickCount();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_KEYDOWN, VK_RETURN, enter, SMTO_NORMAL, 5000, &result)) {
      bool gone = !IsWindow(window);
      std::printf("%s at step %ld\n", gone ? "window gone" : "no answer", step);
      return gone ? 3 : 4;
    }
    DWORD took = GetTickCount() - start;
    if (took > maxMs) maxMs = took;
    if (process != nullptr && every > 0 && step % every == 0) {
      report("step", step, process, pid, maxMs);
      maxMs = 0;
    }
    if (pause > 0) Sleep(pause);
  }
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result)) {
    std::printf("no answer after the last step\n");
    return 5;
  }
  std::printf("done %ld steps\n", steps);
  std::fflush(stdout);
  if (endKey != 0) {
    // Another key ends the saver. Its answer is the window's hiding; Wine
    // without a window manager then waits about 2 s for the X window to be
    // withdrawn before it is gone, so both times are given.
    DWORD start = GetTickCount();
    DWORD hidden = 0;
    if (endKey > 0) {
      PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(endKey), 1);
    } else {
      std::printf("waiting for a key\n");
      std::fflush(stdout);
    }
    while (IsWindow(window) && GetTickCount() - start < 10000) {
      if (hidden == 0 && !IsWindowVisible(window)) hidden = GetTickCount() - start;
      Sleep(5);
    }
    if (IsWindow(window)) {
      std::printf("still there 10000 ms after the key\n");
      return 6;
    }
    DWORD gone = GetTickCount() - start;
    std::printf("hidden %lu ms and gone %lu ms after the key\n",
                static_cast<unsigned long>(hidden != 0 ? hidden : gone),
                static_cast<unsigned long>(gone));
  }
  if (process != nullptr) CloseHandle(process);
  return 0;
}
