// Number entry: reads the keys of one number, decides its notation from the
// markers typed, refuses with a tone every key that would make the text
// ill-formed or a place too large, echoes the accepted keys on the input
// line, and pushes the finished number.
#include <cstdint>
#include <string_view>

#include "calculator/commands.h"
#include "calculator/entry.h"

namespace qirn {
namespace {

constexpr uint8_t kBackspace = 8, kEnter = 13, kEsc = 27;
constexpr int kRow = 4, kLabelCol = 10, kSignCol = 18;
constexpr int64_t kMaxWhole = 777599999;        // 60^5 - 1: five integer places
constexpr int64_t kMaxRevolutions = 2159999;    // with 11 signs and 29 degrees, within kMaxWhole
constexpr int64_t kFenLimit = 10000;            // fens in a day
constexpr int16_t kAfterRevolutions = 254, kAfterSigns = 255, kFirstFenPlace = -100;

bool IsDigit(uint8_t ch) { return ch >= '0' && ch <= '9'; }
bool IsMarker(char ch) { return ch == 'D' || ch == 'F' || ch == 'R' || ch == 'S'; }

int64_t Value(std::string_view t) {
  int64_t v = 0;
  for (char ch : t) v = v * 10 + (ch - '0');
  return v;
}

// The digits of the place being typed.
struct DigitText {
  static constexpr int Capacity = 10;
  char s[Capacity] = {};
  int len = 0;
  std::string_view view() const { return {s, static_cast<size_t>(len)}; }
  bool empty() const { return len == 0; }
  bool full() const { return len == Capacity; }
  void push_back(char ch) {
    if (len < Capacity) s[len++] = ch;
  }
  void pop_back() { --len; }
  void clear() { len = 0; }
};

bool IsEndingKey(uint8_t ch, uint8_t scan) {
  if (ch == 0) {
    switch (scan) {
      case 3: case 20: case 25: case 31: case 44: case 46: case 47: case 50: return true;
      default: return false;
    }
  }
  return std::string_view("\r*+-/cdfrsAGMPTUXagmptux").find(static_cast<char>(ch)) != std::string_view::npos;
}

enum class Phase { Whole, DecimalFraction, IntegerPlaces, FractionPlaces, FenPlaces, AfterRevolutions, AfterSigns };

// The state of one entry. Inp holds the text so far up to and including
// the marker before the place being typed, whose digits are in Digit.
// Inp and Digit together never exceed 55 characters, with room kept for
// the "0" that an empty last place becomes when the entry ends.
class Entry {
 public:
  explicit Entry(Calc& c) : c_(c) {}

  // Runs the entry started by `first`; returns false when it was cancelled.
  bool Run(uint8_t first, uint8_t& ch, uint8_t& scan) {
    Screen& scr = c_.scr();
    Inp.push_back(static_cast<char>(first));
    scr.GotoXY(kLabelCol, kRow);
    scr.Write("input:   ");
    scr.WriteChar(first);
    while (!Stop) {
      MyReadKey(*c_.io.keys, ch, scan);
      if (ch == kEsc) return false;
      Handle(ch, scan);
    }
    if (ch >= 'a' && ch <= 'z') ch = static_cast<uint8_t>(ch - 'a' + 'A');
    return true;
  }

  String55 Inp;
  DigitText Digit;
  char NewMode = kBareWhole;
  int16_t State = 1;
  bool N = false;
  int32_t NumFens = 0;
  bool Stop = false;

 private:
  Phase Current() const {
    if (NewMode == kBareWhole) return Phase::Whole;
    if (NewMode == 'D') return Phase::DecimalFraction;
    if (State == kAfterRevolutions) return Phase::AfterRevolutions;
    if (State == kAfterSigns) return Phase::AfterSigns;
    if (State > 0) return Phase::IntegerPlaces;
    if (State <= kFirstFenPlace) return Phase::FenPlaces;
    return Phase::FractionPlaces;
  }

  // Whether the text may grow by `grow` characters.
  bool Room(int grow) const { return Inp.size() + Digit.len + grow <= String55::Capacity; }

  void Refuse() { Illegal(c_); }
  void Echo(std::string_view t) { c_.scr().Write(t); }
  void EchoMarker(char m) {
    char t[2] = {static_cast<char>(m - 'A' + 'a'), ' '};
    Echo({t, 2});
  }

  // Ends the current place with `marker`: its digits and the marker go into Inp.
  void CloseDigit(char marker) {
    Inp.append(Digit.view());
    Inp.push_back(marker);
    Digit.clear();
  }

  // Moves the digits that end Inp (back to the previous marker) into Digit.
  void ReopenDigit() {
    int k = Inp.size();
    while (k > 0 && IsDigit(static_cast<uint8_t>(Inp[k - 1]))) --k;
    Digit.clear();
    for (int i = k; i < Inp.size(); ++i) Digit.push_back(Inp[i]);
    while (Inp.size() > k) Inp.pop_back();
  }

