#include "core/show/placement.h"

#include "core/random/random_source.h"

int32_t randomPlace(RandomSource& random, int32_t room) {
  uint32_t value = random.next();
  if (room <= 0) return 0;
  return static_cast<int32_t>(value % static_cast<uint32_t>(room));
}
