// Placeholders until the working screen lands.
#include "screen/dialog.h"
#include "screen/layout.h"
namespace qirn {
void PutText(Calc&, std::string_view, int16_t) {}
void PutWindow(Calc&, std::string_view) {}
void EraseWindow(Calc&) {}
bool WindowYesNo(Calc&) { return false; }
int16_t WindowNumber(Calc&, int16_t, int16_t) { return -1; }
String55 WindowText(Calc&, int16_t) { return String55("\x1b"); }
void HandleError(Calc&, int16_t) {}
void HandleOverflow(Calc&, bool) {}
std::string_view ErrorMessage(int16_t) { return ""; }
std::string_view OverflowMessage(bool) { return ""; }
void InitializeScreen(Calc&) {}
void WriteStackAndMemory(Calc&) {}
void PrintStack(Calc&) {}
void PrintMem(Calc&) {}
void PrintMenu(Calc&) {}
void WriteMode(Calc&) {}
void DetermineMemPtr(Calc&, int16_t) {}
String55 DisplayText(const Calc&, int) { return String55(); }
}  // namespace qirn
