// The settings store against the real registry (Wine's, in the test prefix).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/show/settings.h"
#include "win32/shell/registry_values.h"
#include "win32/shell/settings_store.h"

namespace {

const char* kValueNames[] = {"Time Delay", "Display Logo", "Use Pellow",   "Use ZB",
                             "Use Random", "Use Original", "Use Official", "Per Pellow",
                             "Per ZB",     "Per Random",   "Per Original", "Per Official",
                             "Use Toasty", "Per Toasty",   "Use Sound",    "Logo Frames"};

void deleteKey(const char* path, HKEY root = HKEY_CURRENT_USER) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    char name[512];
    for (;;) {
      DWORD size = sizeof name;
      if (RegEnumValueA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      RegDeleteValueA(key, name);
    }
    RegCloseKey(key);
  }
  RegDeleteKeyA(root, path);
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { clear(); }
  void TearDown() override { clear(); }
  static void clear() {
    deleteKey(kProductKey);
    deleteKey(kProductKey, HKEY_LOCAL_MACHINE);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPlatformKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, "Password Delay");
      RegDeleteValueA(key, "Mouse Threshold");
      RegCloseKey(key);
    }
  }
  static void put(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size,
                  HKEY root = HKEY_CURRENT_USER) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  // "Directory" of the product key, with its NUL.
  static void putText(const char* folder, HKEY root = HKEY_CURRENT_USER) {
    put(kProductKey, "Directory", REG_SZ, folder, static_cast<DWORD>(std::strlen(folder) + 1),
        root);
  }
  static void putDword(const char* keyPath, const char* name, DWORD value) {
    put(keyPath, name, REG_DWORD, &value, sizeof value);
  }
  static SaverSettings loaded() {
    SaverSettings s;
    loadPlatformSettings(s);
    loadProductSettings(s);
    return s;
  }
  static std::vector<uint32_t> productValues(const SaverSettings& s) {
    std::vector<uint32_t> v;
    for (const ProductValue& p : kProductValues) v.push_back(s.*p.field);
    return v;
  }
};

const std::vector<uint32_t> kDefaultsInReadOrder = {20, 1,  1, 1, 1, 1,  1, 1,
                                                    3,  24, 1, 4, 1, 50, 0, 40};

}  // namespace

TEST_F(RegistryTest, WithNeitherKeyEverythingIsDefault) {
  SaverSettings s = loaded();
  EXPECT_EQ(s.passwordDelay, 15u);
  EXPECT_EQ(s.mouseThreshold, 50);
  EXPECT_STREQ(s.directory, "c:\\program files\\quenwick\\zorbel screensaver");
  EXPECT_EQ(productValues(s), kDefaultsInReadOrder);
  EXPECT_EQ(s.inputSuspended, 0);
}

TEST_F(RegistryTest, EachValueIsReadFromItsKey) {
  putDword(kProductKey, "Time Delay", 5);
  SaverSettings one = loaded();
  EXPECT_EQ(one.timeDelay, 5u);
  std::vector<uint32_t> expected = kDefaultsInReadOrder;
  expected[0] = 5;
  EXPECT_EQ(productValues(one), expected);

  for (int i = 0; i < 16; ++i) putDword(kProductKey, kValueNames[i], 100 + i);
  putDword(kPlatformKey, "Password Delay", 0);
  putDword(kPlatformKey, "Mouse Threshold", 0xFFFFFFFF);
  SaverSettings all = loaded();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(productValues(all)[i], 100u + i) << kValueNames[i];
  EXPECT_EQ(all.passwordDelay, 0u);
  EXPECT_EQ(all.mouseThreshold, -1);
}

TEST_F(RegistryTest, ValuesOfTheWrongSizeOrTypeNeverOverrun) {
  const unsigned char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  put(kProductKey, "Time Delay", REG_BINARY, eight, 8);
  put(kProductKey, "Per ZB", REG_BINARY, eight, 2);
  put(kProductKey, "Logo Frames", REG_SZ, "12345678901234567890", 21);
  put(kProductKey, "Per Random", REG_BINARY, eight, 4);
  std::string huge(100000, 'h');
  put(kProductKey, "Use ZB", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));
  SaverSettings s = loaded();
  EXPECT_EQ(s.timeDelay, 20u);
  EXPECT_EQ(s.perZB, 3u);
  EXPECT_EQ(s.logoFrames, 40u);
  EXPECT_EQ(s.useZB, 1u);
  EXPECT_EQ(s.perRandom, 0x04030201u);  // four bytes of any type read as a DWORD
}

TEST_F(RegistryTest, DirectoryLengthsAndTermination) {
  std::string fits(255, 'd');
  put(kProductKey, "Directory", REG_SZ, fits.c_str(), 256);
  EXPECT_EQ(std::string(loaded().directory), fits);

  std::string tooLong(256, 'e');
  put(kProductKey, "Directory", REG_SZ, tooLong.c_str(), 257);
  EXPECT_STREQ(loaded().directory, kDefaultDirectory);

  // Stored without its NUL: 256 characters still do not fit, 5 do.
  put(kProductKey, "Directory", REG_SZ, tooLong.data(), 256);
  EXPECT_STREQ(loaded().directory, kDefaultDirectory);
  put(kProductKey, "Directory", REG_SZ, "c:\\abXYZ", 5);
  EXPECT_STREQ(loaded().directory, "c:\\ab");

  DWORD number = 7;
  put(kProductKey, "Directory", REG_DWORD, &number, 4);
  EXPECT_STREQ(loaded().directory, kDefaultDirectory);
}

