// The memory registers through the command loop: store, recall, descriptions,
// scrolling and clearing, each on the current number system only.
#include <gtest/gtest.h>

#include "cmd_fixture.h"
#include "decimal/real_format.h"
#include "sexagesimal/sxg_format.h"

namespace qirn::test {
namespace {

// Memory row j of the window: row 17 + 2j (full) or 13 + 2j (compact).
int MemRow(const CmdRig& r, int j) { return (r.c.st.DisplayMode == 1 ? 13 : 17) + 2 * j; }

// The text the window shows for register n, or "(not shown)".
std::string WindowShows(const CmdRig& r, int n) {
  const int rows = r.c.st.DisplayMode == 1 ? 5 : 3;
  for (int j = 0; j < rows; ++j)
    if (r.Text(MemRow(r, j), 1, 1) == std::to_string(n)) return r.Text(MemRow(r, j), 4, 58);
  return "(not shown)";
}

TEST(Store, CopiesXIntoTheRegisterOfTheCurrentSystemOnly) {
  for (char mode : {'D', 'G', 'C'}) {
    SCOPED_TRACE(mode);
    CmdRig r(mode);
    FillBoth(r.st());
    CmdRig probe(mode);
    FillBoth(probe.st());
    probe.Go();
    // Keys other than digits and ESC are ignored at the register question.
    r.Type("ST").Type("x+\r").Ext(scan::F1).Type("4");
    r.Go();
    const State& s = r.st();
    const State& b = probe.st();
    if (mode == 'D') {
      EXPECT_EQ(s.RealMem[4], b.RealStack[0]);
      EXPECT_TRUE(SameSxg(s, b));
      EXPECT_EQ(WindowShows(r, 4), Pad55(RealToStr(s.RealStack[0])));
    } else {
      EXPECT_EQ(s.SxgMem[4], b.SxgStack[0]);
      EXPECT_TRUE(SameDecimal(s, b));
      EXPECT_EQ(WindowShows(r, 4), Pad55(SxgToStr(s.SxgStack[0], mode)));
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.StackText[i].view(), b.StackText[i].view());
    EXPECT_TRUE(r.SawPrompt("Store in which memory field ?  (0-9)  "));
    EXPECT_TRUE(r.DialogClosed());
    EXPECT_EQ(s.Menu_No, b.Menu_No);  // F1 at the question did not change the menu
  }
}

TEST(Store, IntoADescribedRegisterAsksWhetherToCancelTheDescription) {
  for (bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Y" : "N");
    CmdRig r('G');
    FillBoth(r.st());
    // ESC cannot cancel this question; other keys are ignored until Y or N.
    r.Go(yes ? "ST2\x1bqy" : "ST2\x1bqn");
    EXPECT_EQ(r.st().SxgMem[2], S("1;30"));
    EXPECT_TRUE(r.SawPrompt("Cancel the description of this memory field?  (Y/N)  "));
    EXPECT_TRUE(r.DialogClosed());
    if (yes) {
      EXPECT_TRUE(r.st().SxgMemText[2].empty());
      EXPECT_EQ(WindowShows(r, 2), Pad55(SxgToStr(S("1;30"), 'G')));
    } else {
      EXPECT_EQ(r.st().SxgMemText[2].view(), "sexagesimal two");
      EXPECT_EQ(WindowShows(r, 2), Pad55("sexagesimal two"));
    }
    EXPECT_EQ(r.st().RealMemText[1].view(), "decimal one");
  }
}

TEST(Store, BringsTheRegisterIntoTheWindowBeforeTheQuestionCloses) {
  struct Case {
    int layout, mem_ptr;
    char reg;
    int mem_ptr_after;
  } cases[] = {
      {0, 0, '0', 0}, {0, 0, '2', 0}, {0, 0, '3', 3}, {0, 0, '7', 6}, {0, 0, '9', 9},
      {0, 9, '1', 9},  // the window at 9 shows 9, 0, 1
      {0, 3, '2', 0}, {1, 0, '4', 0}, {1, 0, '5', 5}, {1, 0, '9', 5}, {1, 5, '0', 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.layout) + " " + std::to_string(k.mem_ptr) + " " + k.reg);
    CmdRig r('D');
    r.st().DisplayMode = static_cast<int16_t>(k.layout);
    r.st().MemPtr = static_cast<int16_t>(k.mem_ptr);
    r.st().RealStack[0] = 42;
    r.st().RealMemText[k.reg - '0'] = String55("label");
    r.Type("ST").Type(std::string(1, k.reg)).Type("N");
    r.Go();
    EXPECT_EQ(r.st().MemPtr, k.mem_ptr_after);
    EXPECT_EQ(r.Text(MemRow(r, 0), 1, 1), std::to_string(k.mem_ptr_after));
    // At the yes/no question (the read of N) the register was already on screen.
    const Screen& at_question = r.k.seen[r.k.seen.size() - 2];
    bool shown = false;
    for (int j = 0; j < (k.layout == 1 ? 5 : 3); ++j)
      shown |= RowChars(at_question, MemRow(r, j), 1, 1) == std::string(1, k.reg);
    EXPECT_TRUE(shown);
  }
}

TEST(Recall, PushesTheRegisterValueEvenWhenADescriptionIsShown) {
  for (char mode : {'D', 'S'}) {
    SCOPED_TRACE(mode);
    CmdRig r(mode);
    FillBoth(r.st());
    r.st().MemPtr = 6;  // registers 1 and 2 are not in the window
    CmdRig probe(mode);
    FillBoth(probe.st());
    probe.Go();
    r.Go(mode == 'D' ? "RC1" : "RC2");
    const State& s = r.st();
    const State& b = probe.st();
    if (mode == 'D') {
      EXPECT_EQ(s.RealStack[0], b.RealMem[1]);
      EXPECT_EQ(s.RealStack[1], b.RealStack[0]);
      EXPECT_EQ(s.RealStack[3], b.RealStack[2]);
      EXPECT_TRUE(SameSxg(s, b));
    } else {
      EXPECT_EQ(s.SxgStack[0], b.SxgMem[2]);
      EXPECT_EQ(s.SxgStack[1], b.SxgStack[0]);
      EXPECT_TRUE(SameDecimal(s, b));
    }
    EXPECT_EQ(s.MemPtr, 6);  // the window does not move
    EXPECT_EQ(s.RealMem[1], b.RealMem[1]);
    EXPECT_EQ(s.SxgMem[2], b.SxgMem[2]);
    EXPECT_TRUE(r.SawPrompt("Recall from which memory field ?  (0-9)  "));
    EXPECT_TRUE(r.DialogClosed());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.Shown(i), Pad55(DisplayText(r.c, i)));
  }
}

