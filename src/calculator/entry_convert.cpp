// Conversion of a finished entry text into a decimal or an Sxg value, and
// the push that ends an entry.
#include <charconv>
#include <cstdint>
#include <cstring>

#include "calculator/entry.h"
#include "calculator/results.h"
#include "screen/layout.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"

namespace qirn {
namespace {

// The whole number the decimal digits of t spell; 0 for an empty text.
int32_t Value(std::string_view t) {
  int32_t v = 0;
  for (char ch : t) v = v * 10 + (ch - '0');
  return v;
}

bool AllDigits(std::string_view t) {
  for (char ch : t)
    if (ch < '0' || ch > '9') return false;
  return true;
}

// Splits t at the first `sep`: returns the text before it and leaves the
// rest (after it) in t; without `sep` the whole text is returned and t
// becomes empty.
std::string_view CutAt(std::string_view& t, char sep) {
  size_t k = t.find(sep);
  std::string_view head = t.substr(0, k);
  t = k == std::string_view::npos ? std::string_view() : t.substr(k + 1);
  return head;
}

// Places separated by "," read as one base-60 whole number; an empty place
// (the fen places allow them, a trailing one too) counts as 0.
int32_t PlacesValue(std::string_view t) {
  int32_t w = 0;
  for (;;) {
    size_t k = t.find(',');
    w = w * 60 + Value(t.substr(0, k));
    if (k == std::string_view::npos) return w;
    t.remove_prefix(k + 1);
  }
}

void SetIntegerPlaces(Sxg& New, int32_t W) {
  for (int i = 0; i >= -4; --i) {
    New.Digits[i] = static_cast<int16_t>(W % 60);
    W /= 60;
  }
}

void SetFractionPlaces(Sxg& New, std::string_view F) {
  for (int i = 1; !F.empty() && i <= 15; ++i) New.Digits[i] = static_cast<int16_t>(Value(CutAt(F, ',')));
}

}  // namespace

long double EntryToReal(std::string_view Inp, bool N) {
  // A leading zero gives "." and ".5" a digit before the point; the
  // conversion does not depend on the locale.
  char buf[1 + String55::Capacity];
  size_t n = Inp.size() < String55::Capacity ? Inp.size() : String55::Capacity;
  buf[0] = '0';
  std::memcpy(buf + 1, Inp.data(), n);
  long double R = 0;
  std::from_chars(buf, buf + 1 + n, R);
  if (N && R != 0) R = -R;
  return R;
}

Sxg EntryToSxg(std::string_view Inp, char NewMode, bool N) {
  Sxg New = Zero;
  int32_t W = 0;
  std::string_view F;
  bool chinese = false;
  int32_t NumDays = 0;
  if (AllDigits(Inp)) {
    W = Value(Inp);
  } else if (NewMode == 'G') {
    F = Inp;
    W = Value(CutAt(F, ';'));
  } else if (NewMode == 'S') {
    F = Inp;
    W = PlacesValue(CutAt(F, ';'));
  } else if (NewMode == 'Z') {
    F = Inp;
    std::string_view whole = CutAt(F, ';');
    int32_t r = 0, s = 0;
    if (whole.find('R') != std::string_view::npos) r = Value(CutAt(whole, 'R'));
    if (whole.find('S') != std::string_view::npos) s = Value(CutAt(whole, 'S'));
    W = 360 * r + 30 * s + Value(whole);
  } else {  // C
    chinese = true;
    F = Inp;
    std::string_view fens = CutAt(F, 'F');
    if (fens.find('D') != std::string_view::npos) NumDays = Value(CutAt(fens, 'D'));
    W = PlacesValue(fens);
  }
  SetIntegerPlaces(New, W);
  SetFractionPlaces(New, F);
  if (chinese) {
    // The fen count with its fraction, below 10000, becomes a fraction of a
    // day; the days then take the integer places.
    SxgDivision(New, Wan, New);
    SetIntegerPlaces(New, NumDays);
  }
  New.Neg = N && !IsZero(New);
  return New;
}

void PushEntry(Calc& c, std::string_view Inp, char NewMode, bool N) {
  State& s = c.st;
  if (NewMode == 'D') {
    long double R = EntryToReal(Inp, N);
    if (s.NumberMode != 'D') SwitchSystem(c, 'D');
    PushRealStack(c, R);
    return;
  }
  Sxg New = EntryToSxg(Inp, NewMode, N);
  // PrevSxgMode stays: it names the mode left on the way into D.
  if (s.NumberMode == 'D' && NewMode != kBareWhole) SwitchSystem(c, NewMode);
  PushSxgStack(c, New);
}

}  // namespace qirn