// The installer records its folder for the whole machine; a user's own
// "Directory" wins, whichever was written first.
TEST_F(RegistryTest, MachineFolderServesUsersWithoutTheirOwn) {
  putText("d:\\comics", HKEY_LOCAL_MACHINE);
  EXPECT_STREQ(loaded().directory, "d:\\comics");
  putDword(kProductKey, "Time Delay", 5);  // a user key without a folder
  EXPECT_STREQ(loaded().directory, "d:\\comics");
  putText("e:\\mine");
  EXPECT_STREQ(loaded().directory, "e:\\mine");

  clear();
  putText("e:\\mine");
  putText("d:\\comics", HKEY_LOCAL_MACHINE);
  EXPECT_STREQ(loaded().directory, "e:\\mine");

  // A machine value that is no usable text leaves the default.
  clear();
  std::string tooLong(300, 'm');
  put(kProductKey, "Directory", REG_SZ, tooLong.c_str(), 301, HKEY_LOCAL_MACHINE);
  EXPECT_STREQ(loaded().directory, kDefaultDirectory);
  DWORD number = 7;
  put(kProductKey, "Directory", REG_DWORD, &number, 4, HKEY_LOCAL_MACHINE);
  EXPECT_STREQ(loaded().directory, kDefaultDirectory);
}

TEST_F(RegistryTest, SaveWritesTheDialogsValuesAndLeavesTheFolder) {
  SaverSettings s = loaded();
  s.timeDelay = 0xFFFFFFFF;
  s.perOfficial = 9;
  saveProductSettings(s);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  // The 16 and "EveryMonitor"; no "Directory" unless it was there before.
  EXPECT_EQ(values, 17u);
  for (const char* name : kValueNames) {
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, nullptr, &size), ERROR_SUCCESS) << name;
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
  }
  RegCloseKey(key);
  SaverSettings back = loaded();
  EXPECT_EQ(back.timeDelay, 0xFFFFFFFFu);
  EXPECT_EQ(back.perOfficial, 9u);

  // Restore Defaults, then save: the 16 defaults; the folder stays as stored.
  put(kProductKey, "Directory", REG_SZ, "c:\\comics", 10);
  back.setDefaults();
  saveProductSettings(back);
  SaverSettings again = loaded();
  EXPECT_EQ(productValues(again), kDefaultsInReadOrder);
  EXPECT_STREQ(again.directory, "c:\\comics");
}

TEST_F(RegistryTest, ScaleIsReadAloneAndNeverSaved) {
  EXPECT_EQ(loaded().scale, 0u);
  putDword(kProductKey, "Scale", 3);
  SaverSettings s = loaded();
  EXPECT_EQ(s.scale, 3u);
  // Neither Restore Defaults nor a save touches it.
  s.setDefaults();
  s.scale = 5;
  saveProductSettings(s);
  EXPECT_EQ(loaded().scale, 3u);
  // Automatic for a number over 8 and for any other type.
  putDword(kProductKey, "Scale", 9);
  EXPECT_EQ(loaded().scale, 0u);
  const unsigned char two[4] = {2, 0, 0, 0};
  put(kProductKey, "Scale", REG_BINARY, two, 4);
  EXPECT_EQ(loaded().scale, 0u);
  put(kProductKey, "Scale", REG_SZ, "2", 2);
  EXPECT_EQ(loaded().scale, 0u);
}

TEST_F(RegistryTest, EveryMonitorIsOnUnlessStoredOff) {
  EXPECT_EQ(loaded().everyMonitor, 1u);
  putDword(kProductKey, "EveryMonitor", 0);
  SaverSettings s = loaded();
  EXPECT_EQ(s.everyMonitor, 0u);
  // Saved with the dialog's values; Restore Defaults turns it on again.
  s.setDefaults();
  saveProductSettings(s);
  EXPECT_EQ(loaded().everyMonitor, 1u);
  s.everyMonitor = 0;
  saveProductSettings(s);
  EXPECT_EQ(loaded().everyMonitor, 0u);
}

namespace {

struct SeenMessage {
  UINT message;
  int32_t suspendedAtTheTime;
};
std::vector<SeenMessage> seen;
SaverSettings* watched = nullptr;

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM first, LPARAM second) {
  if (message == WM_SETCURSOR || message == WM_CLOSE) {
    seen.push_back({message, watched->inputSuspended});
    if (message == WM_CLOSE) return 0;
  }
  return DefWindowProcA(window, message, first, second);
}

}  // namespace

TEST(SaverInputState, CloseRequestAndTheOrderAroundAPrompt) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = recordingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "SettingsTestWindow";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, "SettingsTestWindow", "t", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  SaverSettings s;
  s.window = window;
  watched = &s;
  seen.clear();

  suspendInput(s);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_SETCURSOR));
  EXPECT_EQ(seen[0].suspendedAtTheTime, 1);  // flag set before the message

  SetCursorPos(123, 45);
  resumeInput(s);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].suspendedAtTheTime, 0);
  POINT p{};
  GetCursorPos(&p);
  EXPECT_EQ(s.startCursor.x, p.x);
  EXPECT_EQ(s.startCursor.y, p.y);

  // The close is posted, not sent: it arrives through the message loop.
  requestClose(s);
  EXPECT_EQ(s.closeRequested, 1);
  EXPECT_EQ(seen.size(), 2u);
  MSG msg;
  while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[2].message, static_cast<UINT>(WM_CLOSE));
  DestroyWindow(window);
  watched = nullptr;
}
