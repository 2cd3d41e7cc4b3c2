// The show's pseudo-random generator: MT19937 seeded by the 69069 rule. Each
// show holds its own, so shows side by side draw independent sequences.
#pragma once

#include <cstdint>

class RandomSource {
 public:
  void seed(uint32_t value);
  // Next tempered output; seeds from the clock if nothing seeded it yet.
  uint32_t next();

 private:
  uint32_t regenerate();

  static constexpr int kSize = 624;
  uint32_t state_[kSize] = {};
  int32_t remaining_ = -1;
  int cursor_ = 0;
};
