// Number entry: the conversion of a finished entry text into a value of one
// of the two number systems, shared by the key loop and its tests.
#pragma once
#include <string_view>

#include "sexagesimal/sxg.h"
#include "state/calc.h"

namespace qirn {

// Notation letters of a finished entry. A bare whole number that the entry
// judged sexagesimal carries no letter (character 0).
inline constexpr char kBareWhole = 0;

// The decimal value of digits with an optional point ("12.5", ".5", "."), as
// the standard text-to-number conversion rounds it; negated when N is set
// and the value is not zero. The text holds at most 55 characters.
long double EntryToReal(std::string_view Inp, bool N);

// The Sxg value of a finished sexagesimal entry text in the notation
// NewMode (G, S, C or Z; any letter for a bare whole number). The text must
// be in the form the entry produces: places below 60, whole part at most
// 60^5 - 1, at most 12 fractional places, fen count below 10000.
Sxg EntryToSxg(std::string_view Inp, char NewMode, bool N);

// Converts the finished entry and pushes it onto its system's stack. A
// number of the other system switches the number mode first (and redraws
// the mode line, the memory window and the stack), so that the user sees
// the stack it went to.
void PushEntry(Calc& c, std::string_view Inp, char NewMode, bool N);

}  // namespace qirn