  int Count(char ch) const {
    int n = 0;
    for (int i = 0; i < Inp.size(); ++i) n += Inp[i] == ch;
    return n;
  }

  bool InpAllDigits() const {
    for (int i = 0; i < Inp.size(); ++i)
      if (!IsDigit(static_cast<uint8_t>(Inp[i]))) return false;
    return true;
  }

  void Handle(uint8_t ch, uint8_t scan) {
    if (IsEndingKey(ch, scan)) return End();
    if (IsDigit(ch)) return DigitKey(static_cast<char>(ch));
    switch (ch) {
      case '.': return Point();
      case ',': return Comma();
      case ';': return Semicolon();
      case 'C': return ToggleSign();
      case 'D': return Days();
      case 'F': return Fens();
      case 'R': return Revolutions();
      case 'S': return Signs();
      case kBackspace: return Backspace();
      default: return Refuse();
    }
  }

  void DigitKey(char d) {
    const Phase p = Current();
    if (p == Phase::Whole || p == Phase::DecimalFraction) {
      if (p == Phase::Whole ? State >= 18 : State < -18) return Refuse();
      Inp.push_back(d);
      State = static_cast<int16_t>(State + (p == Phase::Whole ? 1 : -1));
    } else {
      if (Digit.full() || !Room(1)) return Refuse();
      const int64_t v = Value(Digit.view()) * 10 + (d - '0');
      const int64_t limit = p == Phase::AfterRevolutions || p == Phase::AfterSigns ? 30 : 60;
      if (v >= limit) return Refuse();
      if (p == Phase::FenPlaces && NumFens * 60 + v >= kFenLimit) return Refuse();
      Digit.push_back(d);
    }
    Echo({&d, 1});
  }

  void Point() {
    if (Current() != Phase::Whole) return Refuse();
    NewMode = 'D';
    State = -1;
    Inp.push_back('.');
    Echo(".");
  }

  void Comma() {
    if (!Room(2)) return Refuse();
    switch (Current()) {
      case Phase::Whole:
        if (State == 0 || State >= 10 || Value(Inp) >= 60) return Refuse();
        NewMode = 'S';
        State = 2;
        NumFens = static_cast<int32_t>(Value(Inp));
        break;
      case Phase::IntegerPlaces:
        if (State >= 5 || Digit.empty()) return Refuse();
        ++State;
        NumFens = static_cast<int32_t>(NumFens * 60 + Value(Digit.view()));
        break;
      case Phase::FenPlaces: {
        const int64_t fens = NumFens * 60 + Value(Digit.view());
        if (State == kFirstFenPlace - 2 || fens * 60 >= kFenLimit) return Refuse();
        --State;
        NumFens = static_cast<int32_t>(fens);
        break;
      }
      case Phase::FractionPlaces:
        if (Digit.empty() || State <= -12) return Refuse();
        --State;
        break;
      default:
        return Refuse();
    }
    CloseDigit(',');
    Echo(",");
  }

  void Semicolon() {
    if (!Room(2)) return Refuse();
    switch (Current()) {
      case Phase::Whole: {
        const int64_t v = Value(Inp);
        if (State == 0 || State >= 10 || v > kMaxWhole) return Refuse();
        NewMode = c_.st.NumberMode == 'S' && v < 60 ? 'S' : 'G';
        break;
      }
      case Phase::IntegerPlaces:
      case Phase::AfterRevolutions:
      case Phase::AfterSigns:
        if (Digit.empty()) return Refuse();
        break;
      case Phase::FenPlaces:
        // Ends the fen places as "F" does.
        return Fens();
      default:
        return Refuse();
    }
    State = -1;
    CloseDigit(';');
    Echo(";");
  }

  void ToggleSign() {
    N = !N;
    Screen& scr = c_.scr();
    const int x = scr.WhereX(), y = scr.WhereY();
    scr.GotoXY(kSignCol, kRow);
    scr.WriteChar(N ? '-' : ' ');
    scr.GotoXY(x, y);
  }

  bool WholeWithUpTo9Digits() const { return Current() == Phase::Whole && State >= 1 && State <= 9; }

  void Days() {
    if (!WholeWithUpTo9Digits() || Value(Inp) > kMaxWhole || !Room(2)) return Refuse();
    NewMode = 'C';
    State = kFirstFenPlace;
    CloseDigit('D');
    EchoMarker('D');
  }