// Each typed key is one byte: code page 437 letters stay; control keys
// typed into the text are not taken (tab, Ctrl+A, DEL).
TEST(Description, StoresTheTypedTextForTheCurrentSystem) {
  struct Case {
    char mode;
    std::string typed;
    std::string stored;
  } cases[] = {
      {'G', "Sun's mean motion\r", "Sun's mean motion"},
      {'D', "rate\r", "rate"},
      {'G', "a\x01" "b\tc\x7f" "d\r", "abcd"},
      {'Z', "\x82t\xe9 \x9c" "5\r", "\x82t\xe9 \x9c" "5"},
      {'G', "ab\bc\r", "ac"},
      {'G', std::string(60, 'w') + "\r", std::string(55, 'w')},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.stored);
    CmdRig r(k.mode);
    FillBoth(r.st());
    CmdRig probe(k.mode);
    FillBoth(probe.st());
    probe.Go();
    r.Ext(scan::AltD).Type("7").Type(k.typed);
    r.Go();
    const State& s = r.st();
    if (k.mode == 'D') {
      EXPECT_EQ(s.RealMemText[7].view(), k.stored);
      EXPECT_TRUE(SameSxg(s, probe.st()));
    } else {
      EXPECT_EQ(s.SxgMemText[7].view(), k.stored);
      EXPECT_TRUE(SameDecimal(s, probe.st()));
    }
    EXPECT_EQ(s.MemPtr, 6);
    EXPECT_EQ(WindowShows(r, 7), Pad55(k.stored));
    EXPECT_TRUE(r.SawPrompt("Description for which memory field ?  (0-9)  "));
    EXPECT_TRUE(r.Saw(": ", 25));
    EXPECT_TRUE(r.DialogClosed());
    for (int n = 0; n < 10; ++n) {
      for (char ch : std::string_view((k.mode == 'D' ? s.RealMemText : s.SxgMemText)[n]))
        EXPECT_FALSE(static_cast<uint8_t>(ch) < 32 || static_cast<uint8_t>(ch) == 127);
    }
  }
}

TEST(Description, EscAtTheTextKeepsTheOldDescription) {
  CmdRig r('G');
  FillBoth(r.st());
  r.Ext(scan::AltD).Type("2new text\x1b");
  r.Go();
  EXPECT_EQ(r.st().SxgMemText[2].view(), "sexagesimal two");
  EXPECT_EQ(WindowShows(r, 2), Pad55("sexagesimal two"));
  EXPECT_TRUE(r.DialogClosed());
}

