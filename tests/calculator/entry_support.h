// Helpers of the number entry tests: a calculator in a chosen number mode,
// the input line as the user sees it, and the entry text the echo stands for.
#pragma once
#include <string>
#include <string_view>

#include "support/rig.h"
#include "support/sxg_text.h"

namespace qirn::test {

// A calculator in `mode` whose X rows hold sentinels, so that a push shows
// as the sentinel moving to Y.
struct EntryRig : Rig {
  static constexpr long double kRealSentinel = 7.25L;
  explicit EntryRig(char mode = 'G') {
    st().NumberMode = mode;
    if (mode != 'D') st().PrevSxgMode = mode;
    st().RealStack[0] = kRealSentinel;
    st().SxgStack[0] = S("7;7");
  }
  static Sxg SxgSentinel() { return S("7;7"); }
  bool PushedSxg() { return st().SxgStack[1] == SxgSentinel() && st().RealStack[0] == kRealSentinel; }
  bool PushedReal() { return st().RealStack[1] == kRealSentinel && st().SxgStack[0] == SxgSentinel(); }
  bool PushedNothing() { return st().RealStack[0] == kRealSentinel && st().SxgStack[0] == SxgSentinel(); }

  // The echo of the entry: row 4 from column 19, trailing blanks dropped.
  std::string Echo() {
    std::string t = Text(4, 19);
    t.erase(t.find_last_not_of(' ') + 1);
    return t;
  }
  char SignColumn() { return Text(4, 18, 18)[0]; }
};

// The entry text an echo stands for: markers "d ", "f ", "r ", "s " back to
// the upper-case letters that were typed.
inline std::string EntryTextOfEcho(std::string_view echo) {
  std::string t;
  for (size_t i = 0; i < echo.size(); ++i) {
    char ch = echo[i];
    if (ch == 'd' || ch == 'f' || ch == 'r' || ch == 's') {
      t += static_cast<char>(ch - 'a' + 'A');
      ++i;  // the blank that follows a marker
    } else {
      t += ch;
    }
  }
  return t;
}

}  // namespace qirn::test
