// What must hold between any two keys, whatever was typed: values in normal
// form and finite, display texts in step with the values, settings in range,
// and the boxes of the working screen intact. Used by the random-key tests
// and the fuzz targets.
#pragma once
#include <cmath>
#include <string>

#include "screen/layout.h"
#include "state/calc.h"

namespace qirn::test {

inline std::string SxgProblem(const Sxg& v) {
  bool zero = true;
  for (int i = -4; i <= 15; ++i) {
    if (v.Digits[i] < 0 || v.Digits[i] > 59) return "digit " + std::to_string(v.Digits[i]) + " at place " + std::to_string(i);
    if (v.Digits[i] != 0) zero = false;
  }
  if (zero && v.Neg) return "negative zero";
  return {};
}

// The box characters of one screen row of the stack and memory area.
inline std::string BoxRowProblem(const Screen& s, int row, uint8_t left, uint8_t fill, uint8_t right) {
  if (s.At(3, row).ch != left || s.At(59, row).ch != right)
    return "border of row " + std::to_string(row);
  if (fill != ' ')
    for (int col = 4; col <= 58; ++col)
      if (s.At(col, row).ch != fill) return "line of row " + std::to_string(row) + " at column " + std::to_string(col);
  return {};
}

inline std::string ScreenProblem(const Calc& c) {
  const Screen& s = c.io.screen;
  struct Row {
    int row;
    uint8_t left, fill, right;
  };
  static constexpr Row full[] = {
      {5, 201, 205, 187},  {6, 186, ' ', 186},  {7, 204, 205, 185},  {8, 186, ' ', 186},
      {9, 204, 205, 185},  {10, 186, ' ', 186}, {11, 204, 205, 185}, {12, 186, ' ', 186},
      {13, 200, 205, 188}, {16, 218, 196, 191}, {17, 179, ' ', 179}, {18, 195, 196, 180},
      {19, 179, ' ', 179}, {20, 195, 196, 180}, {21, 179, ' ', 179}, {22, 192, 196, 217},
  };
  static constexpr Row compact[] = {
      {5, 201, 205, 187},  {6, 186, ' ', 186},  {7, 200, 205, 188},  {12, 218, 196, 191},
      {13, 179, ' ', 179}, {14, 195, 196, 180}, {15, 179, ' ', 179}, {16, 195, 196, 180},
      {17, 179, ' ', 179}, {18, 195, 196, 180}, {19, 179, ' ', 179}, {20, 195, 196, 180},
      {21, 179, ' ', 179}, {22, 192, 196, 217},
  };
  auto check = [&](const Row* rows, size_t n) -> std::string {
    for (size_t i = 0; i < n; ++i) {
      std::string p = BoxRowProblem(s, rows[i].row, rows[i].left, rows[i].fill, rows[i].right);
      if (!p.empty()) return p;
    }
    return {};
  };
  std::string p = c.st.DisplayMode == 1 ? check(compact, std::size(compact)) : check(full, std::size(full));
  if (!p.empty()) return "screen: " + p;
  if (s.RowText(1).substr(25, 15) != "VALDORIM  32bit") return "screen: title";
  if (s.RowText(24).substr(60, 19) != "F1-F5   change menu") return "screen: key hint 1";
  return {};
}

// Empty when everything holds; otherwise what does not.
inline std::string InvariantProblem(const Calc& c, bool check_screen = true) {
  const State& st = c.st;
  for (int i = 0; i < 4; ++i) {
    if (std::string p = SxgProblem(st.SxgStack[i]); !p.empty()) return "SxgStack[" + std::to_string(i) + "]: " + p;
    if (!std::isfinite(st.RealStack[i])) return "RealStack[" + std::to_string(i) + "] not finite";
  }
  for (int k = 0; k < 10; ++k) {
    if (std::string p = SxgProblem(st.SxgMem[k]); !p.empty()) return "SxgMem[" + std::to_string(k) + "]: " + p;
    if (!std::isfinite(st.RealMem[k])) return "RealMem[" + std::to_string(k) + "] not finite";
  }
  if (std::string_view("DGCSZ").find(st.NumberMode) == std::string_view::npos || st.NumberMode == 0) return "NumberMode";
  if (std::string_view("GCSZ").find(st.PrevSxgMode) == std::string_view::npos || st.PrevSxgMode == 0) return "PrevSxgMode";
  if (st.TrigMode != 0 && st.TrigMode != 1) return "TrigMode";
  if (st.Base < 1 || st.Base > 9999) return "Base";
  if (st.MemPtr < 0 || st.MemPtr > 9) return "MemPtr";
  if (st.Menu_No < 0 || st.Menu_No > 3) return "Menu_No";
  if (st.DisplayMode != 0 && st.DisplayMode != 1) return "DisplayMode";
  for (int i = 0; i < 4; ++i)
    if (!(st.StackText[i] == DisplayText(c, i)))
      return "StackText[" + std::to_string(i) + "] is \"" + std::string(st.StackText[i].view()) + "\", display is \"" +
             std::string(DisplayText(c, i).view()) + "\"";
  if (check_screen) return ScreenProblem(c);
  return {};
}

// A key source that checks the invariants before handing out each key.
class CheckingKeys : public KeySource {
 public:
  CheckingKeys(KeySource& inner, const Calc& c) : inner_(inner), c_(c) {}
  Key ReadKey() override {
    if (problem.empty()) {
      problem = InvariantProblem(c_);
      if (!problem.empty()) problem += " (before key " + std::to_string(keys) + ")";
    }
    ++keys;
    return inner_.ReadKey();
  }
  std::string problem;  // the first problem seen
  long keys = 0;

 private:
  KeySource& inner_;
  const Calc& c_;
};

}  // namespace qirn::test