TEST(CancelDescription, EmptiesTheDescriptionOfTheCurrentSystem) {
  struct Case {
    char mode;
    char reg;
    int mem_ptr;
  } cases[] = {{'G', '2', 0}, {'D', '1', 0}, {'G', '2', 6}, {'S', '5', 3}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(1, k.mode) + k.reg);
    CmdRig r(k.mode);
    FillBoth(r.st());
    r.st().MemPtr = static_cast<int16_t>(k.mem_ptr);
    CmdRig probe(k.mode);
    FillBoth(probe.st());
    probe.st().MemPtr = static_cast<int16_t>(k.mem_ptr);
    probe.Go();
    r.Ext(scan::AltC).Type(std::string(1, k.reg));
    r.Go();
    State expected = probe.st();
    (k.mode == 'D' ? expected.RealMemText : expected.SxgMemText)[k.reg - '0'].clear();
    EXPECT_TRUE(SameState(r.st(), expected));  // the window does not move either
    if (k.mem_ptr == 0) {
      EXPECT_EQ(WindowShows(r, k.reg - '0'),
                Pad55(k.mode == 'D' ? RealToStr(expected.RealMem[1]) : SxgToStr(expected.SxgMem[2], k.mode)));
    }
    EXPECT_TRUE(r.SawPrompt("Cancel description for which memory field ?  (0-9)  "));
    EXPECT_TRUE(r.DialogClosed());
  }
}

TEST(ScrollMemory, StepsThroughTheWindowsOfTheLayout) {
  struct Case {
    int layout;
    uint8_t scan;
    int starts[4];
  } cases[] = {
      {0, scan::AltS, {3, 6, 9, 0}},
      {0, scan::AltT, {9, 6, 3, 0}},
      {1, scan::AltS, {5, 0, 5, 0}},
      {1, scan::AltT, {5, 0, 5, 0}},
  };
  for (const Case& k : cases) {
    CmdRig r('G');
    r.st().DisplayMode = static_cast<int16_t>(k.layout);
    for (int step = 0; step < 4; ++step) {
      SCOPED_TRACE(std::to_string(k.layout) + " " + std::to_string(k.scan) + " step " + std::to_string(step));
      r.Ext(k.scan);
      r.Go();
      EXPECT_EQ(r.st().MemPtr, k.starts[step]);
      const int rows = k.layout == 1 ? 5 : 3;
      for (int j = 0; j < rows; ++j)
        EXPECT_EQ(r.Text(MemRow(r, j), 1, 1), std::to_string((k.starts[step] + j) % 10));
    }
  }
}

TEST(Clear, ZeroesStackMemoryOrBothOfTheCurrentSystem) {
  struct Case {
    char mode;
    const char* answer;
    bool stack, memory;
  } cases[] = {
      {'G', "A", true, true}, {'G', "s", true, false}, {'G', "m", false, true},
      {'D', "a", true, true}, {'D', "S", true, false}, {'C', "xq1M", false, true},
  };
  for (const Case& k : cases) {
    for (uint8_t key : {scan::AltY, scan::AltZ}) {
      SCOPED_TRACE(std::string(1, k.mode) + k.answer + " " + std::to_string(key));
      CmdRig r(k.mode);
      FillBoth(r.st());
      r.st().MemPtr = 3;
      CmdRig probe(k.mode);
      FillBoth(probe.st());
      probe.st().MemPtr = 3;
      probe.Go();
      r.Ext(key).Type(k.answer);
      r.Go();
      const State& s = r.st();
      const State& b = probe.st();
      const bool dec = k.mode == 'D';
      EXPECT_TRUE(dec ? SameSxg(s, b) : SameDecimal(s, b));
      for (int i = 0; i < 4; ++i) {
        if (dec)
          EXPECT_EQ(s.RealStack[i], k.stack ? 0 : b.RealStack[i]);
        else
          EXPECT_EQ(s.SxgStack[i], k.stack ? S("0") : b.SxgStack[i]);
        EXPECT_EQ(s.StackText[i].view(), DisplayText(r.c, i).view());
        EXPECT_EQ(r.Shown(i), Pad55(s.StackText[i]));
      }
      for (int n = 0; n < 10; ++n) {
        if (dec) {
          EXPECT_EQ(s.RealMem[n], k.memory ? 0 : b.RealMem[n]);
          EXPECT_EQ(s.RealMemText[n].view(), k.memory ? "" : b.RealMemText[n].view());
        } else {
          EXPECT_EQ(s.SxgMem[n], k.memory ? S("0") : b.SxgMem[n]);
          EXPECT_EQ(s.SxgMemText[n].view(), k.memory ? "" : b.SxgMemText[n].view());
        }
      }
      EXPECT_EQ(s.MemPtr, k.memory ? 0 : 3);
      if (k.memory)
        for (int j = 0; j < 3; ++j) {
          EXPECT_EQ(r.Text(MemRow(r, j), 1, 1), std::to_string(j));
          EXPECT_EQ(r.Text(MemRow(r, j), 4, 58), std::string(55, ' '));
        }
      EXPECT_TRUE(r.SawPrompt("Clear the Stack (S), Memory (M) or All (A) ?  "));
      EXPECT_TRUE(r.DialogClosed());
    }
  }
}

}  // namespace
}  // namespace qirn::test
