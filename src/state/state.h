// The whole working state of the calculator in one plain record. Every
// command reads and changes these fields directly.
#pragma once
#include <cstdint>
#include <limits>

#include "sexagesimal/string55.h"
#include "sexagesimal/sxg.h"

namespace qirn {

static_assert(std::numeric_limits<long double>::digits == 64,
              "decimal values are 80-bit extended: a 64-bit significand is required");

struct State {
  bool Use_Disk = true;     // state file and printing; false with "/n"
  char NumberMode = 'G';    // D decimal; G Greek, C Chinese, S Sexagesimal, Z Zodiacal
  char PrevSxgMode = 'G';   // sexagesimal mode left at the last change into D
  int16_t TrigMode = 0;     // 0 degrees, 1 radians
  int16_t Base = 1;         // radius of the base circle, 1..9999
  int16_t MemPtr = 0;       // first register of the memory window, 0..9
  int16_t Menu_No = 1;      // 0 none, 1 main, 2 trigonometric, 3 various
  int16_t DisplayMode = 0;  // 0 full layout, 1 compact
  long double RealStack[4] = {};  // 0 X, 1 Y, 2 Z, 3 T
  Sxg SxgStack[4] = {};
  long double RealMem[10] = {};
  Sxg SxgMem[10] = {};
  String55 RealMemText[10];
  String55 SxgMemText[10];
  String55 StackText[4];  // display texts of the current system's stack, as drawn
};

// Gives every field with a default its default (Use_Disk is left alone).
void SetDefaults(State& s);

inline bool IsDecimalMode(const State& s) { return s.NumberMode == 'D'; }

}  // namespace qirn
