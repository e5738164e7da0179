// The command loop and its key map: single keys, the letter groups A, C, R,
// S and T, and the extended keys, in the decimal or the sexagesimal system.
#include <cstdint>

#include "app/program.h"
#include "calculator/commands.h"
#include "calculator/results.h"
#include "screen/dialog.h"
#include "screen/layout.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "storage/storage.h"

namespace qirn {
namespace {

constexpr long double RealPi = 3.141592653589793238462643383279502884L;
constexpr uint8_t kEnter = 13, kEsc = 27;

bool IsDigit(uint8_t ch) { return ch >= '0' && ch <= '9'; }

// After a group letter: reads until one of `accepted` or ESC arrives; every
// other key is ignored without echo. The accepted letter is echoed after the
// letters before it. Returns the letter, or ESC.
uint8_t ReadGroupLetter(Calc& c, std::string_view accepted) {
  uint8_t ch = 0, ext = 0;
  for (;;) {
    ReadUpChar(*c.io.keys, ch, ext);
    if (ch == kEsc) return ch;
    if (ch != 0 && accepted.find(static_cast<char>(ch)) != std::string_view::npos) {
      c.scr().WriteChar(ch);
      return ch;
    }
  }
}

// "+", "-", "*", "/": the sexagesimal result is tested for its markers before
// it replaces X and Y.
void SxgInline(Calc& c, uint8_t key) {
  const Sxg& X = c.st.SxgStack[0];
  const Sxg& Y = c.st.SxgStack[1];
  Sxg New{};
  switch (key) {
    case '+': SxgAddition(X, Y, New); break;
    case '-': SxgSubtraction(Y, X, New); break;
    case '*': SxgMultiplication(X, Y, New); break;
    default: SxgDivision(Y, X, New); break;
  }
  if (New.Digits[-4] == SxgOverflowMark) {
    HandleOverflow(c, true);
  } else if (key == '/' && New.Digits[-4] == SxgDivZeroMark) {
    HandleError(c, 1);
  } else {
    SxgBinary(c, New);
  }
}

void SxgSquare(Calc& c) {
  Sxg New{};
  SxgMultiplication(c.st.SxgStack[0], c.st.SxgStack[0], New);
  if (New.Digits[-4] == SxgOverflowMark)
    HandleOverflow(c, true);
  else
    SxgUnary(c, New);
}

void SxgSquareRoot(Calc& c) {
  const Sxg& X = c.st.SxgStack[0];
  if (X.Neg) {
    HandleError(c, 2);
    return;
  }
  Sxg New = Zero;
  if (!IsZero(X)) ComputeSqrt(X, New);
  SxgUnary(c, New);
}

void GroupA(Calc& c, bool dec) {
  uint8_t k = ReadGroupLetter(c, "CST");
  if (k == kEsc) return;
  if (k == 'C') {
    uint8_t l = ReadGroupLetter(c, "HO");
    if (l == 'H') dec ? RealArcChord(c) : SxgArcChord(c);
    if (l == 'O') dec ? RealArcCos(c) : SxgArcCos(c);
  } else if (k == 'S') {
    if (ReadGroupLetter(c, "I") == 'I') dec ? RealArcSin(c) : SxgArcSin(c);
  } else {
    if (ReadGroupLetter(c, "A") == 'A') dec ? RealArcTan(c) : SxgArcTan(c);
  }
}

void GroupC(Calc& c, bool dec) {
  switch (ReadGroupLetter(c, "BDHORS")) {
    case 'B': ChangeBase(c); break;
    case 'D': ConvertDegrees(c); break;
    case 'H': dec ? RealChord(c) : SxgChord(c); break;
    case 'O': dec ? RealCosine(c) : SxgCosine(c); break;
    case 'R': ConvertRadians(c); break;
    case 'S': ChangeSign(c); break;
    default: break;  // ESC
  }
}

void GroupR(Calc& c) {
  switch (ReadGroupLetter(c, "CDEMO")) {
    case 'C': Recall(c); break;
    case 'D': ChangeTrigMode(c); break;
    case 'E': Reciproke(c); break;
    case 'M': Remainder(c); break;
    case 'O': Rounding(c); break;
    default: break;
  }
}

void GroupS(Calc& c, bool dec) {
  switch (ReadGroupLetter(c, "IQRT")) {
    case 'I': dec ? RealSine(c) : SxgSine(c); break;
    case 'Q': dec ? RealSquare(c) : SxgSquare(c); break;
    case 'R': dec ? RealSqrt(c) : SxgSquareRoot(c); break;
    case 'T': Store(c); break;
    default: break;
  }
}

void GroupT(Calc& c, bool dec) {
  switch (ReadGroupLetter(c, "AR")) {
    case 'A': dec ? RealTan(c) : SxgTangent(c); break;
    case 'R': Truncation(c); break;
    default: break;
  }
}

void ExtendedKey(Calc& c, uint8_t scan_code) {
  State& s = c.st;
  switch (scan_code) {
    case scan::AltT: ScrollUpMemory(c); break;
    case scan::AltY:
    case scan::AltZ: Clear(c); break;
    case scan::AltP: if (s.Use_Disk) Print(c); break;
    case scan::AltS: ScrollDownMemory(c); break;
    case scan::AltD: Description(c); break;
    case scan::AltC: Cancel_Description(c); break;
    case scan::AltV: Convert(c); break;
    case scan::AltM: ChangeNumberMode(c); break;
    case scan::F1: s.Menu_No = static_cast<int16_t>(s.Menu_No % 3 + 1); PrintMenu(c); break;
    case scan::F2: s.Menu_No = 1; PrintMenu(c); break;
    case scan::F3: s.Menu_No = 2; PrintMenu(c); break;
    case scan::F4: s.Menu_No = 3; PrintMenu(c); break;
    case scan::F5: s.Menu_No = 0; PrintMenu(c); break;
    case scan::F10:
      s.DisplayMode = s.DisplayMode == 1 ? 0 : 1;
      s.MemPtr = 0;
      WriteStackAndMemory(c);
      break;
    case scan::Up: RollUp(c); break;
    case scan::Down: RollDown(c); break;
    default: break;
  }
}

}  // namespace

bool DispatchKey(Calc& c, uint8_t& ch, uint8_t& scan_code, bool& read_flag) {
  const bool dec = IsDecimalMode(c.st);
  if (IsDigit(ch)) {
    StackInput(c, ch, scan_code);
    // ENTER only ends the entry; any other ending key runs next, unread.
    read_flag = ch == kEnter;
    return true;
  }
  switch (ch) {
    case kEnter: ReturnKey(c); break;
    case '+': dec ? RealAddition(c) : SxgInline(c, ch); break;
    case '-': dec ? RealSubtraction(c) : SxgInline(c, ch); break;
    case '*': dec ? RealMultiplication(c) : SxgInline(c, ch); break;
    case '/': dec ? RealDivision(c) : SxgInline(c, ch); break;
    case 'A': GroupA(c, dec); break;
    case 'C': GroupC(c, dec); break;
    case 'R': GroupR(c); break;
    // Every S-group command leaves the key character at S, so SQ never quits.
    case 'S': GroupS(c, dec); ch = 'S'; break;
    case 'T': GroupT(c, dec); break;
    case 'D': RollDown(c); break;
    case 'F': Fraction(c); break;
    case 'M': Modulo(c); break;
    case 'P': dec ? PushRealStack(c, RealPi) : PushSxgStack(c, SxgPi); break;
    case 'U': RollUp(c); break;
    case 'X': Exchange(c); break;
    case 'Z': ClearX(c); break;
    case 'Q': return false;
    case 0: ExtendedKey(c, scan_code); break;
    default: break;  // ESC and keys without a command
  }
  return ch != 'Q';
}

void Main_Program(Calc& c) {
  Screen& s = c.scr();
  InitializeScreen(c);
  bool read_flag = true;
  uint8_t ch = 0, scan_code = 0;
  try {
    for (;;) {
      // Blank the echo area and leave the cursor at its first column.
      s.GotoXY(1, 2);
      s.Write("   \b\b\b");
      if (read_flag) ReadUpChar(*c.io.keys, ch, scan_code);
      read_flag = true;
      if (ch != 0 && ch != kEsc && !IsDigit(ch)) s.WriteChar(ch);
      if (!DispatchKey(c, ch, scan_code, read_flag)) break;
    }
  } catch (const InputClosed&) {
    // No more keys (the terminal went away, or we were asked to end): keep
    // the state as Q does. The screen is left as it was: nobody sees it any
    // more, and a replayed script can still be checked against it.
    if (c.st.Use_Disk) WriteSave(c);
    return;
  }
  if (c.st.Use_Disk) WriteSave(c);
  s.WidenWindow();
  s.ClrScr();
}

void Initialize(Calc& c) {
  if (c.st.Use_Disk && ReadSave(c)) return;
  SetDefaults(c.st);
}

void RunProgram(Calc& c) {
  try {
    if (!Welcome_Screen(c)) return;
  } catch (const InputClosed&) {
    return;  // nothing read, nothing to write
  }
  Initialize(c);
  Main_Program(c);
}

bool UseDiskFromArgs(int argc, const char* const* argv) {
  return !(argc >= 2 && std::string_view(argv[1]) == "/n");
}

}  // namespace qirn
