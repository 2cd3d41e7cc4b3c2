// Measures the full-screen saver from outside, as bench/saver_bench.sh needs:
//
//   saver_bench steps N [WARMUP]   forced steps (Enter) in the running
//       "SaverWindow", each answered before the next. Prints
//       "steps N answer_median_ms A answer_p90_ms P answer_max_ms X
//        all_median_ms L idle_median_ms I" where answer is the key's own
//       answer (the primary monitor's strip is composed and drawn inside
//       it), all adds the other monitors' items, each asked for until none
//       is owed, and idle adds one more message round trip, after which the
//       window has been back in its message loop, where the drawing is
//       handed on to the display.
//   saver_bench launch SCR RUNS    starts "SCR /s" RUNS times and times each
//       start: to the window, and to the first answered message, which the
//       window gives only once the first item is drawn. Prints one line a
//       run and "launch runs R window_median_ms W first_item_median_ms F".
//   saver_bench relay              for bench/screen_change.c: one forced
//       step for each line read from standard input, then "answered".
//   saver_bench counts [--self]    "handles H threads T" of the saver's
//       process, from the system's process list (GetProcessHandleCount
//       does not report on other processes everywhere; where the list
//       gives the size of the handle table, the count moves in steps);
//       --self checks that it sees handles come and go, on this program.
//
// Exit codes: 0 done, 1 usage, 2 no saver window, 3 no answer within 30 s,
// 4 the saver could not be started, 5 it did not end after the key.
#include <windows.h>
// After windows.h, which it builds on.
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "win32/shell/saver_messages.h"

namespace {

constexpr DWORD kAnswerMs = 30000;
// Enter as the keyboard sends it: repeat count 1, scan code 0x1C.
constexpr LPARAM kEnterDown = 0x001C0001;
constexpr LPARAM kEnterUp = static_cast<LPARAM>(0xC01C0001u);

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool send(HWND window, UINT message, WPARAM first, LPARAM second) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, message, first, second, SMTO_NORMAL, kAnswerMs, &result) != 0;
}

double at(std::vector<double> v, double fraction) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(fraction * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

HWND findSaver(int tries, DWORD pauseMs) {
  for (int i = 0; i < tries; ++i) {
    HWND window = FindWindowA("ScrClass", "SaverWindow");
    if (window != nullptr) return window;
    Sleep(pauseMs);
  }
  return nullptr;
}

int steps(long count, long warmup) {
  HWND window = findSaver(300, 100);
  if (window == nullptr) {
    std::printf("no saver window\n");
    return 2;
  }
  std::vector<double> answer;
  std::vector<double> all;
  std::vector<double> idle;
  for (long i = 0; i < warmup + count; ++i) {
    double start = nowMs();
    if (!send(window, WM_KEYDOWN, VK_RETURN, kEnterDown)) return 3;
    double answered = nowMs();
    if (!sendUntilNoneOwed(window, kAnswerMs)) return 3;
    double drawn = nowMs();
    if (!send(window, WM_NULL, 0, 0)) return 3;
    double back = nowMs();
    send(window, WM_KEYUP, VK_RETURN, kEnterUp);
    if (i >= warmup) {
      answer.push_back(answered - start);
      all.push_back(drawn - start);
      idle.push_back(back - start);
    }
  }
  std::printf(
      "steps %ld answer_median_ms %.2f answer_p90_ms %.2f answer_max_ms %.2f "
      "all_median_ms %.2f idle_median_ms %.2f\n",
      count, at(answer, 0.5), at(answer, 0.9), at(answer, 1.0), at(all, 0.5), at(idle, 0.5));
  return 0;
}

int relay() {
  HWND window = findSaver(300, 100);
  if (window == nullptr) {
    std::printf("no saver window\n");
    return 2;
  }
  char line[64];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    if (!send(window, WM_KEYDOWN, VK_RETURN, kEnterDown)) return 3;
    if (!sendUntilNoneOwed(window, kAnswerMs)) return 3;
    send(window, WM_KEYUP, VK_RETURN, kEnterUp);
    std::printf("answered\n");
    std::fflush(stdout);
  }
  return 0;
}

