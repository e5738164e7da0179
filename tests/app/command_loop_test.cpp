#include <gtest/gtest.h>

#include "support/rig.h"

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
