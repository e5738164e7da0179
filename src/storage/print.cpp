// The printed report (Alt+P): the stack, the memory, or both, of the current
// number system, as plain text lines on the printer stream.
#include <string>

#include "console/keys.h"
#include "screen/dialog.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_format.h"
#include "decimal/real_format.h"
#include "storage/storage.h"

namespace qirn {
namespace {

constexpr uint8_t kEsc = 27;
constexpr int16_t PrinterError = 3;

// True (after showing error 3) when a write since the last check failed. A
// missing printer fails every check.
bool PrinterFailed(Calc& c) {
  if (c.io.printer && !c.io.printer->CheckError()) return false;
  HandleError(c, PrinterError);
  return true;
}

void Line(Calc& c, std::string_view text) {
  if (!c.io.printer) return;
  c.io.printer->Write(text);
  c.io.printer->WriteLn();
}

void Heading(Calc& c, std::string_view system, std::string_view what) {
  Line(c, "");
  Line(c, "Contents of the " + std::string(system) + " " + std::string(what));
  Line(c, "");
}

// False when the report stopped at a printer error.
bool PrintStack(Calc& c, std::string_view system) {
  static constexpr char Level[4] = {'X', 'Y', 'Z', 'T'};
  Heading(c, system, "STACK");
  if (PrinterFailed(c)) return false;
  for (int i = 0; i < 4; ++i) {
    std::string line = Level[i] + std::string(c.st.StackText[i].view());
    Line(c, std::string_view(line).substr(0, String55::Capacity));
    if (i == 3) Line(c, "");
    if (PrinterFailed(c)) return false;
  }
  return true;
}

void PrintMemory(Calc& c, std::string_view system, bool descriptions) {
  const State& s = c.st;
  const bool dec = IsDecimalMode(s);
  Heading(c, system, "MEMORY");
  if (PrinterFailed(c)) return;
  for (int k = 0; k < 10; ++k) {
    bool zero = dec ? s.RealMem[k] == 0 : IsZero(s.SxgMem[k]);
    String55 value;
    if (descriptions || !zero) value = dec ? RealToStr(s.RealMem[k]) : SxgToStr(s.SxgMem[k], s.NumberMode);
    Line(c, static_cast<char>('0' + k) + std::string(value.view()));
    if (descriptions) {
      const String55& d = dec ? s.RealMemText[k] : s.SxgMemText[k];
      Line(c, d.empty() ? std::string() : std::string(dec ? 21 : 24, ' ') + std::string(d.view()));
    }
    if (k == 9) Line(c, "");
    if (PrinterFailed(c)) return;
  }
}

}  // namespace

void Print(Calc& c) {
  PutWindow(c, "Print Stack, Memory, memory + Descriptions or All ?  ");
  const uint8_t answer = ReadAnswerLetter(c, "SMDA");
  EraseWindow(c);
  if (answer == kEsc) return;

  PutWindow(c, "Turn the printer on and press any key.");
  uint8_t ch = 0, ext = 0;
  MyReadKey(*c.io.keys, ch, ext);  // any key, an extended one read whole
  EraseWindow(c);

  const std::string_view system = IsDecimalMode(c.st) ? "decimal" : "sexagesimal";
  if (answer == 'S' || answer == 'A') {
    if (!PrintStack(c, system)) return;
  }
  if (answer != 'S') PrintMemory(c, system, answer != 'M');
}

}  // namespace qirn
