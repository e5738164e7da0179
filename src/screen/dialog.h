// The dialog line (row 25) and the error messages over the X row. A question
// is open from PutWindow to EraseWindow: the line is green and the working
// area is narrowed to columns 1..59 of the screen.
#pragma once
#include <cstdint>
#include <string_view>

#include "sexagesimal/string55.h"
#include "state/calc.h"

namespace qirn {

// Colours of the working screen and of an open question.
inline constexpr int NormalText = 14, NormalBackground = 1;  // yellow on blue
inline constexpr int QuestionText = 1, QuestionBackground = 2;  // blue on green

// Sets the normal colours, 14 on 1.
void NormalColors(Calc& c);

// Writes s at (4, row), padded or cut to exactly 55 characters.
void PutText(Calc& c, std::string_view s, int16_t row);
void PutWindow(Calc& c, std::string_view prompt);
void EraseWindow(Calc& c);
bool WindowYesNo(Calc& c);
// The number typed within low..high, -1 for ESC, or in Chinese mode with
// high 14 (narrowed to 11) the codes 68 (D) or 70 (F) as a first key.
int16_t WindowNumber(Calc& c, int16_t low, int16_t high);
// The text typed (never empty), or the one-character text ESC.
String55 WindowText(Calc& c, int16_t maxlen);
// Reads keys (upper-cased) until ESC or one of `letters` arrives and returns
// it; every other key is ignored, and nothing is echoed.
uint8_t ReadAnswerLetter(Calc& c, std::string_view letters);
void HandleError(Calc& c, int16_t n);
void HandleOverflow(Calc& c, bool sexagesimal);

// The message of error n (1..8) and of an overflow, 54 characters each.
std::string_view ErrorMessage(int16_t n);
std::string_view OverflowMessage(bool sexagesimal);

}  // namespace qirn
