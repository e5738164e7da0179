// The state file "SAVE.QN" in the current directory and the printed report.
#pragma once
#include "state/calc.h"

namespace qirn {

bool ReadSave(Calc& c);   // true when the whole file was read and valid
void WriteSave(Calc& c);  // never reports to the user
void Print(Calc& c);      // Alt+P

}  // namespace qirn
