#include "core/show/step_round.h"

#include "core/show/screen_layout.h"
#include "core/show/show.h"
#include "core/show/show_chooser.h"

int32_t StepRound::take(int32_t count) {
  if (next_ >= count) return -1;
  return next_++;
}

int32_t StepRound::owed(int32_t count) const { return next_ < count ? count - next_ : 0; }

void advanceInRound(Show& show, int32_t index, int32_t count) {
  advance(show, true);
  if (!show.catalogLoaded || show.settings == nullptr) return;
  int32_t delayTicks = static_cast<int32_t>(show.settings->timeDelay * 10u);
  show.tickTarget += staggerTicks(delayTicks, index, count);
}
