// The stack commands through the command loop, in both number systems and
// both layouts: the values and texts they move, the rows they draw, and the
// other system's stack left alone.
#include <gtest/gtest.h>

#include "cmd_fixture.h"

namespace qirn::test {
namespace {

struct Move {
  const char* name;
  const char* typed;  // typed keys, or empty for the extended key
  uint8_t scan;
  int from[4];  // new level i holds old level from[i]
  bool drawn_full[4];
  bool drawn_compact[4];
};

constexpr Move kMoves[] = {
    {"ENTER", "\r", 0, {0, 0, 1, 2}, {false, true, true, true}, {false, false, false, false}},
    {"D", "D", 0, {3, 0, 1, 2}, {true, true, true, true}, {true, false, false, false}},
    {"down arrow", "", scan::Down, {3, 0, 1, 2}, {true, true, true, true}, {true, false, false, false}},
    {"U", "U", 0, {1, 2, 3, 0}, {true, true, true, true}, {true, false, false, false}},
    {"up arrow", "", scan::Up, {1, 2, 3, 0}, {true, true, true, true}, {true, false, false, false}},
    {"X", "x", 0, {1, 0, 2, 3}, {true, true, false, false}, {true, false, false, false}},
    {"Z", "Z", 0, {1, 2, 3, 3}, {true, true, true, false}, {true, false, false, false}},
};

TEST(StackCommands, MoveValuesTextsAndDrawOnlyTheChangedRows) {
  for (char mode : {'D', 'G', 'Z'}) {
    for (int layout : {0, 1}) {
      for (const Move& m : kMoves) {
        SCOPED_TRACE(std::string(m.name) + " mode " + mode + " layout " + std::to_string(layout));
        CmdRig r(mode);
        FillBoth(r.st());
        r.st().DisplayMode = static_cast<int16_t>(layout);
        r.MarkStackRows();
        if (*m.typed)
          r.Type(m.typed);
        else
          r.Ext(m.scan);
        const State before = [&] {
          // The texts as drawn before the command.
          CmdRig probe(mode);
          FillBoth(probe.st());
          probe.st().DisplayMode = static_cast<int16_t>(layout);
          probe.Go();
          return probe.st();
        }();
        r.Go();
        const State& after = r.st();
        for (int i = 0; i < 4; ++i) {
          if (mode == 'D')
            EXPECT_EQ(after.RealStack[i], before.RealStack[m.from[i]]) << "level " << i;
          else
            EXPECT_EQ(after.SxgStack[i], before.SxgStack[m.from[i]]) << "level " << i;
          EXPECT_EQ(after.StackText[i].view(), before.StackText[m.from[i]].view()) << "level " << i;
          EXPECT_EQ(r.Drawn(i), layout == 0 ? m.drawn_full[i] : m.drawn_compact[i]) << "level " << i;
          if (r.Drawn(i)) {
            EXPECT_EQ(r.Shown(i), Pad55(after.StackText[i])) << "level " << i;
          }
        }
        EXPECT_TRUE(mode == 'D' ? SameSxg(after, before) : SameDecimal(after, before));
        EXPECT_TRUE(SameSettings(after, before));
      }
    }
  }
}

// The T that ENTER loses and the T that Z duplicates.
TEST(StackCommands, EnterLosesTAndClearXDuplicatesT) {
  CmdRig r('D');
  for (int i = 0; i < 4; ++i) r.st().RealStack[i] = i + 1;
  r.Go("\r");
  EXPECT_EQ(r.st().RealStack[0], 1);
  EXPECT_EQ(r.st().RealStack[1], 1);
  EXPECT_EQ(r.st().RealStack[2], 2);
  EXPECT_EQ(r.st().RealStack[3], 3);

  CmdRig z('S');
  for (int i = 0; i < 4; ++i) z.st().SxgStack[i] = S(std::to_string(i + 1));
  z.Go("Z");
  EXPECT_EQ(z.st().SxgStack[0], S("2"));
  EXPECT_EQ(z.st().SxgStack[1], S("3"));
  EXPECT_EQ(z.st().SxgStack[2], S("4"));
  EXPECT_EQ(z.st().SxgStack[3], S("4"));
}

TEST(StackCommands, RepeatedRollsAndExchangesRestoreTheStack) {
  for (char mode : {'D', 'C'}) {
    for (const char* keys : {"DDDD", "UUUU", "XX", "DU", "UD"}) {
      SCOPED_TRACE(std::string(keys) + " mode " + mode);
      CmdRig probe(mode);
      FillBoth(probe.st());
      probe.Go();
      CmdRig r(mode);
      FillBoth(r.st());
      r.Go(keys);
      EXPECT_TRUE(SameState(r.st(), probe.st()));
      for (int i = 0; i < 4; ++i) EXPECT_EQ(r.Shown(i), Pad55(probe.st().StackText[i]));
    }
  }
}

TEST(StackCommands, ChangeSignNegatesNonZeroAndLeavesZeroUndrawn) {
  struct Case {
    char mode;
    long double real;
    const char* sxg;
    long double real_after;
    const char* sxg_after;
    bool drawn;
  } cases[] = {
      {'D', 5, "0", -5, "0", true},
      {'D', -5, "0", 5, "0", true},
      {'D', 0, "7", 0, "7", false},
      {'G', 3, "5", 3, "-5", true},
      {'S', 3, "-0;0,0,1", 3, "0;0,0,1", true},
      {'Z', 3, "0", 3, "0", false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(1, k.mode) + " " + k.sxg);
    CmdRig r(k.mode);
    r.st().RealStack[0] = k.real;
    r.st().SxgStack[0] = S(k.sxg);
    r.st().RealStack[1] = 9;
    r.MarkStackRows();
    r.Go("CS");
    EXPECT_EQ(r.st().RealStack[0], k.real_after);
    EXPECT_FALSE(std::signbit(r.st().RealStack[0]) && r.st().RealStack[0] == 0);
    EXPECT_EQ(r.st().SxgStack[0], S(k.sxg_after));
    EXPECT_EQ(r.st().RealStack[1], 9);
    EXPECT_EQ(r.Drawn(0), k.drawn);
    for (int i = 1; i < 4; ++i) EXPECT_FALSE(r.Drawn(i));
    EXPECT_EQ(r.st().StackText[0].view(), DisplayText(r.c, 0).view());
    if (k.drawn) {
      EXPECT_EQ(r.Shown(0), Pad55(r.st().StackText[0]));
    }
  }
}

// Texts travel with their values even when the compact layout does not show
// them: the full layout afterwards shows Y, Z and T as moved.
TEST(StackCommands, CompactLayoutKeepsTheTextsOfHiddenLevelsInStep) {
  CmdRig r('G');
  FillBoth(r.st());
  r.st().DisplayMode = 1;
  r.Type("\rD").Ext(scan::F10);
  r.Go();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(r.st().StackText[i].view(), DisplayText(r.c, i).view()) << i;
    EXPECT_EQ(r.Shown(i), Pad55(r.st().StackText[i])) << i;
  }
  EXPECT_EQ(r.st().SxgStack[0], S("-3;59,59"));  // the old Z, rolled round
}

}  // namespace
}  // namespace qirn::test
