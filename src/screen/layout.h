// The working screen: mode line, titles, stack box, memory window, menu
// column and key hints, in the full (DisplayMode 0) and the compact layout.
#pragma once
#include <cstdint>

#include "state/calc.h"

namespace qirn {

void InitializeScreen(Calc& c);
void WriteStackAndMemory(Calc& c);  // leaves the cursor at (1, 2)
void PrintStack(Calc& c);           // recomputes StackText, writes the shown levels
void PrintMem(Calc& c);
void PrintMenu(Calc& c);
void WriteMode(Calc& c);
void DetermineMemPtr(Calc& c, int16_t n);

// Moves into the other number system, in number mode `mode`: on the way
// into D the sexagesimal mode left is kept in PrevSxgMode; the mode line, the
// memory window (from register 0) and the stack of the new system are drawn.
void SwitchSystem(Calc& c, char mode);

// The display text of a value in the current number mode.
String55 DisplayText(const Calc& c, int level);

}  // namespace qirn
