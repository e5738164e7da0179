// The PC character set (code page 437) as the terminal shows it: Unicode for
// UTF-8 terminals, the VT100 line-drawing set or plain ASCII for the others.
// Every one of the 256 codes has a visible, non-control rendering, so nothing
// the screen model holds can reach the terminal as a control character.
#pragma once
#include <cstdint>

namespace qirn {

// The Unicode character for a code page 437 code; 0..31 and 127 give the
// familiar PC glyphs (smileys, arrows, the house), 0 a blank.
char32_t Cp437ToUnicode(uint8_t code);

// The code page 437 code of a Unicode character, or -1 when the code page has
// no such character. Only codes 32..126 and 128..255 are ever returned, so a
// typed or pasted character can never turn into a control key.
int UnicodeToCp437(char32_t ch);

// A printable ASCII stand-in (32..126) for every code: boxes become + - |,
// accented letters their base letter, the degree sign 'o'.
char Cp437ToAscii(uint8_t code);

// The VT100 special-graphics letter for a code that has one (box lines, single
// and double alike, the degree sign, shades, plus-minus, pi ...), else 0.
char Cp437ToDecGraphics(uint8_t code);

}  // namespace qirn
