#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "win32/shell/config_rules.h"

TEST(ConfigRules, NumberBoxText) {
  EXPECT_EQ(readDialogNumber("20"), 20u);
  EXPECT_EQ(readDialogNumber("  007"), 7u);
  EXPECT_EQ(readDialogNumber("12abc"), 12u);
  // Empty or unreadable boxes count as 0.
  EXPECT_EQ(readDialogNumber(""), 0u);
  EXPECT_EQ(readDialogNumber(nullptr), 0u);
  EXPECT_EQ(readDialogNumber("abc"), 0u);
  EXPECT_EQ(readDialogNumber("-5"), 0u);
  EXPECT_EQ(readDialogNumber("+5"), 0u);
  // The 32-bit limit: the maximum survives, anything above is unreadable.
  EXPECT_EQ(readDialogNumber("4294967295"), 4294967295u);
  EXPECT_EQ(readDialogNumber("4294967296"), 0u);
  EXPECT_EQ(readDialogNumber("99999999999999999999999999999"), 0u);
  EXPECT_EQ(readDialogNumber("0000000000000000000004294967295"), 4294967295u);
}

TEST(ConfigRules, Questions) {
  SaverSettings s;
  s.setDefaults();
  EXPECT_FALSE(noGroupSelected(s));
  EXPECT_FALSE(noTypeSelected(s));
  s.useZB = 0;
  EXPECT_FALSE(noGroupSelected(s));
  s.usePellow = 0;
  EXPECT_TRUE(noGroupSelected(s));
  s.useRandom = 0;
  s.useOriginal = 0;
  EXPECT_FALSE(noTypeSelected(s));
  s.useOfficial = 0;
  EXPECT_TRUE(noTypeSelected(s));
  // Any non-zero value counts as on, as a hand-edited registry may hold.
  s.useOfficial = 7;
  EXPECT_FALSE(noTypeSelected(s));
}

TEST(ConfigRules, FirstZeroWeightInOrder) {
  SaverSettings s;
  s.setDefaults();
  EXPECT_EQ(firstZeroWeightError(s), nullptr);
  // Time delay and logo frames may be 0.
  s.timeDelay = 0;
  s.logoFrames = 0;
  EXPECT_EQ(firstZeroWeightError(s), nullptr);
  // A weight counts even when its category is switched off.
  s.useToasty = 0;
  s.perToasty = 0;
  EXPECT_STREQ(firstZeroWeightError(s), "The Popup Chance must be greater than zero");
  s.perOfficial = 0;
  EXPECT_STREQ(firstZeroWeightError(s), "The Popup Chance must be greater than zero");
  s.perToasty = 1;
  EXPECT_STREQ(firstZeroWeightError(s), "The Official Frequency must be greater than zero");
  s.perPellow = 0;
  s.perOriginal = 0;
  EXPECT_STREQ(firstZeroWeightError(s), "The Pellow Frequency must be greater than zero");
  s.perZB = 0;
  EXPECT_STREQ(firstZeroWeightError(s), "The Zorbel Frequency must be greater than zero");
  s.perZB = s.perPellow = 1;
  s.perRandom = 0;
  EXPECT_STREQ(firstZeroWeightError(s), "The Random Frequency must be greater than zero");
  s.perRandom = 1;
  EXPECT_STREQ(firstZeroWeightError(s), "The Original Frequency must be greater than zero");
}

TEST(ConfigRules, VersionLine) {
  char text[256];
  std::snprintf(text, sizeof text, kVersionFormat, kVersionNumbers[0], kVersionNumbers[1],
                kVersionNumbers[2], kVersionNumbers[3], kVersionNumbers[4]);
  EXPECT_EQ(std::string(text).substr(0, std::string(text).find('\n')),
            "Zorbel Screensaver - version 2.20.03");
  int lines = 0;
  for (const char* p = text; *p; ++p) lines += *p == '\n';
  EXPECT_EQ(lines, 2);
}
