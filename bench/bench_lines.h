// The parts of qirn_bench.
#pragma once
#include <cstdio>

#include "table.h"

namespace qirn::bench {

void AddArithmetic(Table& t);  // SxgAddition .. ComputeSqrt
void AddFormatting(Table& t);  // SxgToStr, RealToStr
void AddTrig(Table& t);        // the sexagesimal trigonometric commands

// The keystroke replay and the start-up times; prints Markdown tables and
// returns the number of goals not met.
int RunKeys(std::FILE* out, int passes);

}  // namespace qirn::bench
