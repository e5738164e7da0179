// Placeholders until the working screen lands.
#include "screen/layout.h"
namespace qirn {
void InitializeScreen(Calc&) {}
void WriteStackAndMemory(Calc&) {}
void PrintStack(Calc&) {}
void PrintMem(Calc&) {}
void PrintMenu(Calc&) {}
void WriteMode(Calc&) {}
void DetermineMemPtr(Calc&, int16_t) {}
String55 DisplayText(const Calc&, int) { return String55(); }
}  // namespace qirn
