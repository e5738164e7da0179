#include <gtest/gtest.h>

#include "support/rig.h"

namespace qirn::test {
namespace {

struct Placed {
  int row, col, colour;
  std::string text;
};

TEST(Welcome, TextsStandAtTheirRowsColumnsAndColours) {
  Rig r;
  Write_Welcome_Screen(r.c);
  const Placed expected[] = {
      {3, 21, 14, "                  QIRN"},
      {5, 21, 14, "         VALDORIM"},
      {6, 21, 14, "      with trigonometric functions"},
      {21, 21, 10, "         Press <ENTER> to start."},
      {25, 1, 10, "ENTER  "},
      {25, 8, 14, "Start"},
      {25, 73, 10, "Q  "},
      {25, 76, 14, "Quit"},
  };
  for (const Placed& p : expected) {
    EXPECT_EQ(r.Text(p.row, p.col, p.col + static_cast<int>(p.text.size()) - 1), p.text) << "row " << p.row;
    for (int i = 0; i < static_cast<int>(p.text.size()); ++i) {
      const Cell& cell = r.scr().At(p.col + i, p.row);
      EXPECT_EQ(cell.fg, p.colour) << "row " << p.row << " col " << p.col + i;
      EXPECT_EQ(cell.bg, 1);
    }
  }
  // The version line names the program's version, in light green.
  EXPECT_NE(r.Text(8).find("1.0.0"), std::string::npos);
  EXPECT_EQ(r.scr().At(28, 8).fg, 10);
  // Six contact lines from column 26, rows 12 to 17; blue everywhere.
  EXPECT_NE(r.Text(12, 26).find("QIRN"), std::string::npos);
  EXPECT_EQ(r.scr().At(80, 24).bg, 1);
  EXPECT_FALSE(r.scr().CursorVisible());
}

TEST(Welcome, WaitsForEnterOrQAndIgnoresEverythingElse) {
  struct Case {
    std::string keys;
    bool start;
    size_t left;
  } cases[] = {
      {"\r", true, 0},
      {"q", false, 0},
      {"Q", false, 0},
      {"x\x1b" "5\r", true, 0},
      {"a\rQ", true, 1},
  };
  for (const Case& k : cases) {
    Rig r;
    r.keys.Ext(scan::F1);  // extended keys are ignored too
    r.keys.Type(k.keys);
    EXPECT_EQ(Welcome_Screen(r.c), k.start) << k.keys;
    EXPECT_EQ(r.keys.Remaining(), k.left) << k.keys;
    EXPECT_TRUE(r.scr().CursorVisible());
    EXPECT_EQ(r.Text(3), std::string(80, ' '));  // cleared
  }
}

TEST(ProgramEntry, OnlyAnExactSlashNFirstArgumentTurnsTheDiskOff) {
  const char* none[] = {"qirn"};
  const char* n[] = {"qirn", "/n", "x"};
  const char* upper[] = {"qirn", "/N"};
  const char* second[] = {"qirn", "x", "/n"};
  const char* longer[] = {"qirn", "/nn"};
  EXPECT_TRUE(UseDiskFromArgs(1, none));
  EXPECT_FALSE(UseDiskFromArgs(3, n));
  EXPECT_TRUE(UseDiskFromArgs(2, upper));
  EXPECT_TRUE(UseDiskFromArgs(3, second));
  EXPECT_TRUE(UseDiskFromArgs(2, longer));
}

TEST(ProgramEntry, QAtTheStartUpScreenEndsWithoutInitialising) {
  Rig r;
  r.st().NumberMode = 0;  // as at program start: nothing set yet
  r.keys.Type("Q");
  RunProgram(r.c);
  EXPECT_EQ(r.st().NumberMode, 0);
}

TEST(ProgramEntry, EnterInitialisesTheDefaultsAndRunsTheLoopUntilQ) {
  Rig r;
  r.st().NumberMode = 0;
  r.st().Base = 0;
  r.keys.Type("\rq");
  RunProgram(r.c);
  EXPECT_EQ(r.st().NumberMode, 'G');
  EXPECT_EQ(r.st().PrevSxgMode, 'G');
  EXPECT_EQ(r.st().Base, 1);
  EXPECT_EQ(r.st().Menu_No, 1);
  EXPECT_EQ(r.keys.Remaining(), 0u);
  EXPECT_EQ(r.Text(1), std::string(80, ' '));  // Q clears the screen
}

}  // namespace
}  // namespace qirn::test

namespace qirn::test {
namespace {

TEST(ProgramEntry, HelpAndVersionAnswerOnStandardOutputAndExitZero) {
  char prog[] = "qirn", help[] = "--help", version[] = "--version";
  char* help_argv[] = {prog, help, nullptr};
  char* version_argv[] = {prog, version, nullptr};
  testing::internal::CaptureStdout();
  EXPECT_EQ(ProgramMain(2, help_argv), 0);
  std::string usage = testing::internal::GetCapturedStdout();
  EXPECT_NE(usage.find("/n"), std::string::npos);
  EXPECT_NE(usage.find("SAVE.QN"), std::string::npos);
  EXPECT_NE(usage.find("PRINTER.TXT"), std::string::npos);
  testing::internal::CaptureStdout();
  EXPECT_EQ(ProgramMain(2, version_argv), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "qirn " + std::string(Version) + "\n");
}

}  // namespace
}  // namespace qirn::test
