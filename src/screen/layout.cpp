// The working screen: status lines, the stack box, the memory window, the
// menu column and the key hints, in the full layout (X, Y, Z, T and three
// registers) and the compact one (X and five registers).
#include "screen/layout.h"

#include <cstdio>
#include <string_view>

#include "decimal/real_format.h"
#include "screen/dialog.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_format.h"

namespace qirn {
namespace {

constexpr int kMenuLines = 18, kMenuWidth = 20, kMenuCol = 61;
constexpr int kTitleColor = 15, kSecondTitleColor = 10;
constexpr std::string_view kTitle = "VALDORIM  32bit";
constexpr std::string_view kSecondTitle = "sexagesimal and decimal arithmetic";
static_assert(kSecondTitle.size() <= 35);

// Menu texts, each padded to 20 columns when written. "\xF8" is the degree
// sign of code page 437.
constexpr std::string_view kMenu[3][kMenuLines] = {
    {"MAIN MENU", "", "+   addition", "-   subtraction", "*   multiplication", "/   division",
     "RM  remainder", "CS  change sign", "SQ  square", "SR  square root", "", "D   roll down",
     "U   roll up", "X   exchange X-Y", "Z   clear X register", "", "RC  recall", "ST  store"},
    {"TRIGONOMETRIC MENU", "", "CH   chord", "CO   cosine", "SI   sine", "TA   tangent",
     "ACH  arc chord", "ACO  arc cosine", "ASI  arc sine", "ATA  arc tangent", "",
     "CB   change radius", "     of base circle", "CD   convert to degr", "CR   convert to rad",
     "M    modulo 360\xF8/2pi", "P    pi", "RD   radians/degrees"},
    {"VARIOUS", "", "F    fractional part", "RE   reciprocal 1/x", "RO   rounding",
     "TR   truncation", "", "ALT-COMMANDS", "", "ALT-C  cancel", "       description",
     "ALT-D  description", "ALT-M  change mode", "ALT-P  print", "ALT-S, ALT-T",
     "       scroll memory", "ALT-V  conversion", "ALT-Z  set to zero"},
};

// Box characters of code page 437.
struct Box {
  char left, fill, right;
};
constexpr Box kStackTop{'\xC9', '\xCD', '\xBB'}, kStackLevel{'\xBA', ' ', '\xBA'},
    kStackSeparator{'\xCC', '\xCD', '\xB9'}, kStackBottom{'\xC8', '\xCD', '\xBC'},
    kMemTop{'\xDA', '\xC4', '\xBF'}, kMemRow{'\xB3', ' ', '\xB3'}, kMemSeparator{'\xC3', '\xC4', '\xB4'},
    kMemBottom{'\xC0', '\xC4', '\xD9'};

bool Compact(const Calc& c) { return c.st.DisplayMode == 1; }

// One box line of 59 characters from column 1: a two-character label, the
// border, 55 content columns, the border.
void BoxLine(Calc& c, int row, const char* label, const Box& b) {
  char line[59];
  line[0] = label[0];
  line[1] = label[1];
  line[2] = b.left;
  for (int i = 3; i < 58; ++i) line[i] = b.fill;
  line[58] = b.right;
  c.scr().GotoXY(1, row);
  c.scr().Write(std::string_view(line, sizeof line));
}

void Heading(Calc& c, int row, std::string_view text) {
  c.scr().GotoXY(4, row);
  c.scr().Write(text);
}

void Menu(Calc& c, int line, std::string_view text) {
  char padded[kMenuWidth];
  for (int i = 0; i < kMenuWidth; ++i) padded[i] = i < static_cast<int>(text.size()) ? text[i] : ' ';
  c.scr().GotoXY(kMenuCol, 4 + line);
  c.scr().Write(std::string_view(padded, kMenuWidth));
}

int MemRows(const Calc& c) { return Compact(c) ? 5 : 3; }

}  // namespace

String55 DisplayText(const Calc& c, int level) {
  if (level < 0 || level > 3) return String55();
  if (IsDecimalMode(c.st)) return RealToStr(c.st.RealStack[level]);
  return SxgToStr(c.st.SxgStack[level], c.st.NumberMode);
}

void WriteMode(Calc& c) {
  std::string_view name;
  switch (c.st.NumberMode) {
    case 'D': name = "Decimal"; break;
    case 'G': name = "Greek"; break;
    case 'C': name = "Chinese"; break;
    case 'S': name = "Sexagesimal"; break;
    case 'Z': name = "Zodiacal"; break;
    default: name = ""; break;
  }
  c.scr().GotoXY(1, 1);
  c.scr().Write(name);
  c.scr().Write(" mode      ");
}

void PrintMenu(Calc& c) {
  const int m = c.st.Menu_No;
  if (m == 0) {
    for (int k = 1; k <= kMenuLines; ++k) Menu(c, k, "");
  } else if (m >= 1 && m <= 3) {
    for (int k = 1; k <= kMenuLines; ++k) Menu(c, k, kMenu[m - 1][k - 1]);
  }
}

void PrintStack(Calc& c) {
  for (int i = 0; i < 4; ++i) c.st.StackText[i] = DisplayText(c, i);
  const int shown = Compact(c) ? 1 : 4;
  for (int i = 0; i < shown; ++i) PutText(c, c.st.StackText[i], static_cast<int16_t>(6 + 2 * i));
}

void PrintMem(Calc& c) {
  const State& s = c.st;
  const bool dec = IsDecimalMode(s);
  const int first = Compact(c) ? 13 : 17;
  for (int j = 0; j < MemRows(c); ++j) {
    // A value from a state file may lie outside 0..9; the window still wraps.
    const int k = ((s.MemPtr + j) % 10 + 10) % 10;
    const int16_t row = static_cast<int16_t>(first + 2 * j);
    String55 text;
    if (dec) {
      if (!s.RealMemText[k].empty())
        text = s.RealMemText[k];
      else if (s.RealMem[k] != 0)
        text = RealToStr(s.RealMem[k]);
    } else {
      if (!s.SxgMemText[k].empty())
        text = s.SxgMemText[k];
      else if (!IsZero(s.SxgMem[k]))
        text = SxgToStr(s.SxgMem[k], s.NumberMode);
    }
    PutText(c, text, row);
    c.scr().GotoXY(1, row);
    c.scr().WriteChar(static_cast<uint8_t>('0' + k));
  }
}

void WriteStackAndMemory(Calc& c) {
  Screen& scr = c.scr();
  scr.Window(1, 4, 60, 23);
  scr.ClrScr();
  scr.WidenWindow();
  Heading(c, 4, "STACK");
  scr.WriteLn();
  if (Compact(c)) {
    BoxLine(c, 5, "  ", kStackTop);
    BoxLine(c, 6, "X ", kStackLevel);
    BoxLine(c, 7, "  ", kStackBottom);
    Heading(c, 11, "MEMORY");
    BoxLine(c, 12, "  ", kMemTop);
    for (int j = 0; j < 5; ++j) {
      BoxLine(c, 13 + 2 * j, "  ", kMemRow);
      BoxLine(c, 14 + 2 * j, "  ", j < 4 ? kMemSeparator : kMemBottom);
    }
  } else {
    BoxLine(c, 5, "  ", kStackTop);
    const char* labels[4] = {"X ", "Y ", "Z ", "T "};
    for (int i = 0; i < 4; ++i) {
      BoxLine(c, 6 + 2 * i, labels[i], kStackLevel);
      BoxLine(c, 7 + 2 * i, "  ", i < 3 ? kStackSeparator : kStackBottom);
    }
    Heading(c, 15, "MEMORY");
    BoxLine(c, 16, "  ", kMemTop);
    for (int j = 0; j < 3; ++j) {
      BoxLine(c, 17 + 2 * j, "  ", kMemRow);
      BoxLine(c, 18 + 2 * j, "  ", j < 2 ? kMemSeparator : kMemBottom);
    }
  }
  PrintStack(c);
  PrintMem(c);
  scr.GotoXY(1, 2);
}

void InitializeScreen(Calc& c) {
  Screen& scr = c.scr();
  const State& s = c.st;
  scr.WidenWindow();
  scr.TextBackground(NormalBackground);
  scr.TextColor(NormalText);
  scr.ClrScr();
  scr.GotoXY(26, 1);
  scr.TextColor(kTitleColor);
  scr.Write(kTitle);
  scr.GotoXY(23, 2);
  scr.TextColor(kSecondTitleColor);
  scr.Write(kSecondTitle);
  scr.TextColor(NormalText);
  WriteMode(c);
  char radius[16];
  std::snprintf(radius, sizeof radius, "Radius %4d", s.Base);
  scr.GotoXY(69, 1);
  scr.Write(radius);
  scr.GotoXY(73, 2);
  scr.Write(s.TrigMode == 0 ? "Degrees" : "Radians");
  scr.GotoXY(1, 25);
  scr.Write("Type Q to Quit");
  scr.GotoXY(61, 24);
  scr.Write("F1-F5   change menu");
  scr.GotoXY(61, 25);
  scr.Write("F10  switch display");
  PrintMenu(c);
  WriteStackAndMemory(c);
}

void SwitchSystem(Calc& c, char mode) {
  State& s = c.st;
  if (mode == 'D') s.PrevSxgMode = s.NumberMode;
  s.NumberMode = mode;
  WriteMode(c);
  s.MemPtr = 0;
  PrintMem(c);
  PrintStack(c);
}

void DetermineMemPtr(Calc& c, int16_t n) {
  State& s = c.st;
  const int rows = MemRows(c);
  for (int j = 0; j < rows; ++j)
    if (((s.MemPtr + j) % 10 + 10) % 10 == n) return;
  s.MemPtr = static_cast<int16_t>(n / rows * rows);
}

}  // namespace qirn
