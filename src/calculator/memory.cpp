// The memory registers of the current number system: store, recall,
// descriptions, scrolling the memory window, and clearing stack and memory.
// Each command asks its question on the dialog line and leaves the other
// number system's registers alone.
#include <cstdint>

#include "calculator/commands.h"
#include "calculator/results.h"
#include "console/keys.h"
#include "screen/dialog.h"
#include "screen/layout.h"
#include "sexagesimal/sxg_constants.h"

namespace qirn {
namespace {

constexpr uint8_t kEsc = 27;

constexpr std::string_view kStorePrompt = "Store in which memory field ?  (0-9)  ";
constexpr std::string_view kCancelAfterStorePrompt =
    "Cancel the description of this memory field?  (Y/N)  ";
constexpr std::string_view kRecallPrompt = "Recall from which memory field ?  (0-9)  ";
constexpr std::string_view kDescriptionPrompt = "Description for which memory field ?  (0-9)  ";
constexpr std::string_view kCancelPrompt = "Cancel description for which memory field ?  (0-9)  ";
constexpr std::string_view kClearPrompt = "Clear the Stack (S), Memory (M) or All (A) ?  ";

// Reads keys until a digit or ESC; the digit is not echoed. Returns the
// register number, or -1 for ESC.
int16_t ReadRegister(Calc& c) {
  uint8_t ch = 0, ext = 0;
  for (;;) {
    MyReadKey(*c.io.keys, ch, ext);
    if (ch == kEsc) return -1;
    if (ch >= '0' && ch <= '9') return static_cast<int16_t>(ch - '0');
  }
}

String55& MemText(State& s, int n) { return IsDecimalMode(s) ? s.RealMemText[n] : s.SxgMemText[n]; }

// The answer of a description question is shown and stored as typed, so it
// must hold no character that a console would act on rather than show.
bool PrintableText(const String55& t) {
  for (int i = 0; i < t.size(); ++i) {
    const uint8_t ch = static_cast<uint8_t>(t[i]);
    if (ch < ' ' || ch == 127) return false;
  }
  return true;
}

}  // namespace

void Store(Calc& c) {
  State& s = c.st;
  PutWindow(c, kStorePrompt);
  const int16_t n = ReadRegister(c);
  if (n < 0) {
    PrintMem(c);
    EraseWindow(c);
    return;
  }
  // The register comes into view while the question is still open.
  DetermineMemPtr(c, n);
  PrintMem(c);
  if (IsDecimalMode(s))
    s.RealMem[n] = s.RealStack[0];
  else
    s.SxgMem[n] = s.SxgStack[0];
  String55& text = MemText(s, n);
  if (!text.empty()) {
    EraseWindow(c);
    PutWindow(c, kCancelAfterStorePrompt);
    if (WindowYesNo(c)) text.clear();
  }
  PrintMem(c);
  EraseWindow(c);
}

void Recall(Calc& c) {
  State& s = c.st;
  PutWindow(c, kRecallPrompt);
  const int16_t n = ReadRegister(c);
  EraseWindow(c);
  if (n < 0) return;
  if (IsDecimalMode(s))
    PushRealStack(c, s.RealMem[n]);
  else
    PushSxgStack(c, s.SxgMem[n]);
}

void Description(Calc& c) {
  State& s = c.st;
  PutWindow(c, kDescriptionPrompt);
  const int16_t n = ReadRegister(c);
  EraseWindow(c);
  if (n < 0) return;
  DetermineMemPtr(c, n);
  PrintMem(c);
  PutWindow(c, ": ");
  const String55 answer = WindowText(c, String55::Capacity);
  EraseWindow(c);
  if (answer == std::string_view("\x1b", 1)) return;
  // WindowText takes no control keys; an answer holding one anyway is refused
  // whole rather than stored to be shown as something else later.
  if (!PrintableText(answer)) return;
  MemText(s, n) = answer;
  PrintMem(c);
}

void Cancel_Description(Calc& c) {
  PutWindow(c, kCancelPrompt);
  const int16_t n = ReadRegister(c);
  EraseWindow(c);
  if (n < 0) return;
  MemText(c.st, n).clear();
  PrintMem(c);
}

// Full layout: windows start at 0, 3, 6, 9 (9 shows 9, 0, 1); compact: 0, 5.
void ScrollDownMemory(Calc& c) {
  State& s = c.st;
  if (s.DisplayMode == 0) {
    s.MemPtr = static_cast<int16_t>((s.MemPtr + 3) % 10);
    if (s.MemPtr == 2) s.MemPtr = 0;
  } else {
    s.MemPtr = static_cast<int16_t>((s.MemPtr + 5) % 10);
  }
  PrintMem(c);
}

void ScrollUpMemory(Calc& c) {
  State& s = c.st;
  if (s.DisplayMode == 0) {
    s.MemPtr = static_cast<int16_t>((s.MemPtr + 7) % 10);
    if (s.MemPtr == 7) s.MemPtr = 9;
  } else {
    s.MemPtr = static_cast<int16_t>((s.MemPtr + 5) % 10);
  }
  PrintMem(c);
}

void Clear(Calc& c) {
  State& s = c.st;
  PutWindow(c, kClearPrompt);
  const uint8_t ch = ReadAnswerLetter(c, "SMA");
  EraseWindow(c);
  if (ch == kEsc) return;
  const bool dec = IsDecimalMode(s);
  if (ch == 'A' || ch == 'S') {
    for (int i = 0; i < 4; ++i) {
      if (dec)
        s.RealStack[i] = 0;
      else
        s.SxgStack[i] = Zero;
    }
    PrintStack(c);
  }
  if (ch == 'A' || ch == 'M') {
    for (int n = 0; n < 10; ++n) {
      if (dec)
        s.RealMem[n] = 0;
      else
        s.SxgMem[n] = Zero;
      MemText(s, n).clear();
    }
    s.MemPtr = 0;
    PrintMem(c);
  }
}

}  // namespace qirn
