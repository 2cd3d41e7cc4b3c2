// Drives a running full-screen saver: presses Enter in its window a given
// number of times, one step at a time, and reports the process's GDI
// objects, handles and memory every so many steps.
//
//   saver_driver STEPS [EVERY [PAUSE_MS [END_VK]]]   drive the "SaverWindow";
//       then, given END_VK, end it with that key, or with -1 print "waiting
//       for a key" and time the end from there
//   saver_driver --self                     check the GDI count on itself,
//       by both roads to the handle table (below)
//
// Output lines: "gdi table: ..." (where it was found), then
// "step N gdi G handles H private P workingset W maxms M".
// Exit codes: 0 done and still answering, 2 no window, 3 window gone,
// 4 a step got no answer within 5 s, 5 no answer after the last step,
// 6 the window still there 10 s after the ending key.
#define PSAPI_VERSION 2
#include <windows.h>
// After windows.h, which they build on.
#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "win32/shell/saver_messages.h"

namespace {

// GetGuiResources is not available everywhere, so GDI objects are counted
// in the process's GDI handle table. Wine lays it out alike for both
// widths: 0x10000 entries of 24 bytes; owner process id at 8; at 12 the
// handle's upper word (type in the low 5 bits, 0x80 for stock objects,
// then a generation of 1 to 0x7F); type again at 14, 0 when free.
// A 64-bit PEB points to it; a 32-bit one may not (Wine 8 leaves 0 there),
// so then the table is looked for among the process's memory regions.
// The driver is built with the saver's width, so the PEBs match.
constexpr size_t kPebGdiTable = sizeof(void*) == 8 ? 0xF8 : 0x94;
constexpr size_t kEntrySize = 24;
constexpr size_t kEntries = 0x10000;
constexpr size_t kTableSize = kEntrySize * kEntries;

using Table = std::vector<unsigned char>;
using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

bool inUse(const unsigned char* e) { return e[14] != 0; }

// Every entry in use is consistent, and the stock objects that every
// process with GDI holds are there: a heap or a stack of the same size
// is not taken for the table.
bool looksLikeTable(const Table& t) {
  bool stock = false;
  for (size_t i = 0; i < kEntries; ++i) {
    const unsigned char* e = &t[i * kEntrySize];
    if (!inUse(e)) continue;
    if ((e[12] & 0x1F) != e[14] || e[13] == 0 || e[13] > 0x7F) return false;
    if ((e[12] & 0x80) != 0) stock = true;
  }
  return stock;
}

// The copy has room for one entry more, so that it never fills a region of
// the table's size, where the search of the driver's own memory would find it.
bool readTable(HANDLE process, const void* at, Table& t) {
  t.resize(kTableSize + kEntrySize);
  SIZE_T got = 0;
  return at != nullptr && ReadProcessMemory(process, at, t.data(), kTableSize, &got) &&
         got == kTableSize && looksLikeTable(t);
}

const void* tableByPeb(HANDLE process) {
  auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  if (query == nullptr) return nullptr;
  PROCESS_BASIC_INFORMATION info{};
  if (query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return nullptr;
  void* table = nullptr;
  SIZE_T got = 0;
  const char* peb = static_cast<const char*>(static_cast<void*>(info.PebBaseAddress));
  if (!ReadProcessMemory(process, peb + kPebGdiTable, &table, sizeof table, &got)) return nullptr;
  Table t;
  return readTable(process, table, t) ? table : nullptr;
}

// The one private, read-write region of exactly the table's size that
// looks like it; none when there is none or more than one.
const void* tableByRegions(HANDLE process) {
  const void* found = nullptr;
  int matches = 0;
  Table t;
  MEMORY_BASIC_INFORMATION m{};
  uintptr_t at = 0;
  while (VirtualQueryEx(process, reinterpret_cast<const void*>(at), &m, sizeof m) == sizeof m) {
    if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE && m.Protect == PAGE_READWRITE &&
        m.RegionSize == kTableSize && readTable(process, m.BaseAddress, t)) {
      found = m.BaseAddress;
      ++matches;
    }
    uintptr_t next = reinterpret_cast<uintptr_t>(m.BaseAddress) + m.RegionSize;
    if (next <= at) break;  // the top of the address space
    at = next;
  }
  return matches == 1 ? found : nullptr;
}

long gdiObjects(HANDLE process, const void* table, DWORD pid) {
  static Table t;
  if (!readTable(process, table, t)) return -1;
  long count = 0;
  for (size_t i = 0; i < kEntries; ++i) {
    const unsigned char* e = &t[i * kEntrySize];
    unsigned owner = e[8] | e[9] << 8;
    bool stock = (e[12] & 0x80) != 0;
    if (inUse(e) && !stock && (owner == 0 || owner == (pid & 0xFFFF))) ++count;
  }
  return count;
}

// The PEB's table, else the region search's. Where the PEB has one, the
// search must find the same, so that it is tried wherever the driver runs.
const void* findTable(HANDLE process) {
  const void* byPeb = tableByPeb(process);
  const void* byRegions = tableByRegions(process);
  if (byPeb != nullptr && byRegions != byPeb) {
    std::printf("gdi table: by peb %p, by regions %p\n", byPeb, byRegions);
    return nullptr;
  }
  if (byRegions == nullptr) {
    std::printf("gdi table: none found\n");
  } else {
    std::printf("gdi table: %p by %s\n", byRegions,
                byPeb != nullptr ? "peb and regions" : "regions");
  }
  return byRegions;
}

void report(const char* label, long step, HANDLE process, const void* table, DWORD pid,
            DWORD maxMs) {
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  std::printf("%s %ld gdi %ld handles %lu private %lu workingset %lu maxms %lu\n", label, step,
              gdiObjects(process, table, pid), static_cast<unsigned long>(handles),
              static_cast<unsigned long>(memory.PrivateUsage / 1024),
              static_cast<unsigned long>(memory.WorkingSetSize / 1024),
              static_cast<unsigned long>(maxMs));
  std::fflush(stdout);
}

// Counts 100 brushes of its own through one road's table, which must hold
// them where their handles say.
bool selfRoad(const char* road, const void* table) {
  HANDLE self = GetCurrentProcess();
  DWORD pid = GetCurrentProcessId();
  long before = gdiObjects(self, table, pid);
  HBRUSH brushes[100];
  for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
  long during = gdiObjects(self, table, pid);
  bool placed = table != nullptr;
  for (size_t i = 0; placed && i < 100; ++i) {
    auto handle = reinterpret_cast<uintptr_t>(brushes[i]);
    const auto* e = static_cast<const unsigned char*>(table) + (handle & 0xFFFF) * kEntrySize;
    placed = unsigned{e[12]} + (unsigned{e[13]} << 8) == ((handle >> 16) & 0xFFFF) && e[14] == 0x10;
  }
  for (HBRUSH b : brushes) DeleteObject(b);
  long after = gdiObjects(self, table, pid);
  std::printf("self gdi by %s at %p before %ld during %ld after %ld%s\n", road, table, before,
              during, after,
              table != nullptr && !placed ? ", brushes not where their handles say" : "");
  return placed && during - before == 100 && after == before;
}

// The region search must work; the PEB road may find nothing (32-bit
// processes under Wine 8), but what it finds must be the same table. Two
// regions of the table's size are not taken for it: fresh memory and
// memory full of junk.
int selfCheck() {
  void* decoys[2];
  for (void*& d : decoys) {
    d = VirtualAlloc(nullptr, kTableSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  if (decoys[1] != nullptr) {
    uint32_t x = 1;
    auto* junk = static_cast<unsigned char*>(decoys[1]);
    for (size_t i = 0; i < kTableSize; ++i) {
      x = x * 1103515245u + 12345u;
      junk[i] = static_cast<unsigned char>(x >> 16);
    }
  }
  const void* byPeb = tableByPeb(GetCurrentProcess());
  const void* byRegions = tableByRegions(GetCurrentProcess());
  for (void* d : decoys) {
    if (d != nullptr) VirtualFree(d, 0, MEM_RELEASE);
  }
  bool ok = selfRoad("regions", byRegions);
  if (byPeb != nullptr) {
    ok = selfRoad("peb", byPeb) && byPeb == byRegions && ok;
  } else {
    std::printf("self gdi by peb: no table\n");
  }
  return ok ? 0 : 1;
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
  const void* table = process != nullptr ? findTable(process) : nullptr;
  if (process != nullptr) report("step", 0, process, table, pid, 0);

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
    if (!sendUntilNoneOwed(window, 5000)) {
      std::printf("no answer from the other monitors at step %ld\n", step);
      return 4;
    }
    DWORD took = GetTickCount() - start;
    if (took > maxMs) maxMs = took;
    if (process != nullptr && every > 0 && step % every == 0) {
      report("step", step, process, table, pid, maxMs);
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
