#include <gtest/gtest.h>

#include <cstring>

#include "core/show/settings.h"
#include "win32/shell/registry_values.h"

TEST(Settings, ConstructionAndDefaults) {
  SaverSettings s;
  EXPECT_EQ(s.window, nullptr);
  EXPECT_EQ(s.closeRequested, 0);
  EXPECT_EQ(s.timerId, 0u);
  s.passwordDelay = 7;
  s.mouseThreshold = 3;
  std::strcpy(s.directory, "d:\\comics");
  s.setDefaults();
  uint32_t expected[] = {20, 1, 1, 1, 1, 1, 1, 1, 0, 1, 3, 24, 1, 4, 50, 40};
  uint32_t actual[] = {s.timeDelay,   s.displayLogo, s.usePellow,   s.useZB,
                       s.useRandom,   s.useOriginal, s.useOfficial, s.useToasty,
                       s.useSound,    s.perPellow,   s.perZB,       s.perRandom,
                       s.perOriginal, s.perOfficial, s.perToasty,   s.logoFrames};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(actual[i], expected[i]) << i;
  // The folder and the platform values are not the dialog's.
  EXPECT_EQ(s.passwordDelay, 7u);
  EXPECT_EQ(s.mouseThreshold, 3);
  EXPECT_STREQ(s.directory, "d:\\comics");
}

TEST(Settings, ProductValuesAreInRegistryOrder) {
  const char* names[] = {"Time Delay", "Display Logo", "Use Pellow",   "Use ZB",
                         "Use Random", "Use Original", "Use Official", "Per Pellow",
                         "Per ZB",     "Per Random",   "Per Original", "Per Official",
                         "Use Toasty", "Per Toasty",   "Use Sound",    "Logo Frames"};
  for (int i = 0; i < 16; ++i) EXPECT_STREQ(kProductValues[i].name, names[i]);
  SaverSettings s;
  s.*kProductValues[8].field = 77;
  EXPECT_EQ(s.perZB, 77u);
}

TEST(Settings, DwordValuesOnlyOfFourBytes) {
  uint32_t field = 9;
  const uint8_t five[] = {5, 0, 0, 0, 1};
  EXPECT_FALSE(applyDwordValue(field, kRegDword, five, 5));
  EXPECT_FALSE(applyDwordValue(field, kRegDword, five, 2));
  EXPECT_FALSE(applyDwordValue(field, kRegDword, nullptr, 4));
  EXPECT_EQ(field, 9u);
  const uint8_t big[] = {0x78, 0x56, 0x34, 0x12};
  EXPECT_TRUE(applyDwordValue(field, kRegDword, big, 4));
  EXPECT_EQ(field, 0x12345678u);
}

TEST(Settings, DirectoryValueRules) {
  char dir[256] = "default";
  std::string ok(255, 'd');
  EXPECT_TRUE(applyDirectoryValue(dir, kRegSz, reinterpret_cast<const uint8_t*>(ok.c_str()), 256));
  EXPECT_EQ(std::string(dir), ok);

  std::strcpy(dir, "default");
  std::string tooLong(256, 'e');
  // Stored without its NUL: 256 characters do not fit.
  EXPECT_FALSE(
      applyDirectoryValue(dir, kRegSz, reinterpret_cast<const uint8_t*>(tooLong.data()), 256));
  EXPECT_STREQ(dir, "default");

  // Not NUL-terminated but short: read only what is there.
  const uint8_t raw[] = {'c', ':', '\\', 'x'};
  EXPECT_TRUE(applyDirectoryValue(dir, kRegSz, raw, sizeof raw));
  EXPECT_STREQ(dir, "c:\\x");

  // Text stops at the first NUL.
  const uint8_t embedded[] = {'a', 0, 'b', 0};
  EXPECT_TRUE(applyDirectoryValue(dir, kRegSz, embedded, sizeof embedded));
  EXPECT_STREQ(dir, "a");

  std::strcpy(dir, "default");
  const uint8_t number[] = {1, 0, 0, 0};
  EXPECT_FALSE(applyDirectoryValue(dir, kRegDword, number, 4));
  EXPECT_STREQ(dir, "default");
}

TEST(Settings, ScaleValueRules) {
  SaverSettings s;
  EXPECT_EQ(s.scale, 0u);
  const uint8_t eight[] = {8, 0, 0, 0};
  const uint8_t nine[] = {9, 0, 0, 0};
  applyScaleValue(s.scale, kRegDword, eight, 4);
  EXPECT_EQ(s.scale, 8u);
  s.setDefaults();  // Restore Defaults leaves it
  EXPECT_EQ(s.scale, 8u);
  // Automatic for a larger number, another size or another type.
  applyScaleValue(s.scale, kRegDword, nine, 4);
  EXPECT_EQ(s.scale, 0u);
  s.scale = 2;
  applyScaleValue(s.scale, kRegDword, eight, 2);
  EXPECT_EQ(s.scale, 0u);
  s.scale = 2;
  applyScaleValue(s.scale, kRegSz, eight, 4);
  EXPECT_EQ(s.scale, 0u);
}
