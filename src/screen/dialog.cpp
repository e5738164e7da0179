// The dialog line and the error messages. Questions are asked on row 25 in
// blue on green; while one is open the working area is columns 1..59, so the
// key hints right of it cannot be touched by echoes or clears.
#include "screen/dialog.h"

#include <cstdint>

#include "console/keys.h"

namespace qirn {
namespace {

constexpr uint8_t kBackspace = 8, kEnter = 13, kEsc = 27;
constexpr int kDialogRow = 25, kDialogRight = 59, kMessageRow = 6;
constexpr int kNumberMaxLen = 15;

constexpr std::string_view kErrors[8] = {
    " DIVISON by ZERO             Press any key to continue",
    " SQUARE ROOT of a NEGATIVE NUMBER        Press any key",
    " PRINTER not ready           Press any key to continue",
    " DECIMAL NUMBER too LARGE    Press any key to continue",
    " ILLEGAL ARGUMENT of ARC COSINE          Press any key",
    " ILLEGAL ARGUMENT of ARC SINE            Press any key",
    " ILLEGAL ARGUMENT of TANGENT             Press any key",
    " ILLEGAL ARGUMENT of ARC CHORD           Press any key",
};
constexpr std::string_view kSxgOverflow = " SEXAGESIMAL OVERFLOW        Press any key to continue";
constexpr std::string_view kRealOverflow = " DECIMAL OVERFLOW            Press any key to continue";

void QuestionColors(Screen& s) {
  s.TextColor(QuestionText);
  s.TextBackground(QuestionBackground);
}

uint8_t Upper(uint8_t ch) { return ch >= 'a' && ch <= 'z' ? static_cast<uint8_t>(ch - 'a' + 'A') : ch; }

// Erases the last echoed character of an answer.
void EraseEcho(Screen& s) {
  s.WriteChar(kBackspace);
  s.WriteChar(' ');
  s.WriteChar(kBackspace);
}

// Writing into the last column of the dialog line would wrap the cursor and
// scroll the whole working area up, so an echo must end before it.
bool EchoFits(const Screen& s) { return s.CursorCol() < kDialogRight; }

// Shows a message over the X row until one key (extended keys count as one)
// has been read, then puts X back.
void ShowMessage(Calc& c, std::string_view message) {
  PutText(c, message, kMessageRow);
  uint8_t ch = 0, ext = 0;
  MyReadKey(*c.io.keys, ch, ext);
  PutText(c, c.st.StackText[0], kMessageRow);
}

}  // namespace

void NormalColors(Calc& c) {
  c.scr().TextColor(NormalText);
  c.scr().TextBackground(NormalBackground);
}

void PutText(Calc& c, std::string_view s, int16_t row) {
  Screen& scr = c.scr();
  scr.GotoXY(4, row);
  for (int i = 0; i < String55::Capacity; ++i) {
    uint8_t ch = i < static_cast<int>(s.size()) ? static_cast<uint8_t>(s[i]) : ' ';
    // A control character would move the cursor instead of showing; texts
    // from outside (a state file, say) must never reshape the screen.
    if (ch < ' ' || ch == 127) ch = '?';
    scr.WriteChar(ch);
  }
}

void PutWindow(Calc& c, std::string_view prompt) {
  Screen& s = c.scr();
  s.Window(1, 1, kDialogRight, Screen::Rows);
  QuestionColors(s);
  s.GotoXY(1, kDialogRow);
  s.ClrEol();
  for (size_t i = 0; i < prompt.size() && i < String55::Capacity; ++i) {
    uint8_t ch = static_cast<uint8_t>(prompt[i]);
    s.WriteChar(ch < ' ' ? '?' : ch);
  }
  NormalColors(c);
}

void EraseWindow(Calc& c) {
  Screen& s = c.scr();
  // Narrow again in case no question was open, so the clear stops at column 59.
  s.Window(1, 1, kDialogRight, Screen::Rows);
  NormalColors(c);
  s.GotoXY(1, kDialogRow);
  s.ClrEol();
  s.Write("Type Q to Quit");
  s.WidenWindow();
}

bool WindowYesNo(Calc& c) {
  Screen& s = c.scr();
  QuestionColors(s);
  uint8_t ch = 0, ext = 0;
  for (;;) {
    MyReadKey(*c.io.keys, ch, ext);
    ch = Upper(ch);
    if (ch == 'Y' || ch == 'N') break;
  }
  s.WriteChar(ch);
  NormalColors(c);
  return ch == 'Y';
}

int16_t WindowNumber(Calc& c, int16_t low, int16_t high) {
  Screen& s = c.scr();
  const bool chinese = c.st.NumberMode == 'C';
  if (chinese && high == 14) high = 11;
  int len = 0;  // digits typed; value is the number they form
  int64_t value = 0;
  QuestionColors(s);
  uint8_t ch = 0, ext = 0;
  for (;;) {
    MyReadKey(*c.io.keys, ch, ext);
    ch = Upper(ch);
    if (ch == kBackspace) {
      if (len > 0) {
        EraseEcho(s);
        --len;
        value /= 10;
      }
    } else if (ch == kEnter) {
      if (len > 0) break;
    } else if (ch == kEsc) {
      NormalColors(c);
      return -1;
    } else if (ch >= '0' && ch <= '9') {
      int64_t next = value * 10 + (ch - '0');
      if (len < kNumberMaxLen && next >= low && next <= high && EchoFits(s)) {
        ++len;
        value = next;
        s.WriteChar(ch);
      }
    } else if ((ch == 'D' || ch == 'F') && chinese && high == 11 && len == 0) {
      NormalColors(c);
      return ch;
    }
    // Extended keys and everything else are ignored.
  }
  NormalColors(c);
  return static_cast<int16_t>(value);
}

String55 WindowText(Calc& c, int16_t maxlen) {
  Screen& s = c.scr();
  if (maxlen > String55::Capacity) maxlen = String55::Capacity;
  String55 answer;
  QuestionColors(s);
  uint8_t ch = 0, ext = 0;
  for (;;) {
    MyReadKey(*c.io.keys, ch, ext);
    if (ch == 0) continue;  // an extended key, read whole
    if (ch == kBackspace) {
      if (!answer.empty()) {
        EraseEcho(s);
        answer.pop_back();
      }
    } else if (ch == kEnter) {
      if (!answer.empty()) break;
    } else if (ch == kEsc) {
      NormalColors(c);
      return String55("\x1b");
    } else if (ch < ' ' || ch == 127) {
      // Other control keys (tab, Ctrl+J, ...) would move the cursor when
      // echoed or shown later; they are not text.
    } else if (answer.size() < maxlen && EchoFits(s)) {
      answer.push_back(static_cast<char>(ch));
      s.WriteChar(ch);
    }
  }
  NormalColors(c);
  return answer;
}

uint8_t ReadAnswerLetter(Calc& c, std::string_view letters) {
  uint8_t ch = 0, ext = 0;
  for (;;) {
    ReadUpChar(*c.io.keys, ch, ext);
    if (ch == 27 || (ch != 0 && letters.find(static_cast<char>(ch)) != std::string_view::npos)) return ch;
  }
}

std::string_view ErrorMessage(int16_t n) {
  if (n < 1 || n > 8) return {};
  return kErrors[n - 1];
}

std::string_view OverflowMessage(bool sexagesimal) { return sexagesimal ? kSxgOverflow : kRealOverflow; }

void HandleError(Calc& c, int16_t n) { ShowMessage(c, ErrorMessage(n)); }

void HandleOverflow(Calc& c, bool sexagesimal) { ShowMessage(c, OverflowMessage(sexagesimal)); }

}  // namespace qirn
