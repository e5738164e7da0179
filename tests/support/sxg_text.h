// Test helpers: Sxg values written as in 1,30;5,0,30 (integer places, ";",
// fractional places; a leading "-" for negative values), and printed back in
// the same notation with every digit, for failure messages.
#pragma once
#include <cstdlib>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "sexagesimal/sxg.h"

namespace qirn::test {

// Parses "[-]i,i,...;f,f,..." into an Sxg. Digits are not range-checked, so
// tests can build values outside the normal form on purpose.
inline Sxg S(std::string_view t) {
  Sxg v{};
  if (!t.empty() && t[0] == '-') {
    v.Neg = true;
    t.remove_prefix(1);
  }
  std::string_view ip = t, fp;
  if (auto k = t.find(';'); k != std::string_view::npos) {
    ip = t.substr(0, k);
    fp = t.substr(k + 1);
  }
  auto split = [](std::string_view s) {
    std::vector<int> out;
    while (!s.empty()) {
      auto k = s.find(',');
      out.push_back(std::atoi(std::string(s.substr(0, k)).c_str()));
      if (k == std::string_view::npos) break;
      s.remove_prefix(k + 1);
    }
    return out;
  };
  std::vector<int> ints = split(ip), fracs = split(fp);
  int place = 0;
  for (auto it = ints.rbegin(); it != ints.rend() && place >= -4; ++it) v.Digits[place--] = static_cast<int16_t>(*it);
  for (size_t i = 0; i < fracs.size() && i < 15; ++i) v.Digits[static_cast<int>(i) + 1] = static_cast<int16_t>(fracs[i]);
  return v;
}

// The value in the notation above, leading zero places and trailing zero
// fractional places left out.
inline std::string Notation(const Sxg& v) {
  std::string out = v.Neg ? "-" : "";
  int first = -4;
  while (first < 0 && v.Digits[first] == 0) ++first;
  for (int i = first; i <= 0; ++i) {
    out += std::to_string(v.Digits[i]);
    if (i < 0) out += ',';
  }
  int last = 15;
  while (last > 0 && v.Digits[last] == 0) --last;
  if (last > 0) out += ';';
  for (int i = 1; i <= last; ++i) {
    out += std::to_string(v.Digits[i]);
    if (i < last) out += ',';
  }
  return out;
}

}  // namespace qirn::test

namespace qirn {
// Lets gtest print Sxg values in the notation above.
inline void PrintTo(const Sxg& v, std::ostream* os) { *os << test::Notation(v); }
}  // namespace qirn
