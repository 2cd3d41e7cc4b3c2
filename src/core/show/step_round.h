// A forced step of the shows of several monitors, taken one show at a time:
// the first when the key comes, each further one on a later turn of the
// front end's loop. The key is answered once one item is drawn, not one
// per monitor, and input is read between the monitors' items.
#pragma once

#include <cstdint>

struct Show;

class StepRound {
 public:
  // Every show of the front end's list now owes a forced step.
  void start() { next_ = 0; }
  // Nothing is owed any more: every show has just shown its next item.
  void end() { next_ = INT32_MAX; }
  // The index of the next show owing its step, which is taken; -1 when none
  // of count shows owes one (also when shows have gone since the start).
  int32_t take(int32_t count);
  // How many of count shows still owe their step.
  int32_t owed(int32_t count) const;

 private:
  int32_t next_ = INT32_MAX;
};

// One show's part of a forced step of count shows: its next item now, and
// its later changes set apart from the others' by its place in the list,
// so that the monitors do not all change at the same moment. A show
// without a catalogue puts up why it has none.
void advanceInRound(Show& show, int32_t index, int32_t count);
