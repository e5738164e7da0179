// One calculator: its state and the console it draws on and reads keys from.
// Every procedure of the program takes the calculator it works on; there is
// no other state, so a test builds a fresh one.
#pragma once
#include "console/console.h"
#include "state/state.h"

namespace qirn {

struct Calc {
  State st;
  Console& io;
  explicit Calc(Console& console) : io(console) {}
  Screen& scr() { return io.screen; }
};

}  // namespace qirn
