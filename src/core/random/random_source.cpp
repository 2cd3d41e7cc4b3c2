#include "core/random/random_source.h"

#include <ctime>

namespace {

constexpr int kShift = 397;
constexpr uint32_t kMatrix = 0x9908B0DFu;
constexpr uint32_t kUpper = 0x80000000u;
constexpr uint32_t kLower = 0x7FFFFFFFu;

uint32_t temper(uint32_t y) {
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  y ^= y >> 18;
  return y;
}

}  // namespace

void RandomSource::seed(uint32_t value) {
  uint32_t x = value | 1u;
  state_[0] = x;
  for (int i = 1; i < kSize; ++i) state_[i] = state_[i - 1] * 69069u;
  remaining_ = 0;
}

uint32_t RandomSource::regenerate() {
  if (remaining_ < -1) seed(static_cast<uint32_t>(std::time(nullptr)));
  remaining_ = kSize - 1;
  cursor_ = 1;
  // In place and in index order: words from 227 on mix in words that were
  // already renewed, and the last word uses the new word 0.
  for (int k = 0; k < kSize; ++k) {
    uint32_t y = (state_[k] & kUpper) | (state_[(k + 1) % kSize] & kLower);
    state_[k] = state_[(k + kShift) % kSize] ^ (y >> 1) ^ ((y & 1u) != 0u ? kMatrix : 0u);
  }
  return temper(state_[0]);
}

uint32_t RandomSource::next() {
  --remaining_;
  if (remaining_ < 0) return regenerate();
  return temper(state_[cursor_++]);
}
