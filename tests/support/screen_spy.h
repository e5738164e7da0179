// Test helpers for the working screen: a key source that remembers what the
// screen looked like each time a key was read (so a message that is only up
// until the next key can be checked), and cell/colour checks.
#pragma once
#include <string>
#include <vector>

#include "console/keys.h"
#include "console/screen.h"

namespace qirn::test {

class SpyKeys : public KeySource {
 public:
  explicit SpyKeys(const Screen& screen) : screen_(screen) {}
  Key ReadKey() override {
    seen.push_back(screen_);
    return keys.ReadKey();
  }
  ScriptedKeys keys;
  std::vector<Screen> seen;  // the screen before each read, the failing last read included

 private:
  const Screen& screen_;
};

// Characters of absolute row `row`, columns from..to inclusive.
inline std::string RowChars(const Screen& s, int row, int from = 1, int to = Screen::Cols) {
  return std::string(s.RowText(row).substr(from - 1, to - from + 1));
}

// True when every cell of row `row`, columns from..to, has colours fg on bg.
inline bool RowColors(const Screen& s, int row, int from, int to, int fg, int bg) {
  for (int col = from; col <= to; ++col)
    if (s.At(col, row).fg != fg || s.At(col, row).bg != bg) return false;
  return true;
}

}  // namespace qirn::test
