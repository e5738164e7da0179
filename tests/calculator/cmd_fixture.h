// Shared fixture of the command tests: a calculator run through the command
// loop on scripted keys, a record of the screen at every key read (to find a
// prompt or a message that is up only until the next key), row markers to
// tell which rows a command drew, and state comparisons per number system.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "console/keys.h"
#include "screen/dialog.h"
#include "screen/layout.h"
#include "support/rig.h"
#include "support/screen_spy.h"
#include "support/sxg_text.h"

namespace qirn::test {

// Remembers the screen before each read and can act once the screen is drawn
// (before the first key is handed out).
class CmdKeys : public KeySource {
 public:
  explicit CmdKeys(Screen& screen) : screen_(screen) {}
  Key ReadKey() override {
    if (reads_ == 0 && on_first_read) on_first_read(screen_);
    ++reads_;
    seen.push_back(screen_);
    return keys.ReadKey();
  }
  ScriptedKeys keys;
  std::vector<Screen> seen;
  std::function<void(Screen&)> on_first_read;

 private:
  Screen& screen_;
  size_t reads_ = 0;
};

inline constexpr char kMark = '#';
inline constexpr int kStackRows[4] = {6, 8, 10, 12};

struct CmdRig : Rig {
  CmdKeys k{con.screen};
  CmdRig() { con.keys = &k; }
  explicit CmdRig(char mode) : CmdRig() { st().NumberMode = mode; }

  CmdRig& Type(std::string_view t) {
    k.keys.Type(t);
    return *this;
  }
  CmdRig& Ext(uint8_t scan_code) {
    k.keys.Ext(scan_code);
    return *this;
  }
  // Draws the working screen from the state set so far and runs the loop on
  // the keys given until they run out.
  void Go() { Main_Program(c); }
  void Go(std::string_view t) {
    Type(t);
    Go();
  }

  // Before the first key, writes a mark over column 4 of the four stack rows,
  // so that afterwards Drawn(level) tells whether the command wrote the row.
  void MarkStackRows() {
    k.on_first_read = [](Screen& s) {
      for (int row : kStackRows) s.At(4, row).ch = kMark;
    };
  }
  bool Drawn(int level) const { return con.screen.At(4, kStackRows[level]).ch != kMark; }

  // True when some screen seen at a key read showed `text` at (col, row).
  bool Saw(std::string_view text, int row, int col = 1) const {
    for (const Screen& s : k.seen)
      if (RowChars(s, row, col, col + static_cast<int>(text.size()) - 1) == text) return true;
    return false;
  }
  // The prompt of a question: on the dialog line, blue on green.
  bool SawPrompt(std::string_view prompt) const {
    for (const Screen& s : k.seen)
      if (RowChars(s, 25, 1, static_cast<int>(prompt.size())) == prompt &&
          RowColors(s, 25, 1, static_cast<int>(prompt.size()), 1, 2))
        return true;
    return false;
  }
  bool SawMessage(std::string_view message) const { return Saw(message, 6, 4); }

  // The dialog line is idle again.
  bool DialogClosed() const {
    return Text(25, 1, 59) == "Type Q to Quit" + std::string(45, ' ') && con.screen.WinRight() == Screen::Cols;
  }
  std::string Text(int row, int from = 1, int to = Screen::Cols) const {
    return RowChars(con.screen, row, from, to);
  }
  // Stack level `level` as shown on screen (55 columns from column 4).
  std::string Shown(int level) const { return Text(kStackRows[level], 4, 58); }
};

inline std::string Pad55(std::string_view t) {
  std::string s(t);
  s.resize(55, ' ');
  return s;
}

// Field-by-field equality of the two number systems' storage and of the rest.
inline bool SameDecimal(const State& a, const State& b) {
  for (int i = 0; i < 4; ++i)
    if (a.RealStack[i] != b.RealStack[i] || std::signbit(a.RealStack[i]) != std::signbit(b.RealStack[i])) return false;
  for (int n = 0; n < 10; ++n)
    if (a.RealMem[n] != b.RealMem[n] || !(a.RealMemText[n] == b.RealMemText[n])) return false;
  return true;
}
inline bool SameSxg(const State& a, const State& b) {
  for (int i = 0; i < 4; ++i)
    if (!(a.SxgStack[i] == b.SxgStack[i])) return false;
  for (int n = 0; n < 10; ++n)
    if (!(a.SxgMem[n] == b.SxgMem[n]) || !(a.SxgMemText[n] == b.SxgMemText[n])) return false;
  return true;
}
inline bool SameSettings(const State& a, const State& b) {
  return a.NumberMode == b.NumberMode && a.PrevSxgMode == b.PrevSxgMode && a.TrigMode == b.TrigMode &&
         a.Base == b.Base && a.MemPtr == b.MemPtr && a.Menu_No == b.Menu_No && a.DisplayMode == b.DisplayMode;
}
inline bool SameState(const State& a, const State& b) {
  if (!SameDecimal(a, b) || !SameSxg(a, b) || !SameSettings(a, b)) return false;
  for (int i = 0; i < 4; ++i)
    if (!(a.StackText[i] == b.StackText[i])) return false;
  return true;
}

// Distinct values in every level and register of both systems, with a few
// descriptions, so a command touching the wrong place shows.
inline void FillBoth(State& s) {
  const char* sxg[4] = {"1;30", "2,5;0,7", "-3;59,59", "4"};
  for (int i = 0; i < 4; ++i) {
    s.RealStack[i] = 1.25L + i;
    s.SxgStack[i] = S(sxg[i]);
  }
  for (int n = 0; n < 10; ++n) {
    s.RealMem[n] = 100.5L + n;
    s.SxgMem[n] = S(std::to_string(n + 1) + ";" + std::to_string(n * 5));
  }
  s.RealMemText[1] = String55("decimal one");
  s.SxgMemText[2] = String55("sexagesimal two");
}

}  // namespace qirn::test
