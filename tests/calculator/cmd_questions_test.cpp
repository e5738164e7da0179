// Every question the commands ask: its prompt on the dialog line in each
// number mode, and ESC (or an answer that changes nothing) leaving the whole
// state as it was and the dialog line idle again.
#include <gtest/gtest.h>

#include "cmd_fixture.h"

namespace qirn::test {
namespace {

struct Question {
  const char* modes;
  uint8_t scan;        // extended key of the command, or 0
  const char* typed;   // the command's letters (after the extended key) and the answer
  const char* prompt;
};

constexpr Question kQuestions[] = {
    {"DGCSZ", 0, "ST\x1b", "Store in which memory field ?  (0-9)  "},
    {"DGCSZ", 0, "RC\x1b", "Recall from which memory field ?  (0-9)  "},
    {"DGCSZ", scan::AltD, "\x1b", "Description for which memory field ?  (0-9)  "},
    {"DG", scan::AltD, "3\x1b", "Description for which memory field ?  (0-9)  "},
    {"DGCSZ", scan::AltC, "\x1b", "Cancel description for which memory field ?  (0-9)  "},
    {"DGCSZ", scan::AltY, "\x1b", "Clear the Stack (S), Memory (M) or All (A) ?  "},
    {"DG", scan::AltZ, "x\x1b", "Clear the Stack (S), Memory (M) or All (A) ?  "},
    {"DGCSZ", scan::AltM, "\x1b", "Chinese, Greek, Sexagesimal, Zodiacal or Decimal mode?  "},
    {"D", scan::AltM, "d", "Chinese, Greek, Sexagesimal, Zodiacal or Decimal mode?  "},
    {"G", scan::AltM, "xg", "Chinese, Greek, Sexagesimal, Zodiacal or Decimal mode?  "},
    {"C", scan::AltM, "C", "Chinese, Greek, Sexagesimal, Zodiacal or Decimal mode?  "},
    {"D", 0, "F\x1b", "Fractional part after which decimal ?  (0-19)  "},
    {"GSZ", 0, "F1\x1b", "Fractional part after which sexagesimal ?  (0-14)  "},
    {"C", 0, "F\x1b", "Fractional part after which sexagesimal ?  (d,f,0-11)  "},
    {"D", 0, "RO1\x1b", "Round after which decimal ?  (0-19)  "},
    {"GSZ", 0, "RO\x1b", "Round after which sexagesimal ?  (0-14)  "},
    {"C", 0, "RO\x1b", "Round after which sexagesimal ?  (d,f,0-11)  "},
    {"D", 0, "TR\x1b", "Truncate after which decimal ?  (0-19)  "},
    {"GSZ", 0, "TR\x1b", "Truncate after which sexagesimal ?  (0-14)  "},
    {"C", 0, "TR1\x1b", "Truncate after which sexagesimal ?  (d,f,0-11)  "},
};

TEST(Questions, ShowTheirPromptAndEscChangesNothing) {
  for (const Question& q : kQuestions) {
    for (const char* m = q.modes; *m; ++m) {
      SCOPED_TRACE(std::string(q.prompt) + " in mode " + *m + " typing " + q.typed);
      CmdRig probe(*m);
      FillBoth(probe.st());
      probe.st().MemPtr = 3;
      probe.Go();
      CmdRig r(*m);
      FillBoth(r.st());
      r.st().MemPtr = 3;
      if (q.scan) r.Ext(q.scan);
      r.Go(q.typed);
      EXPECT_TRUE(r.SawPrompt(q.prompt));
      EXPECT_TRUE(SameState(r.st(), probe.st()));
      EXPECT_TRUE(r.DialogClosed());
      EXPECT_EQ(r.scr().FgColor(), NormalText);
      EXPECT_EQ(r.scr().BgColor(), NormalBackground);
      for (int i = 0; i < 4; ++i) EXPECT_EQ(r.Shown(i), Pad55(probe.st().StackText[i])) << i;
    }
  }
}

}  // namespace
}  // namespace qirn::test
