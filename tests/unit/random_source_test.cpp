#include <gtest/gtest.h>

#include <ctime>

#include "core/random/random_source.h"

TEST(RandomSource, MatchesReferenceOutputsForSeed4357) {
  RandomSource r;
  r.seed(4357);
  EXPECT_EQ(r.next(), 3510405877u);
  EXPECT_EQ(r.next(), 4290933890u);
  EXPECT_EQ(r.next(), 2191955339u);
}

TEST(RandomSource, SecondRegenerationContinuesTheSequence) {
  RandomSource r;
  r.seed(4357);
  uint32_t v = 0;
  for (int i = 0; i < 623; ++i) v = r.next();
  EXPECT_EQ(r.next(), 730882493u);   // 624th
  EXPECT_EQ(r.next(), 2222118351u);  // 625th, from the second regeneration
  (void)v;
}

TEST(RandomSource, SeedsZeroAndOneAreTheSame) {
  RandomSource a;
  RandomSource b;
  a.seed(0);
  b.seed(1);
  EXPECT_EQ(a.next(), 3796174982u);
  EXPECT_EQ(b.next(), 3796174982u);
  EXPECT_EQ(a.next(), 4182529786u);
  EXPECT_EQ(b.next(), 4182529786u);
  for (int i = 0; i < 2000; ++i) ASSERT_EQ(a.next(), b.next());
}

TEST(RandomSource, ReseedingRestartsTheSequence) {
  RandomSource r;
  r.seed(99);
  uint32_t first = r.next();
  for (int i = 0; i < 1000; ++i) r.next();
  r.seed(99);
  EXPECT_EQ(r.next(), first);
}

TEST(RandomSource, UnseededSeedsFromTheClockOnFirstUse) {
  // Retry across a second boundary so the clock reading matches.
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::time_t before = std::time(nullptr);
    RandomSource unseeded;
    uint32_t got = unseeded.next();
    std::time_t after = std::time(nullptr);
    if (before != after) continue;
    RandomSource reference;
    reference.seed(static_cast<uint32_t>(before));
    EXPECT_EQ(got, reference.next());
    return;
  }
  FAIL() << "clock kept moving";
}
