#include "screen/layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "screen/dialog.h"
#include "support/rig.h"
#include "support/screen_picture.h"
#include "support/screen_spy.h"
#include "support/sxg_text.h"

namespace qirn::test {
namespace {

std::string Fixture(const char* name) {
  return (std::filesystem::path(__FILE__).parent_path() / "fixtures" / name).string();
}

void ExpectPicture(const Screen& s, const char* fixture) {
  std::vector<std::string> want = LoadPicture(Fixture(fixture));
  ASSERT_FALSE(want.empty()) << "cannot read " << Fixture(fixture);
  std::string diff = PictureDiff(want, s);
  if (!diff.empty()) {
    std::string all;
    for (const std::string& line : Picture(s)) all += line + "\n";
    ADD_FAILURE() << fixture << " differs:\n" << diff << "whole screen:\n" << all;
  }
}

std::string Menu(Rig& r, int line) { return r.Text(4 + line, 61, 80); }

TEST(WorkingScreen, AfterStartUpWithTheDefaults) {
  Rig r;
  r.Run();
  ExpectPicture(r.scr(), "start_full.txt");
  // The loop waits with the cursor in the echo area.
  EXPECT_EQ(r.scr().CursorCol(), 1);
  EXPECT_EQ(r.scr().CursorRow(), 2);
}

// Compact layout in Decimal mode with the various menu; the memory window
// starts at register 7 and wraps to 0 and 1; register 8 has a description.
TEST(WorkingScreen, CompactDecimalLayout) {
  Rig r;
  State& s = r.st();
  s.NumberMode = 'D';
  s.DisplayMode = 1;
  s.Menu_No = 3;
  s.TrigMode = 1;
  s.Base = 360;
  s.MemPtr = 7;
  s.RealStack[0] = -2.25L;
  s.RealStack[1] = 7;  // not shown in this layout
  s.RealMem[7] = 0.1L;
  s.RealMem[8] = 5;
  s.RealMemText[8] = String55("Radius of the Earth");
  s.RealMem[9] = 123456.75L;
  s.RealMem[1] = 1e-5L;
  r.Run();
  ExpectPicture(r.scr(), "compact_decimal.txt");
  // Every level's text is kept, shown or not.
  EXPECT_EQ(s.StackText[1].view(), std::string(29, ' ') + "7.");
}

// Full layout in Sexagesimal mode with the trigonometric menu; the memory
// window starts at register 9 and wraps to 0 and 1.
TEST(WorkingScreen, FullSexagesimalLayout) {
  Rig r;
  State& s = r.st();
  s.NumberMode = 'S';
  s.Menu_No = 2;
  s.MemPtr = 9;
  s.Base = 9999;
  s.SxgStack[0] = S("1,30;5,0,30");
  s.SxgStack[1] = S("-12,0;6,7");
  s.SxgStack[2] = S("0;20");
  s.SxgMem[9] = S("6,35;30");
  s.SxgMem[0] = S("1");
  s.SxgMemText[0] = String55("one, hidden behind its description");
  r.Run();
  ExpectPicture(r.scr(), "full_sexagesimal.txt");
}

TEST(WorkingScreen, TextsLineUpByMode) {
  // The integer part ends in screen column 21, the decimal point is in 34.
  for (char mode : {'G', 'S', 'Z', 'C'}) {
    Rig r;
    r.st().NumberMode = mode;
    r.st().SxgStack[0] = S("-1,2,3;4");
    r.st().SxgStack[1] = S("59,59,59,59,59;59");
    r.st().SxgStack[2] = S("0;0,1");
    InitializeScreen(r.c);
    for (int row : {6, 8, 10}) EXPECT_EQ(r.Text(row, 21, 21), mode == 'C' ? "d" : ";") << mode << " " << r.Text(row);
  }
  Rig r;
  r.st().NumberMode = 'D';
  r.st().RealStack[0] = -999999999999999.5L;
  r.st().RealStack[1] = 0.001L;
  r.st().RealStack[2] = 42;
  InitializeScreen(r.c);
  for (int row : {6, 8, 10, 12}) EXPECT_EQ(r.Text(row, 34, 34), ".") << r.Text(row);
}

TEST(WorkingScreen, ModeLineLeavesNoRemainsOfALongerName) {
  Rig r;
  r.st().NumberMode = 'S';
  WriteMode(r.c);
  EXPECT_EQ(r.Text(1, 1, 25), "Sexagesimal mode         ");
  r.st().NumberMode = 'G';
  WriteMode(r.c);
  EXPECT_EQ(r.Text(1, 1, 25), "Greek mode               ");
}

TEST(FunctionKeys, F1CyclesTheMenusAndF2ToF5ChooseThem) {
  Rig r;
  SpyKeys spy(r.scr());
  r.con.keys = &spy;
  for (int i = 0; i < 4; ++i) spy.keys.Ext(scan::F1);
  spy.keys.Ext(scan::F5);
  spy.keys.Ext(scan::F1);
  spy.keys.Ext(scan::F4);
  spy.keys.Ext(scan::F3);
  spy.keys.Ext(scan::F2);
  spy.keys.Ext(scan::F5);
  Main_Program(r.c);
  // seen[i] is the screen before key i; seen[i + 1] shows key i's effect.
  const char* headings[] = {"TRIGONOMETRIC MENU", "VARIOUS", "MAIN MENU", "TRIGONOMETRIC MENU", "",
                            "MAIN MENU", "VARIOUS", "TRIGONOMETRIC MENU", "MAIN MENU", ""};
  ASSERT_EQ(spy.seen.size(), 11u);
  for (int i = 0; i < 10; ++i) {
    std::string want = headings[i];
    want.resize(20, ' ');
    EXPECT_EQ(RowChars(spy.seen[i + 1], 5, 61, 80), want) << "after key " << i;
  }
  EXPECT_EQ(r.st().Menu_No, 0);
  // Menu 0: the column is blank, the key hints stay.
  for (int k = 1; k <= 18; ++k) EXPECT_EQ(Menu(r, k), std::string(20, ' ')) << k;
  EXPECT_EQ(r.Text(24, 61, 80), "F1-F5   change menu ");
  EXPECT_EQ(r.Text(25, 61, 80), "F10  switch display ");
  EXPECT_TRUE(RowColors(r.scr(), 5, 61, 80, 14, 1));
}

TEST(FunctionKeys, F1FromMenuZeroGivesTheMainMenu) {
  Rig r;
  r.st().Menu_No = 0;
  r.keys.Ext(scan::F1);
  r.Run();
  EXPECT_EQ(r.st().Menu_No, 1);
  EXPECT_EQ(Menu(r, 1), "MAIN MENU           ");
  EXPECT_EQ(Menu(r, 15), "Z   clear X register");
}

TEST(FunctionKeys, MenuLinesAreTheExactTexts) {
  Rig r;
  r.st().Menu_No = 2;
  InitializeScreen(r.c);
  EXPECT_EQ(Menu(r, 14), "CD   convert to degr");
  EXPECT_EQ(Menu(r, 16), "M    modulo 360\xF8/2pi");
  EXPECT_EQ(Menu(r, 18), "RD   radians/degrees");
  r.st().Menu_No = 3;
  PrintMenu(r.c);
  EXPECT_EQ(Menu(r, 3), "F    fractional part");
  EXPECT_EQ(Menu(r, 11), "       description  ");
  EXPECT_EQ(Menu(r, 16), "       scroll memory");
  EXPECT_EQ(Menu(r, 18), "ALT-Z  set to zero  ");
  r.st().Menu_No = 7;  // no such menu: nothing is written
  PrintMenu(r.c);
  EXPECT_EQ(Menu(r, 1), "VARIOUS             ");
}

TEST(FunctionKeys, F10SwitchesTheLayoutAndShowsRegisterZeroFirst) {
  Rig r;
  SpyKeys spy(r.scr());
  r.con.keys = &spy;
  r.st().MemPtr = 6;
  for (int k = 0; k < 10; ++k) r.st().SxgMem[k] = S(std::to_string(k + 1));
  r.st().SxgStack[3] = S("4");
  spy.keys.Ext(scan::F10);
  spy.keys.Ext(scan::F10);
  Main_Program(r.c);
  ASSERT_EQ(spy.seen.size(), 3u);
  const Screen& compact = spy.seen[1];
  EXPECT_EQ(RowChars(compact, 6, 1, 2), "X ");
  EXPECT_EQ(RowChars(compact, 11, 1, 10), "   MEMORY ");
  for (int j = 0; j < 5; ++j) {
    EXPECT_EQ(RowChars(compact, 13 + 2 * j, 1, 1), std::to_string(j));
    EXPECT_EQ(RowChars(compact, 13 + 2 * j, 20, 21), std::to_string(j + 1) + (j == 9 ? "" : " "));
  }
  EXPECT_EQ(RowChars(compact, 23, 1, 60), std::string(60, ' '));
  EXPECT_EQ(r.st().DisplayMode, 0);
  EXPECT_EQ(r.st().MemPtr, 0);
  const Screen& full = spy.seen[2];
  EXPECT_EQ(RowChars(full, 12, 1, 21), "T \xBA                4 ");
  for (int j = 0; j < 3; ++j) EXPECT_EQ(RowChars(full, 17 + 2 * j, 1, 1), std::to_string(j));
  // The rest of the screen was not redrawn: a mark right of the boxes stays.
  Rig m;
  InitializeScreen(m.c);
  m.scr().GotoXY(60, 10);
  m.scr().Write("!");
  m.scr().GotoXY(1, 3);
  m.scr().Write("mark");
  uint8_t ch = 0, code = scan::F10;
  bool read_flag = true;
  DispatchKey(m.c, ch, code, read_flag);
  EXPECT_EQ(m.Text(10, 60, 60), " ");  // inside the cleared area
  EXPECT_EQ(m.Text(3, 1, 4), "mark");
}

TEST(MemoryWindow, DetermineMemPtrKeepsTheRegisterVisible) {
  struct Case {
    int16_t display, ptr, n, want;
  } cases[] = {
      {0, 0, 7, 6}, {0, 0, 2, 0}, {0, 0, 3, 3}, {0, 6, 9, 9}, {0, 9, 0, 9}, {0, 9, 1, 9},
      {0, 9, 2, 0}, {0, 5, 5, 5}, {0, 5, 8, 6}, {1, 0, 7, 5}, {1, 0, 4, 0}, {1, 5, 9, 5},
      {1, 8, 2, 8}, {1, 8, 3, 0}, {1, 5, 0, 0},
  };
  for (const Case& k : cases) {
    Rig r;
    r.st().DisplayMode = k.display;
    r.st().MemPtr = k.ptr;
    DetermineMemPtr(r.c, k.n);
    EXPECT_EQ(r.st().MemPtr, k.want) << k.display << " " << k.ptr << " " << k.n;
  }
}

TEST(MemoryWindow, ZeroShowsOnlyTheNumberAndADescriptionHidesAnyValue) {
  Rig r;
  r.st().NumberMode = 'D';
  r.st().RealMem[1] = 3;
  r.st().RealMem[2] = 4;
  r.st().RealMemText[0] = String55("empty but described");
  r.st().RealMemText[2] = String55("four");
  InitializeScreen(r.c);
  EXPECT_EQ(r.Text(17, 1, 24), "0 \xB3" "empty but described  ");
  EXPECT_EQ(r.Text(19, 1, 35), "1 \xB3" + std::string(29, ' ') + "3. ");
  EXPECT_EQ(r.Text(21, 1, 10), "2 \xB3" "four   ");
  r.st().RealMemText[2].clear();
  r.st().RealMem[1] = 0;
  PrintMem(r.c);
  EXPECT_EQ(r.Text(19, 1, 59), "1 \xB3" + std::string(55, ' ') + "\xB3");
  EXPECT_EQ(r.Text(21, 32, 35), " 4. ");
}

TEST(ErrorMessage, ShowsOverXAndTheRowComesBackAfterOneKey) {
  Rig r;
  SpyKeys spy(r.scr());
  r.con.keys = &spy;
  r.st().NumberMode = 'D';
  spy.keys.Type("1\r0/");
  spy.keys.Ext(scan::F1);  // the key that ends the message: consumed, not run
  Main_Program(r.c);
  ASSERT_GE(spy.seen.size(), 2u);
  const Screen& during = spy.seen[spy.seen.size() - 2];
  EXPECT_EQ(RowChars(during, 6, 1, 59), "X \xBA" + std::string(ErrorMessage(1)) + " \xBA");
  EXPECT_EQ(r.Text(6, 1, 59), "X \xBA" + std::string(29, ' ') + "0." + std::string(24, ' ') + "\xBA");
  EXPECT_EQ(r.Text(8, 33, 34), "1.");
  EXPECT_EQ(r.st().RealStack[0], 0);
  EXPECT_EQ(r.st().RealStack[1], 1);
  EXPECT_EQ(r.st().Menu_No, 1);
}

}  // namespace
}  // namespace qirn::test