  void Fens() {
    const Phase p = Current();
    const bool allowed = p == Phase::FenPlaces || (p == Phase::IntegerPlaces && State <= 3) ||
                         (p == Phase::Whole && (State == 1 || State == 2));
    if (!allowed || !Room(2)) return Refuse();
    const int64_t L = Value(p == Phase::Whole ? Inp.view() : Digit.view());
    const int64_t fens = NumFens * 60 + L;
    if (fens >= kFenLimit) return;  // too many fens for a day: ignored without the tone
    NumFens = static_cast<int32_t>(fens);
    NewMode = 'C';
    State = -4;
    CloseDigit('F');
    EchoMarker('F');
  }

  void Revolutions() {
    if (!WholeWithUpTo9Digits() || Value(Inp) > kMaxRevolutions || !Room(2)) return Refuse();
    NewMode = 'Z';
    State = kAfterRevolutions;
    CloseDigit('R');
    EchoMarker('R');
  }

  void Signs() {
    const Phase p = Current();
    const bool allowed = (WholeWithUpTo9Digits() && Value(Inp) <= 11) ||
                         (p == Phase::AfterRevolutions && !Digit.empty() && Value(Digit.view()) <= 11);
    if (!allowed || !Room(2)) return Refuse();
    NewMode = 'Z';
    State = kAfterSigns;
    CloseDigit('S');
    EchoMarker('S');
  }

  void Backspace() {
    if (State == 0) return Refuse();
    char erased;
    if (!Digit.empty()) {
      erased = Digit.s[Digit.len - 1];
      Digit.pop_back();
    } else {
      erased = Inp[Inp.size() - 1];
      const Phase p = Current();
      Inp.pop_back();
      switch (erased) {
        case '.':
        case 'D':
        case 'R':
          NewMode = kBareWhole;
          State = static_cast<int16_t>(Inp.size());
          break;
        case ',':
          if (p == Phase::IntegerPlaces && State == 2) {
            NewMode = kBareWhole;
            State = static_cast<int16_t>(Inp.size());
            NumFens = 0;
          } else {
            ReopenDigit();
            State = static_cast<int16_t>(State > 0 ? State - 1 : State + 1);
            if (p == Phase::IntegerPlaces || p == Phase::FenPlaces)
              NumFens = static_cast<int32_t>((NumFens - Value(Digit.view())) / 60);
          }
          break;
        case ';':
          if (NewMode == 'G') {
            NewMode = kBareWhole;
            State = static_cast<int16_t>(Inp.size());
          } else if (NewMode == 'S') {
            ReopenDigit();
            if (Inp.empty()) {
              NewMode = kBareWhole;
              Inp.append(Digit.view());
              State = static_cast<int16_t>(Digit.len);
              Digit.clear();
            } else {
              State = static_cast<int16_t>(1 + Count(','));
            }
          } else {  // Z
            ReopenDigit();
            State = Count('S') ? kAfterSigns : kAfterRevolutions;
          }
          break;
        case 'F':
          if (InpAllDigits()) {
            NewMode = kBareWhole;
            State = static_cast<int16_t>(Inp.size());
            NumFens = 0;
          } else {
            ReopenDigit();
            NumFens = static_cast<int32_t>((NumFens - Value(Digit.view())) / 60);
            if (Count('D') == 0) {
              NewMode = 'S';
              State = static_cast<int16_t>(1 + Count(','));
            } else {
              State = static_cast<int16_t>(kFirstFenPlace - Count(','));
            }
          }
          break;
        case 'S':
          if (InpAllDigits()) {
            NewMode = kBareWhole;
            State = static_cast<int16_t>(Inp.size());
          } else {
            ReopenDigit();
            State = kAfterRevolutions;
          }
          break;
        default:  // a digit of the whole number or of the decimal fraction
          State = static_cast<int16_t>(p == Phase::Whole ? State - 1 : State + 1);
          break;
      }
    }
    // Markers are echoed two columns wide.
    if (IsMarker(erased)) Echo("\b");
    Echo("\b \b");
  }

  void End() {
    const Phase p = Current();
    if (p == Phase::Whole) {
      if (State == 0) return Refuse();
      if (c_.st.NumberMode == 'D' || State >= 10 || Value(Inp) > kMaxWhole) NewMode = 'D';
    } else if (p != Phase::DecimalFraction) {
      if (Digit.empty()) Digit.push_back('0');
      Inp.append(Digit.view());
      Digit.clear();
    }
    Stop = true;
  }

  Calc& c_;
};

}  // namespace

void Illegal(Calc& c) {
  if (c.io.tone) c.io.tone->Sound(1000, 150);
}

void StackInput(Calc& c, uint8_t& ch, uint8_t& scan) {
  Entry e(c);
  const bool finished = e.Run(ch, ch, scan);
  if (finished) PushEntry(c, e.Inp.view(), e.NewMode, e.N);
  else ch = kEnter;
  c.scr().GotoXY(kLabelCol, kRow);
  c.scr().ClrEol();
}

}  // namespace qirn