int launch(const char* scr, long runs) {
  std::vector<double> windows;
  std::vector<double> items;
  for (long run = 1; run <= runs; ++run) {
    // A window of an earlier run must be gone, or it would be found.
    for (int i = 0; i < 200 && FindWindowA("ScrClass", "SaverWindow") != nullptr; ++i) Sleep(50);
    std::string command = std::string("\"") + scr + "\" /s";
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    double start = nowMs();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      std::printf("cannot start %s\n", scr);
      return 4;
    }
    HWND window = findSaver(30000, 1);
    double found = nowMs();
    if (window == nullptr) {
      TerminateProcess(process.hProcess, 1);
      std::printf("no saver window\n");
      return 2;
    }
    // The window answers only from its message loop, which starts after
    // the first item is on the screen.
    bool answered = send(window, WM_NULL, 0, 0);
    double first = nowMs();
    if (!answered) {
      TerminateProcess(process.hProcess, 1);
      return 3;
    }
    windows.push_back(found - start);
    items.push_back(first - start);
    std::printf("run %ld window_ms %.1f first_item_ms %.1f\n", run, found - start, first - start);
    std::fflush(stdout);
    // Any other key ends it within the password delay.
    PostMessageA(window, WM_KEYDOWN, 'A', 0x001E0001);
    DWORD ended = WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (ended != WAIT_OBJECT_0) {
      std::printf("the saver did not end\n");
      return 5;
    }
  }
  std::printf("launch runs %ld window_median_ms %.1f first_item_median_ms %.1f\n", runs,
              at(windows, 0.5), at(items, 0.5));
  return 0;
}

using QuerySystem = LONG(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);

long handleCount(DWORD pid, long* threads) {
  auto query = reinterpret_cast<QuerySystem>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return -1;
  std::vector<unsigned char> buffer(1 << 16);
  ULONG needed = 0;
  LONG status = 0;
  // STATUS_INFO_LENGTH_MISMATCH: the list grew; try a larger buffer.
  while ((status = query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                         &needed)) == static_cast<LONG>(0xC0000004)) {
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
  }
  if (status != 0) return -1;
  size_t at = 0;
  for (;;) {
    auto* info = reinterpret_cast<SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
    if (reinterpret_cast<ULONG_PTR>(info->UniqueProcessId) == pid) {
      if (threads != nullptr) *threads = static_cast<long>(info->NumberOfThreads);
      return static_cast<long>(info->HandleCount);
    }
    if (info->NextEntryOffset == 0) return -1;
    at += info->NextEntryOffset;
  }
}

int counts(bool self) {
  long threads = 0;
  if (self) {
    DWORD pid = GetCurrentProcessId();
    long before = handleCount(pid, &threads);
    HANDLE events[200];
    for (HANDLE& e : events) e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    long during = handleCount(pid, &threads);
    for (HANDLE e : events) CloseHandle(e);
    long after = handleCount(pid, &threads);
    std::printf("self handles before %ld during %ld after %ld\n", before, during, after);
    // Wine gives the size of the handle table, which grows and shrinks in
    // steps, rather than the exact count.
    return during - before >= 200 && after < during ? 0 : 1;
  }
  HWND window = findSaver(300, 100);
  if (window == nullptr) {
    std::printf("no saver window\n");
    return 2;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  long handles = handleCount(pid, &threads);
  if (handles < 0) {
    std::printf("no such process\n");
    return 2;
  }
  std::printf("handles %ld threads %ld\n", handles, threads);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "steps") == 0) {
    return steps(std::atol(argv[2]), argc > 3 ? std::atol(argv[3]) : 0);
  }
  if (argc >= 4 && std::strcmp(argv[1], "launch") == 0) {
    return launch(argv[2], std::atol(argv[3]));
  }
  if (argc >= 2 && std::strcmp(argv[1], "relay") == 0) return relay();
  if (argc >= 2 && std::strcmp(argv[1], "counts") == 0) {
    return counts(argc >= 3 && std::strcmp(argv[2], "--self") == 0);
  }
  std::fprintf(stderr,
               "usage: saver_bench steps N [WARMUP] | relay | launch SCR RUNS | counts [--self]\n");
  return 1;
}
