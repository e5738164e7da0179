#include <gtest/gtest.h>

#include "support/rig.h"
#include "support/sxg_text.h"

namespace qirn::test {
namespace {

std::string EchoArea(Rig& r) { return r.Text(2, 1, 3); }

TEST(CommandLoop, QAndLowerQEndTheProgramAtOnce) {
  for (const char* quit : {"Q", "q"}) {
    Rig r;
    r.keys.Type(quit);
    r.keys.Type("1");  // never read
    Main_Program(r.c);
    EXPECT_EQ(r.keys.Remaining(), 1u) << quit;
  }
}

// The echo area after a key script that stops in the middle of a command.
TEST(CommandLoop, GroupLettersAreEchoedAndOtherKeysIgnored) {
  struct Case {
    std::string keys;
    std::string echo;
  } cases[] = {
      {"A", "A  "},
      {"AB", "A  "},     // B is not accepted after A: no echo
      {"AB1C", "AC "},   // digits are ignored inside a group
      {"ACX", "AC "},
      {"AC\x1b", "   "},  // ESC abandons; the next pass blanks the echo
      {"Cq", "C  "},      // q is no letter of the C group
      {"R", "R  "},
      {"T\x1b", "   "},
      {"+", "   "},       // a single key is echoed, then blanked
  };
  for (const Case& k : cases) {
    Rig r;
    r.Run(k.keys);
    EXPECT_EQ(EchoArea(r), k.echo) << k.keys;
  }
}

TEST(CommandLoop, ExtendedKeysInsideAGroupAreIgnored) {
  Rig r;
  r.keys.Type("A");
  r.keys.Ext(scan::F5);
  r.keys.Type("\x1b");
  r.keys.Ext(scan::F5);  // a fresh command after ESC
  r.Run();
  EXPECT_EQ(r.st().Menu_No, 0);
  Rig r2;
  r2.keys.Type("A");
  r2.keys.Ext(scan::F5);
  r2.Run();
  EXPECT_EQ(r2.st().Menu_No, 1);
}

TEST(CommandLoop, NoLaterLetterOfAGroupEndsTheProgram) {
  // After ESC in a group and after every S-group command the key character
  // is the group's letter, so the loop goes on; only a fresh Q quits.
  for (const char* keys : {"A\x1bQ", "S\x1bQ", "SQQ", "SRQ", "C\x1bQ", "R\x1bQ", "T\x1bQ"}) {
    Rig r;
    r.keys.Type(keys);
    r.keys.Type("X");  // left over when Q quits
    Main_Program(r.c);
    EXPECT_EQ(r.keys.Remaining(), 1u) << keys;
  }
}

TEST(CommandLoop, FunctionKeysChooseMenusAndLayouts) {
  Rig r;
  std::vector<int> menus;
  for (int i = 0; i < 4; ++i) {
    Rig step;
    for (int k = 0; k <= i; ++k) step.keys.Ext(scan::F1);
    step.Run();
    menus.push_back(step.st().Menu_No);
  }
  EXPECT_EQ(menus, (std::vector<int>{2, 3, 1, 2}));
  struct Case {
    uint8_t key;
    int menu;
  } direct[] = {{scan::F2, 1}, {scan::F3, 2}, {scan::F4, 3}, {scan::F5, 0}};
  for (const Case& k : direct) {
    Rig d;
    d.st().Menu_No = 2;
    d.keys.Ext(k.key);
    d.Run();
    EXPECT_EQ(d.st().Menu_No, k.menu);
  }
  Rig f5;
  f5.keys.Ext(scan::F5);
  f5.keys.Ext(scan::F1);
  f5.Run();
  EXPECT_EQ(f5.st().Menu_No, 1);

  Rig f10;
  f10.st().MemPtr = 6;
  f10.keys.Ext(scan::F10);
  f10.Run();
  EXPECT_EQ(f10.st().DisplayMode, 1);
  EXPECT_EQ(f10.st().MemPtr, 0);
  f10.st().MemPtr = 5;
  f10.keys.Ext(scan::F10);
  Main_Program(f10.c);
  EXPECT_EQ(f10.st().DisplayMode, 0);
  EXPECT_EQ(f10.st().MemPtr, 0);
}

}  // namespace
}  // namespace qirn::test

