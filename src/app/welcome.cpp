// The start-up screen.
#include <string_view>

#include "app/program.h"

namespace qirn {
namespace {

constexpr std::string_view Begin_Text[5] = {
    "                  QIRN",
    "         VALDORIM",
    "      with trigonometric functions",
    "       version 1.0.0 for Linux terminals",
    "         Press <ENTER> to start.",
};
constexpr std::string_view Address_Text[6] = {
    "QIRN sexagesimal calculator",
    "",
    "Report problems to the QIRN",
    "team's issue tracker,",
    "quoting the version above.",
    "",
};
constexpr std::string_view Begin_Status_Keys[2] = {"ENTER  ", "Q  "};
constexpr std::string_view Begin_Status_Text[2] = {"Start", "Quit"};

void At(Screen& s, int col, int row, int colour, std::string_view text) {
  s.GotoXY(col, row);
  s.TextColor(colour);
  s.Write(text);
}

}  // namespace

void Write_Welcome_Screen(Calc& c) {
  Screen& s = c.scr();
  s.TextBackground(1);
  s.TextColor(14);
  s.ClrScr();
  s.HideCursor();
  At(s, 21, 3, 14, Begin_Text[0]);
  At(s, 21, 5, 14, Begin_Text[1]);
  At(s, 21, 6, 14, Begin_Text[2]);
  At(s, 21, 8, 10, Begin_Text[3]);
  for (int i = 0; i < 6; ++i) At(s, 26, 12 + i, 14, Address_Text[i]);
  At(s, 21, 21, 10, Begin_Text[4]);
  At(s, 1, 25, 10, Begin_Status_Keys[0]);
  s.TextColor(14);
  s.Write(Begin_Status_Text[0]);
  At(s, 73, 25, 10, Begin_Status_Keys[1]);
  s.TextColor(14);
  s.Write(Begin_Status_Text[1]);
}

bool Welcome_Screen(Calc& c) {
  Write_Welcome_Screen(c);
  uint8_t ch = 0, ext = 0;
  do {
    ReadUpChar(*c.io.keys, ch, ext);
  } while (ch != 13 && ch != 'Q');
  c.scr().ClrScr();
  c.scr().ShowCursor();
  return ch == 13;
}

}  // namespace qirn
