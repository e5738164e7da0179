// Placeholder until number entry lands.
#include "calculator/commands.h"
namespace qirn {
void StackInput(Calc&, uint8_t& ch, uint8_t&) { ch = 13; }
void Illegal(Calc&) {}
}  // namespace qirn