namespace qirn::test {
namespace {

TEST(CommandLoop, NumberEntryHandsBackItsEndingKey) {
  Rig r;
  r.Run("12\r");  // ENTER only ends the entry
  EXPECT_EQ(Notation(r.st().SxgStack[0]), "12");
  EXPECT_EQ(Notation(r.st().SxgStack[1]), "0");
  Rig p;
  p.st().SxgStack[0] = S("3");
  p.Run("12+");  // + runs at once, without another key
  EXPECT_EQ(Notation(p.st().SxgStack[0]), "15");
  EXPECT_EQ(p.keys.Remaining(), 0u);
}

TEST(CommandLoop, TheTypicalCommandInTheGreekMode) {
  Rig r;
  r.Run("2\r1;30+");
  EXPECT_EQ(Notation(r.st().SxgStack[0]), "3;30");
  EXPECT_EQ(r.Text(6, 4, 23), "                3;30");
}

TEST(CommandLoop, SexagesimalInlineOperationsTestTheirMarkers) {
  struct Case {
    std::string x, y, keys, new_x, new_y, message;
  } cases[] = {
      {"0", "1", "/", "0", "1", " DIVISON by ZERO"},
      {"0;0,0,0,0,1", "1", "/", "0;0,0,0,0,1", "1", " SEXAGESIMAL OVERFLOW"},
      {"30,0,0,0,0", "2", "*", "30,0,0,0,0", "2", " SEXAGESIMAL OVERFLOW"},
      {"59,59,59,59,59", "1", "+", "59,59,59,59,59", "1", " SEXAGESIMAL OVERFLOW"},
      {"3", "10", "-", "7", "0", ""},
      {"3", "10", "/", "3;20", "0", ""},
      {"-4", "9", "SR", "-4", "9", " SQUARE ROOT of a NEGATIVE NUMBER"},
      {"0", "9", "SR", "0", "9", ""},
      {"2;15", "9", "SR", "1;30", "9", ""},
      {"0;30", "9", "SQ", "0;15", "9", ""},
      {"1,0,0,0", "9", "SQ", "1,0,0,0", "9", " SEXAGESIMAL OVERFLOW"},
  };
  for (const Case& k : cases) {
    Rig r;
    r.st().SxgStack[0] = S(k.x);
    r.st().SxgStack[1] = S(k.y);
    r.Run(k.keys);
    EXPECT_EQ(Notation(r.st().SxgStack[0]), k.new_x) << k.x << " " << k.keys;
    EXPECT_EQ(Notation(r.st().SxgStack[1]), k.new_y) << k.x << " " << k.keys;
    if (!k.message.empty()) {  // shown over X until the next key, which never came
      EXPECT_EQ(r.Text(6, 4, 3 + static_cast<int>(k.message.size())), k.message) << k.keys;
    }
  }
}

TEST(CommandLoop, PiIsPushedInEitherSystem) {
  Rig r;
  r.Run("P");
  EXPECT_EQ(Notation(r.st().SxgStack[0]), "3;8,29,44,0,47,25,53,7,24,57,36,17,43,4,29");
  Rig d;
  d.st().NumberMode = 'D';
  d.Run("p");
  EXPECT_EQ(d.st().RealStack[0], 3.141592653589793238462643383279502884L);
}

TEST(CommandLoop, PrintIsOfferedOnlyWithTheDisk) {
  for (bool disk : {false, true}) {
    Rig r;
    r.st().Use_Disk = disk;
    r.keys.Ext(scan::AltP);
    r.Run();
    EXPECT_EQ(r.Text(25, 1, 14), disk ? "Print Stack, M" : "Type Q to Quit");
  }
}

}  // namespace
}  // namespace qirn::test
