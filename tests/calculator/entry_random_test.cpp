// Long random key sequences during number entry. Whatever is typed, the
// input line is the echo of an entry that typing it afresh reproduces
// without a single refusal, the value pushed is the exact value of that
// echo (checked in 128-bit integers, in units of 60^-15), in normal form,
// and ESC pushes nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "calculator/entry_support.h"
#include "support/invariants.h"

namespace qirn::test {
namespace {

using u128 = unsigned __int128;

u128 Pow60(int n) {
  u128 p = 1;
  while (n-- > 0) p *= 60;
  return p;
}

// value() of a text of digits; 0 when empty.
u128 Val(std::string_view t) {
  u128 v = 0;
  for (char ch : t) v = v * 10 + static_cast<unsigned>(ch - '0');
  return v;
}

// Places separated by ",", as one base-60 number; empty places count 0.
u128 Base60(std::string_view t) {
  u128 v = 0;
  size_t start = 0;
  for (;;) {
    size_t k = t.find(',', start);
    v = v * 60 + Val(t.substr(start, k == std::string_view::npos ? std::string_view::npos : k - start));
    if (k == std::string_view::npos) return v;
    start = k + 1;
  }
}

// Fractional places separated by "," in units of 60^-12.
u128 Fraction12(std::string_view t) {
  u128 v = 0;
  int place = 0;
  size_t start = 0;
  while (start <= t.size()) {
    size_t k = t.find(',', start);
    size_t end = k == std::string_view::npos ? t.size() : k;
    v += Val(t.substr(start, end - start)) * Pow60(12 - ++place);
    start = end + 1;
  }
  return v;
}

std::string_view Before(std::string_view t, char m) { return t.substr(0, t.find(m)); }
std::string_view After(std::string_view t, char m) {
  size_t k = t.find(m);
  return k == std::string_view::npos ? std::string_view() : t.substr(k + 1);
}
bool Has(std::string_view t, char m) { return t.find(m) != std::string_view::npos; }

// What an entry whose accepted text is T must push when ENTER ends it.
struct Expected {
  bool refused = false;  // nothing to end: ENTER is refused
  bool decimal = false;
  long double real = 0;
  bool neg = false;
  u128 units = 0;  // the magnitude in units of 60^-15
  char mode = 0;
  char prev = 0;
};

Expected Oracle(const std::string& T, bool N, char mode, char prev) {
  Expected e;
  e.mode = mode;
  e.prev = prev;
  if (T.empty()) {
    e.refused = true;
    return e;
  }
  const bool digits = T.find_first_not_of("0123456789") == std::string::npos;
  if (Has(T, '.') || (digits && (mode == 'D' || T.size() >= 10 || Val(T) > 777599999))) {
    e.decimal = true;
    e.real = std::strtold(("0" + T).c_str(), nullptr);
    if (N && e.real != 0) e.real = -e.real;
    if (mode != 'D') e.prev = mode;
    e.mode = 'D';
    return e;
  }
  char letter;
  std::string_view t = T;
  if (Has(t, 'D') || Has(t, 'F')) {
    letter = 'C';
    u128 days = Has(t, 'D') ? Val(Before(t, 'D')) : 0;
    std::string_view fens = Before(Has(t, 'D') ? After(t, 'D') : t, 'F');
    u128 x = Base60(fens) * Pow60(12) + Fraction12(After(t, 'F'));
    // x / 10000 in units of 60^-12, to units of 60^-15, rounded half up
    e.units = days * Pow60(15) + (2 * x * Pow60(3) + 10000) / 20000;
  } else {
    u128 whole;
    std::string_view w = Before(t, ';');
    if (Has(t, 'R') || Has(t, 'S')) {
      letter = 'Z';
      u128 r = Has(w, 'R') ? Val(Before(w, 'R')) : 0;
      std::string_view rest = Has(w, 'R') ? After(w, 'R') : w;
      u128 s = Has(rest, 'S') ? Val(Before(rest, 'S')) : 0;
      whole = 360 * r + 30 * s + Val(Has(rest, 'S') ? After(rest, 'S') : rest);
    } else {
      letter = Has(w, ',') ? 'S' : 'G';
      whole = Base60(w);
    }
    e.units = whole * Pow60(15) + Fraction12(After(t, ';')) * Pow60(3);
  }
  e.neg = N && e.units != 0;
  if (mode == 'D' && !digits) e.mode = letter;
  return e;
}

u128 Units(const Sxg& v) {
  u128 u = 0;
  for (int i = -4; i <= 15; ++i) u = u * 60 + static_cast<u128>(v.Digits[i]);
  return u;
}

// The echo of an accepted text: markers as lower-case letter and blank.
std::string Render(const std::string& T) {
  std::string out;
  for (char ch : T) {
    if (ch == 'D' || ch == 'F' || ch == 'R' || ch == 'S') {
      out += static_cast<char>(ch - 'A' + 'a');
      out += ' ';
    } else {
      out += ch;
    }
  }
  return out;
}

// Keys typed during an entry: mostly digits, markers and backspace, a few
// keys that are always refused, no ending key and no ESC.
std::string RandomEntry(std::mt19937_64& rng) {
  static constexpr std::string_view kDigits = "0123456789";
  static constexpr std::string_view kOther = "..,,,;;DFRSC\b\b\b\bqZ b!";
  std::string keys(1, kDigits[rng() % 10]);
  const size_t n = 1 + rng() % 60;
  while (keys.size() < n) {
    keys += rng() % 100 < 55 ? kDigits[rng() % 10] : kOther[rng() % kOther.size()];
  }
  return keys;
}

std::string RunTrial(uint64_t seed) {
  std::mt19937_64 rng(seed);
  const char mode = "GSCZD"[rng() % 5];
  const std::string keys = RandomEntry(rng);
  const std::string where = " (mode " + std::string(1, mode) + ", keys \"" + keys + "\")";

  EntryRig typed(mode);
  typed.Run(keys);
  const std::string echo = typed.Echo();
  const char sign = typed.SignColumn();
  const std::string T = EntryTextOfEcho(echo);
  if (typed.Text(4, 10, 17) != "input:  " || (sign != ' ' && sign != '-')) return "input line label" + where;
  // The echo is trimmed, so a last marker has lost its blank.
  std::string shown = Render(T);
  if (shown.ends_with(' ')) shown.pop_back();
  if (shown != echo || T.find_first_not_of("0123456789.,;DFRS") != std::string::npos)
    return "echo \"" + echo + "\" is not an entry" + where;
  if (T.size() > 55) return "entry text longer than 55" + where;
  if (typed.scr().CursorCol() != 19 + static_cast<int>(Render(T).size())) return "cursor not after the echo" + where;
  if (!typed.PushedNothing()) return "pushed before the end" + where;

  // Typing the echo afresh is accepted key by key and gives the same line.
  EntryRig again(mode);
  again.Run("1\b" + T + (sign == '-' ? "C" : ""));
  if (again.tone.count != 0 || again.Echo() != echo || again.SignColumn() != sign)
    return "retyping \"" + T + "\" gives \"" + again.Echo() + "\" with " + std::to_string(again.tone.count) +
           " refusals" + where;

  // ENTER pushes the exact value of the echo.
  EntryRig ended(mode);
  ended.Run(keys + "\r");
  const Expected e = Oracle(T, sign == '-', mode, ended.st().PrevSxgMode);
  const State& st = ended.st();
  if (e.refused) {
    if (ended.tone.count != typed.tone.count + 1 || !ended.PushedNothing()) return "ENTER on nothing" + where;
  } else if (ended.tone.count != typed.tone.count) {
    return "ENTER refused" + where;
  } else if (e.decimal) {
    if (!ended.PushedReal() || st.RealStack[0] != e.real || !std::isfinite(st.RealStack[0]) ||
        (st.RealStack[0] == 0 && std::signbit(st.RealStack[0])))
      return "decimal value" + where;
  } else {
    if (!ended.PushedSxg()) return "nothing pushed" + where;
    if (std::string p = SxgProblem(st.SxgStack[0]); !p.empty()) return p + where;
    if (Units(st.SxgStack[0]) != e.units || st.SxgStack[0].Neg != e.neg)
      return "value " + Notation(st.SxgStack[0]) + " for \"" + T + "\"" + where;
  }
  if (st.NumberMode != e.mode || st.PrevSxgMode != e.prev) return "number mode" + where;
  if (!e.refused && ended.Text(4, 10) != std::string(71, ' ')) return "input line left" + where;
  if (std::string p = InvariantProblem(ended.c); !p.empty()) return p + where;

  // ESC pushes nothing and switches nothing.
  EntryRig cancelled(mode);
  cancelled.Run(keys + "\x1b");
  if (!cancelled.PushedNothing() || cancelled.st().NumberMode != mode || cancelled.tone.count != typed.tone.count)
    return "ESC" + where;
  return {};
}

TEST(EntryRandom, EchoValueAndNormalForm) {
  uint64_t base = 20261211;
  if (const char* s = std::getenv("QIRN_ENTRY_SEED")) base = std::strtoull(s, nullptr, 10);
  for (uint64_t i = 0; i < 4000; ++i) {
    const std::string problem = RunTrial(base + i);
    ASSERT_EQ(problem, "") << "seed " << base + i;
  }
}

// Values typed in the notations of the fixed cases go through the same
// oracle, which keeps the oracle itself honest.
TEST(EntryRandom, OracleAgreesWithTheWorkedValues) {
  struct Case {
    const char* text;
    const char* value;
  } cases[] = {{"100;7,30", "1,40;7,30"}, {"1,30;15", "1,30;15"},    {"2R5S17;30", "14,47;30"},
               {"3S10", "1,40"},          {"365D14,41F15", "6,5;5,17,15"}, {"12F30", "0;0,4,30"}};
  for (const Case& k : cases) {
    Expected e = Oracle(k.text, false, 'G', 'G');
    EXPECT_EQ(static_cast<uint64_t>(e.units >> 64), static_cast<uint64_t>(Units(S(k.value)) >> 64)) << k.text;
    EXPECT_EQ(static_cast<uint64_t>(e.units), static_cast<uint64_t>(Units(S(k.value)))) << k.text;
  }
}

}  // namespace
}  // namespace qirn::test
