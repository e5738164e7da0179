// Number entry through the command loop: values and number modes of whole
// entries, keys refused with the tone, the input line, and the key handed
// back to the loop.
#include <gtest/gtest.h>

#include <cmath>

#include "calculator/commands.h"
#include "calculator/entry_support.h"
#include "support/invariants.h"

namespace qirn::test {
namespace {

TEST(Entry, TypicalGreekCommand) {
  EntryRig r('G');
  r.Run("2\r1;30+");
  EXPECT_EQ(r.st().SxgStack[0], S("3;30"));
  EXPECT_EQ(r.st().SxgStack[1], S("7;7"));  // the stack dropped after the addition
  EXPECT_EQ(r.tone.count, 0);
  EXPECT_EQ(r.Text(4, 10), std::string(71, ' '));  // input line cleared
}

TEST(Entry, EnterEndsTheEntryOnce) {
  EntryRig r('G');
  r.Run("12\r");
  EXPECT_EQ(r.st().SxgStack[0], S("12"));
  EXPECT_EQ(r.st().SxgStack[1], EntryRig::SxgSentinel());  // not duplicated by ReturnKey
}

struct SxgCase {
  char mode;
  const char* keys;
  const char* value;
  char mode_after;
};

void PrintTo(const SxgCase& k, std::ostream* os) { *os << k.mode << " \"" << k.keys << "\""; }

class SxgEntries : public ::testing::TestWithParam<SxgCase> {};

TEST_P(SxgEntries, PushValueAndMode) {
  const SxgCase& k = GetParam();
  EntryRig r(k.mode);
  r.Run(k.keys);
  EXPECT_TRUE(r.PushedSxg()) << k.keys;
  EXPECT_EQ(r.st().SxgStack[0], S(k.value)) << k.keys;
  EXPECT_EQ(r.st().NumberMode, k.mode_after) << k.keys;
  EXPECT_EQ(r.tone.count, 0) << k.keys;
  EXPECT_EQ(InvariantProblem(r.c), "") << k.keys;
  if (k.mode == 'D') {
    EXPECT_EQ(r.st().MemPtr, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, SxgEntries,
    ::testing::Values(
        SxgCase{'G', "12\r", "12", 'G'}, SxgCase{'G', "777599999\r", "59,59,59,59,59", 'G'},
        SxgCase{'G', "100;7,30\r", "1,40;7,30", 'G'}, SxgCase{'G', "1,30;15\r", "1,30;15", 'G'},
        SxgCase{'G', "2R5S17;30\r", "14,47;30", 'G'}, SxgCase{'G', "3S10\r", "1,40", 'G'},
        SxgCase{'G', "365D14,41F15\r", "6,5;5,17,15", 'G'}, SxgCase{'G', "12F30\r", "0;0,4,30", 'G'},
        SxgCase{'C', "5\r", "5", 'C'}, SxgCase{'S', "5;30\r", "5;30", 'S'}, SxgCase{'S', "60;30\r", "1,0;30", 'S'},
        SxgCase{'Z', "365D0\r", "6,5", 'Z'}, SxgCase{'G', "2R\r", "12,0", 'G'}, SxgCase{'G', "2R5;\r", "12,5", 'G'},
        SxgCase{'G', "1C\r", "-1", 'G'}, SxgCase{'G', "1CC\r", "1", 'G'}, SxgCase{'G', "0C1C;3C\r", "-1;3", 'G'},
        SxgCase{'G', "0C\r", "0", 'G'}, SxgCase{'G', "0;0,0C\r", "0", 'G'}, SxgCase{'G', "5D0C\r", "-5", 'G'},
        // Empty last places become 0, empty fen places count as 0.
        SxgCase{'G', "1,\r", "1,0", 'G'}, SxgCase{'G', "1;\r", "1", 'G'}, SxgCase{'G', "5D,1F\r", "5;0,0,21,36", 'G'},
        SxgCase{'G', "5D2,F\r", "5;0,43,12", 'G'},  // 120 fens
        SxgCase{'G', "5D2,46,39F\r", "5;59,59,38,24", 'G'},  // 9999 fens
        SxgCase{'G', "5D2;\r", "5;0,0,43,12", 'G'},          // ";" ends the fens as "F" does
        SxgCase{'G', "1,2,3,4,5;1,2,3,4,5,6,7,8,9,10,11,12\r", "1,2,3,4,5;1,2,3,4,5,6,7,8,9,10,11,12", 'G'},
        SxgCase{'G', "2159999R11S29;59\r", "59,59,59,59,59;59", 'G'},
        // Leading zeros stay within the text limits.
        SxgCase{'G', "000000001;0000000059\r", "1;59", 'G'},
        // A number of the other system switches the number mode.
        SxgCase{'D', "1,30\r", "1,30", 'S'}, SxgCase{'D', "100;7\r", "1,40;7", 'G'},
        SxgCase{'D', "5D3\r", "5;0,1,4,48", 'C'}, SxgCase{'D', "2R3\r", "12,3", 'Z'},
        SxgCase{'D', "3S4\r", "1,34", 'Z'}, SxgCase{'D', "5;\r", "5", 'G'}, SxgCase{'D', "12F\r", "0;0,4,19,12", 'C'}));

struct RealCase {
  char mode;
  const char* keys;
  long double value;
};

void PrintTo(const RealCase& k, std::ostream* os) { *os << k.mode << " \"" << k.keys << "\""; }

class RealEntries : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealEntries, PushDecimalAndSwitchToDecimal) {
  const RealCase& k = GetParam();
  EntryRig r(k.mode);
  r.Run(k.keys);
  EXPECT_TRUE(r.PushedReal()) << k.keys;
  EXPECT_EQ(r.st().RealStack[0], k.value) << k.keys;
  EXPECT_FALSE(std::signbit(r.st().RealStack[0]) && k.value == 0) << k.keys;
  EXPECT_EQ(r.st().NumberMode, 'D') << k.keys;
  EXPECT_EQ(r.st().PrevSxgMode, k.mode == 'D' ? 'G' : k.mode) << k.keys;
  EXPECT_EQ(r.tone.count, 0) << k.keys;
  EXPECT_EQ(InvariantProblem(r.c), "") << k.keys;
}

INSTANTIATE_TEST_SUITE_P(
    Values, RealEntries,
    ::testing::Values(RealCase{'D', "12\r", 12}, RealCase{'G', "1234567890\r", 1234567890},
                      RealCase{'S', "777600000\r", 777600000}, RealCase{'Z', "2.5\r", 2.5L},
                      RealCase{'C', "12.375C\r", -12.375L}, RealCase{'D', "0C\r", 0}, RealCase{'G', "0.0C\r", 0},
                      RealCase{'D', "999999999999999999\r", 999999999999999999.0L},
                      RealCase{'D', "0.123456789012345678\r", 0.123456789012345678L},
                      RealCase{'D', "1\b.5\r", 0.5L}, RealCase{'D', "1\b.\r", 0},
                      RealCase{'G', "0000000005\r", 5}));  // ten digits are decimal

// Keys typed after a start, without an ending key: what the input line shows
// and how many keys were refused.
struct Refusal {
  char mode;
  const char* keys;
  const char* echo;
  int tones;
};

void PrintTo(const Refusal& k, std::ostream* os) { *os << k.mode << " \"" << k.keys << "\""; }

class Refusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refusals, EchoAndTones) {
  const Refusal& k = GetParam();
  EntryRig r(k.mode);
  r.Run(k.keys);
  EXPECT_EQ(r.Echo(), k.echo) << k.keys;
  EXPECT_EQ(r.tone.count, k.tones) << k.keys;
  EXPECT_TRUE(r.PushedNothing()) << k.keys;
  EXPECT_EQ(r.Text(4, 10, 18), "input:   ");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Refusals,
    ::testing::Values(
        Refusal{'G', "1234567890123456789", "123456789012345678", 1},
        Refusal{'G', "1.1234567890123456789", "1.123456789012345678", 1},
        Refusal{'G', "60,", "60", 1}, Refusal{'G', "59,", "59,", 0}, Refusal{'G', "1,60", "1,6", 1},
        Refusal{'G', "1;60", "1;6", 1}, Refusal{'G', "5D60", "5d 6", 1},
        Refusal{'G', "1,2,3,4,5,", "1,2,3,4,5", 1}, Refusal{'G', "1,,", "1,", 1},
        Refusal{'G', "1;1,2,3,4,5,6,7,8,9,10,11,12,", "1;1,2,3,4,5,6,7,8,9,10,11,12", 1},
        Refusal{'G', "1;1,,", "1;1,", 1}, Refusal{'G', "1;,", "1;", 1},
        Refusal{'G', "1,.", "1,", 1}, Refusal{'G', "1;.", "1;", 1}, Refusal{'G', "1D.", "1d", 1},
        Refusal{'G', "1R.", "1r", 1}, Refusal{'G', "1..", "1.", 1}, Refusal{'G', "1.,;", "1.", 2},
        Refusal{'G', "1234567890,;DRS", "1234567890", 5}, Refusal{'G', "999999999D", "999999999", 1},
        Refusal{'G', "777600000;", "777600000", 1}, Refusal{'G', "777599999;", "777599999;", 0},
        Refusal{'G', "2160000R", "2160000", 1}, Refusal{'G', "2159999R", "2159999r", 0},
        Refusal{'G', "12S", "12", 1}, Refusal{'G', "11S", "11s", 0}, Refusal{'G', "2R30", "2r 3", 1},
        Refusal{'G', "2R12S", "2r 12", 1}, Refusal{'G', "2RS", "2r", 1}, Refusal{'G', "2R;", "2r", 1},
        Refusal{'G', "2R5;", "2r 5;", 0}, Refusal{'G', "3S30", "3s 3", 1}, Refusal{'G', "3SS", "3s", 1},
        Refusal{'G', "3S1R", "3s 1", 1}, Refusal{'G', "1,30R", "1,30", 1}, Refusal{'G', "1;30D", "1;30", 1},
        Refusal{'G', "5D2,46,39F", "5d 2,46,39f", 0}, Refusal{'G', "5D2,46,40", "5d 2,46,4", 1},
        Refusal{'G', "5D2,47,", "5d 2,47", 1}, Refusal{'G', "5D1,1,1,", "5d 1,1,1", 1}, Refusal{'G', "5D0,0,0,", "5d 0,0,0", 1},
        Refusal{'G', "5D1;", "5d 1f", 0}, Refusal{'G', "5D1D", "5d 1", 1}, Refusal{'G', "1F;", "1f", 1},
        Refusal{'G', "123F", "123", 1}, Refusal{'G', "1,2,3,F", "1,2,3,", 1},
        Refusal{'G', "1F1,2,3,4,5,6,7,8,9,", "1f 1,2,3,4,5,6,7,8,9", 1},
        // A fen count of 10000 or more: "F" is ignored without the tone.
        Refusal{'G', "3,0,0F", "3,0,0", 0}, Refusal{'G', "2,46,40F", "2,46,40", 0},
        Refusal{'G', "1\b\b", "", 1}, Refusal{'G', "1\b,;DFRS", "", 6},
        Refusal{'G', "12F\bD5,", "12d 5,", 0}, Refusal{'G', "3S15;\bS", "3s 15", 1},
        Refusal{'G', "3S5;\bS", "3s 5", 1}, Refusal{'G', "2R5;\bS", "2r 5s", 0},
        Refusal{'G', "1qQzZbB\x01 !", "1", 9},
        // Digits and places beyond the text limits are refused like any other key.
        Refusal{'G', "1;00000000001", "1;0000000000", 1}));

// Leading zeros fill the entry text; the key that would make it longer
// than 55 characters is refused, and the text still ends well.
TEST(Entry, TextLimitOf55Characters) {
  const std::string full = "000000000,0000000000,0000000000,0000000000,0000000001;";
  EntryRig r('G');
  r.Run(full + "59");
  EXPECT_EQ(r.tone.count, 1);
  EXPECT_EQ(r.Echo(), full + "5");
  EntryRig ended('G');
  ended.Run(full + "59\r");
  EXPECT_EQ(ended.st().SxgStack[0], S("1;5"));
  EntryRig empty_place('G');
  empty_place.Run(full + "\r");
  EXPECT_EQ(empty_place.tone.count, 0);
  EXPECT_EQ(empty_place.st().SxgStack[0], S("1"));
}

// A number of the other system shows the stack and registers it went to.
TEST(Entry, ModeSwitchRedrawsModeLineAndStack) {
  EntryRig r('G');
  r.st().MemPtr = 3;
  r.Run("2.5\r");
  EXPECT_EQ(r.Text(1, 1, 12), "Decimal mode");
  EXPECT_NE(r.Text(6).find("2.5"), std::string::npos);
  EXPECT_NE(r.Text(8).find("7.25"), std::string::npos);
  EXPECT_EQ(r.st().MemPtr, 0);
  EXPECT_EQ(InvariantProblem(r.c), "");
  r.keys.Type("1,30\r");
  Main_Program(r.c);
  EXPECT_EQ(r.Text(1, 1, 16), "Sexagesimal mode");
  EXPECT_NE(r.Text(6).find("1,30"), std::string::npos);
  EXPECT_EQ(InvariantProblem(r.c), "");
}

TEST(Entry, SignColumnTogglesAndKeepsTheCursor) {
  EntryRig r('G');
  r.Run("1C");
  EXPECT_EQ(r.SignColumn(), '-');
  EXPECT_EQ(r.scr().CursorCol(), 20);
  EntryRig r2('G');
  r2.Run("1CC2C");
  EXPECT_EQ(r2.SignColumn(), '-');
  EXPECT_EQ(r2.Echo(), "12");
  EXPECT_EQ(r2.scr().CursorCol(), 21);
}

TEST(Entry, InputLineLayout) {
  EntryRig r('G');
  r.Run("7");
  EXPECT_EQ(r.Text(4, 10, 19), "input:   7");
  EXPECT_EQ(r.scr().CursorRow(), 4);
  EXPECT_EQ(r.scr().CursorCol(), 20);
  EntryRig m('G');
  m.Run("2R5S1");
  EXPECT_EQ(m.Echo(), "2r 5s 1");
}

TEST(Entry, BackspaceErasesTheEchoOfEveryKind) {
  for (const char* keys : {"12\b", "1.5\b\b", "1,2\b\b", "1;\b", "5D\b", "5D2F\b\b\b", "2R\b", "2S\b", "5D2,\b\b\b"}) {
    EntryRig r('G');
    r.Run(keys);
    EXPECT_EQ(r.Echo(), std::string(keys).substr(0, 1)) << keys;
    EXPECT_EQ(r.scr().CursorCol(), 20) << keys;
    EXPECT_EQ(r.tone.count, 0) << keys;
  }
  EntryRig r('G');
  r.Run("1\b");
  EXPECT_EQ(r.Echo(), "");
  EXPECT_EQ(r.scr().CursorCol(), 19);
}

TEST(Entry, EnterAfterErasingEverythingIsRefusedAndEscPushesNothing) {
  EntryRig r('D');
  r.Run("1\b\r\x1b");
  EXPECT_EQ(r.tone.count, 1);
  EXPECT_TRUE(r.PushedNothing());
  EXPECT_EQ(r.st().NumberMode, 'D');
}

TEST(Entry, EscCancelsWithoutPushingOrSwitching) {
  for (const char* keys : {"1,30\x1b", "2.5\x1b", "5D3F1\x1b"}) {
    for (char mode : {'D', 'G'}) {
      EntryRig r(mode);
      r.Run(keys);
      EXPECT_TRUE(r.PushedNothing()) << keys;
      EXPECT_EQ(r.st().NumberMode, mode) << keys;
      EXPECT_EQ(r.Text(4, 10), std::string(71, ' ')) << keys;
      EXPECT_EQ(r.tone.count, 0);
    }
  }
}

TEST(Entry, DecimalEntrySwitchKeepsTheOtherStack) {
  EntryRig r('D');
  r.st().RealStack[1] = 3;
  r.Run("1,30\r");
  EXPECT_EQ(r.st().RealStack[0], EntryRig::kRealSentinel);
  EXPECT_EQ(r.st().RealStack[1], 3);
  EXPECT_EQ(r.st().PrevSxgMode, 'G');  // not changed on the way out of Decimal
  EntryRig s('Z');
  s.st().MemPtr = 4;
  s.Run("2.5\r");
  EXPECT_EQ(s.st().PrevSxgMode, 'Z');
  EXPECT_EQ(s.st().MemPtr, 0);
}

// StackInput on its own: the key that ended the entry comes back upper-cased.
TEST(Entry, HandsBackTheEndingKey) {
  struct Case {
    Key key;
    Key back;
  };
  std::vector<Case> cases = {{{13, 0}, {13, 0}}, {{27, 0}, {13, 0}}};
  for (char k : std::string_view("*+-/cdfrsAGMPTUXagmptux")) {
    uint8_t up = static_cast<uint8_t>(k >= 'a' && k <= 'z' ? k - 'a' + 'A' : k);
    cases.push_back({{static_cast<uint8_t>(k), 0}, {up, 0}});
  }
  for (uint8_t sc : {3, 20, 25, 31, 44, 46, 47, 50}) cases.push_back({{0, sc}, {0, sc}});
  for (const Case& k : cases) {
    EntryRig r('G');
    r.keys.Type("5");
    r.keys.Add(k.key);
    uint8_t ch = '4', sc = 99;
    StackInput(r.c, ch, sc);
    EXPECT_EQ(ch, k.back.ch) << int(k.key.ch) << "/" << int(k.key.scan);
    if (k.back.ch == 0) {
      EXPECT_EQ(sc, k.back.scan);
    }
    EXPECT_EQ(r.tone.count, 0);
    EXPECT_EQ(r.st().SxgStack[0], k.key.ch == 27 ? EntryRig::SxgSentinel() : S("45"));
  }
}

TEST(Entry, OtherKeysAreRefused) {
  std::vector<Key> refused;
  for (int ch = 1; ch < 256; ++ch) {
    std::string_view accepted("0123456789.,;CDFRS\b\r\x1b*+-/cdfrsAGMPTUXagmptux");
    if (accepted.find(static_cast<char>(ch)) == std::string_view::npos) refused.push_back({static_cast<uint8_t>(ch), 0});
  }
  for (uint8_t sc : {21, 32, 59, 60, 61, 62, 63, 68, 72, 80, 16, 75, 0}) refused.push_back({0, sc});
  EntryRig r('G');
  r.keys.Type("4");
  for (const Key& k : refused) r.keys.Add(k);
  r.keys.Type("5\r");
  r.Run();
  EXPECT_EQ(r.tone.count, static_cast<int>(refused.size()));
  EXPECT_EQ(r.st().SxgStack[0], S("45"));
}

TEST(Entry, RefusalToneIs1000HzFor150Ms) {
  struct Recording : Tone {
    void Sound(int h, int m) override { hz = h, ms = m; }
    int hz = 0, ms = 0;
  } tone;
  EntryRig r('G');
  r.con.tone = &tone;
  Illegal(r.c);
  EXPECT_EQ(tone.hz, 1000);
  EXPECT_EQ(tone.ms, 150);
}

TEST(Entry, LowerCaseEndingKeysRunTheirCommands) {
  EntryRig r('G');
  r.Run("3\r4d");  // ends the entry, then rolls the stack down: T comes to X
  EXPECT_EQ(r.st().SxgStack[1], S("4"));
  EXPECT_EQ(r.st().SxgStack[2], S("3"));
  EntryRig q('G');
  q.Run("3q");
  EXPECT_EQ(q.tone.count, 1);
  EXPECT_EQ(q.Echo(), "3");  // still in the entry: q neither ended it nor the program
  EntryRig ext('G');
  ext.keys.Type("6");
  ext.keys.Ext(3);  // ends the entry; the loop does nothing with it
  ext.Run("1\r");
  EXPECT_EQ(ext.st().SxgStack[0], S("1"));
  EXPECT_EQ(ext.st().SxgStack[1], S("6"));
}

}  // namespace
}  // namespace qirn::test
