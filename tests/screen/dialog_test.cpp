#include "screen/dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "support/rig.h"
#include "support/screen_spy.h"

namespace qirn::test {
namespace {

// Opens a question, answers it with `keys` through WindowNumber, closes it.
int16_t AskNumber(char mode, int16_t low, int16_t high, std::string_view keys, std::string* echo = nullptr) {
  Rig r;
  r.st().NumberMode = mode;
  r.keys.Type(keys);
  PutWindow(r.c, "n: ");
  int16_t n = WindowNumber(r.c, low, high);
  if (echo) *echo = r.Text(25, 4, 20);
  EXPECT_EQ(r.scr().FgColor(), NormalText);
  EXPECT_EQ(r.scr().BgColor(), NormalBackground);
  EraseWindow(r.c);
  return n;
}

TEST(WindowNumber, AnswersWithinTheRange) {
  struct Case {
    char mode;
    int16_t low, high;
    const char* keys;
    int16_t result;
    const char* echo;
  } cases[] = {
      // Chinese mode narrows 0..14 to 0..11 and takes D or F as a first key.
      {'C', 0, 14, "12\r", 1, "1"},
      {'C', 0, 14, "11\r", 11, "11"},
      {'C', 0, 14, "14\r", 1, "1"},
      {'C', 0, 14, "D", 68, ""},
      {'C', 0, 14, "f", 70, ""},
      {'C', 0, 14, "1D\r", 1, "1"},
      {'C', 0, 14, "1\bF", 70, ""},  // the answer is empty again
      // 0..19 keeps its range in Chinese mode, without D or F.
      {'C', 0, 19, "D19\r", 19, "19"},
      {'G', 0, 14, "D14\r", 14, "14"},
      {'D', 0, 19, "19\r", 19, "19"},
      // 0 is below 1..9999; a fifth digit would leave the range.
      {'G', 1, 9999, "010000\r", 1000, "1000"},
      {'G', 1, 9999, "9999\r", 9999, "9999"},
      {'G', 0, 14, "05\r", 5, "05"},  // leading zeros
      // ENTER and backspace on an empty answer do nothing; extended keys are
      // read whole and ignored.
      {'G', 0, 14, "\r\b\b7\r", 7, "7"},
      {'G', 0, 14, "12\b3\r", 13, "13"},
      {'G', 0, 14, "x+ 8\r", 8, "8"},
      {'G', 0, 14, "1\x1b", -1, "1"},
      {'G', 0, 14, "\x1b", -1, ""},
  };
  for (const Case& k : cases) {
    std::string echo;
    EXPECT_EQ(AskNumber(k.mode, k.low, k.high, k.keys, &echo), k.result) << k.mode << " " << k.keys;
    EXPECT_EQ(echo.substr(0, echo.find_last_not_of(' ') + 1), k.echo) << k.keys;
  }
}

TEST(WindowNumber, IgnoresExtendedKeysAndTheirScanCodes) {
  Rig r;
  r.keys.Ext(scan::F1);  // scan code 59 is ';', never a digit of the answer
  r.keys.Ext(0x35);      // scan code '5'
  r.keys.Type("2\r");
  PutWindow(r.c, "? ");
  EXPECT_EQ(WindowNumber(r.c, 0, 99), 2);
}

TEST(WindowText, TakesUpTo55CharactersKeepingCase) {
  Rig r;
  std::string typed = "Ab" + std::string(53, 'x') + "Z";  // 56 characters
  r.keys.Type(typed + "\r");
  PutWindow(r.c, "");
  String55 t = WindowText(r.c, 55);
  EXPECT_EQ(t.view(), typed.substr(0, 55));
}

TEST(WindowText, EditsAndRefusesEmptyAndControlCharacters) {
  Rig r;
  r.keys.Type("\r\b");
  r.keys.Ext(scan::AltD);
  r.keys.Type("a\tb\nc\bd\r");
  PutWindow(r.c, "Text: ");
  EXPECT_EQ(WindowText(r.c, 55).view(), "abd");
  EXPECT_EQ(r.Text(25, 1, 10), "Text: abd ");
  // The echo never left the dialog line.
  EXPECT_EQ(r.scr().CursorRow(), 25);
}

TEST(WindowText, RespectsAShorterMaximum) {
  Rig r;
  r.keys.Type("abcdef\r");
  PutWindow(r.c, "");
  EXPECT_EQ(WindowText(r.c, 3).view(), "abc");
}

TEST(WindowText, EscReturnsTheEscTextInNormalColours) {
  Rig r;
  r.keys.Type("ab\x1b");
  PutWindow(r.c, "Text: ");
  EXPECT_EQ(WindowText(r.c, 55).view(), "\x1b");
  EXPECT_EQ(r.scr().FgColor(), NormalText);
  EXPECT_EQ(r.scr().BgColor(), NormalBackground);
  EraseWindow(r.c);
  EXPECT_EQ(r.Text(25, 1, 59), "Type Q to Quit" + std::string(45, ' '));
  EXPECT_TRUE(RowColors(r.scr(), 25, 1, 59, NormalText, NormalBackground));
}

TEST(WindowYesNo, WaitsForYOrNInEitherCase) {
  for (auto [keys, yes] : {std::pair{"x\x1by", true}, {"\rn", false}, {"Y", true}, {"N", false}}) {
    Rig r;
    r.keys.Ext(scan::F1);
    r.keys.Type(keys);
    PutWindow(r.c, "Sure? ");
    EXPECT_EQ(WindowYesNo(r.c), yes) << keys;
    EXPECT_EQ(r.Text(25, 1, 8), yes ? "Sure? Y " : "Sure? N ");
    EXPECT_EQ(r.scr().At(7, 25).fg, QuestionText);
    EXPECT_EQ(r.scr().At(7, 25).bg, QuestionBackground);
    EXPECT_EQ(r.scr().FgColor(), NormalText);
    EXPECT_EQ(r.keys.Remaining(), 0u);
  }
}

TEST(Dialog, QuestionIsGreenAndNarrowedUntilClosed) {
  Rig r;
  Screen& s = r.scr();
  s.TextColor(14);
  s.TextBackground(1);
  s.ClrScr();
  s.GotoXY(61, 25);
  s.Write("F10  switch display");
  PutWindow(r.c, "Number of places: ");
  EXPECT_EQ(r.Text(25, 1, 18), "Number of places: ");
  EXPECT_TRUE(RowColors(s, 25, 1, 59, QuestionText, QuestionBackground));
  EXPECT_TRUE(RowColors(s, 25, 60, 80, 14, 1));
  EXPECT_EQ(s.WhereX(), 19);
  EXPECT_EQ(s.WinLeft(), 1);
  EXPECT_EQ(s.WinTop(), 1);
  EXPECT_EQ(s.WinRight(), 59);
  EXPECT_EQ(s.WinBottom(), 25);
  EXPECT_EQ(s.FgColor(), NormalText);
  EXPECT_EQ(s.BgColor(), NormalBackground);

  EraseWindow(r.c);
  EXPECT_EQ(r.Text(25), "Type Q to Quit" + std::string(46, ' ') + "F10  switch display ");
  EXPECT_TRUE(RowColors(s, 25, 1, 80, 14, 1));
  EXPECT_EQ(s.WinRight(), 80);
}

TEST(Dialog, PromptIsCutTo55Characters) {
  Rig r;
  PutWindow(r.c, std::string(70, 'p'));
  EXPECT_EQ(r.Text(25, 1, 59), std::string(55, 'p') + "    ");
}

TEST(PutText, PadsAndCutsTo55Columns) {
  Rig r;
  r.scr().GotoXY(1, 8);
  r.scr().Write(std::string(80, '#'));
  PutText(r.c, "abc", 8);
  EXPECT_EQ(r.Text(8), "###abc" + std::string(52, ' ') + std::string(22, '#'));
  PutText(r.c, std::string(60, 'z'), 8);
  EXPECT_EQ(r.Text(8, 3, 59), "#" + std::string(55, 'z') + "#");
  // Control characters from outside show as "?" and move nothing.
  PutText(r.c, "a\nb\rc\bd", 8);
  EXPECT_EQ(r.Text(8, 4, 11), "a?b?c?d ");
}

TEST(Messages, AreTheEightErrorsAndTwoOverflows) {
  EXPECT_EQ(ErrorMessage(1), " DIVISON by ZERO             Press any key to continue");
  EXPECT_EQ(ErrorMessage(2), " SQUARE ROOT of a NEGATIVE NUMBER        Press any key");
  EXPECT_EQ(ErrorMessage(3), " PRINTER not ready           Press any key to continue");
  EXPECT_EQ(ErrorMessage(4), " DECIMAL NUMBER too LARGE    Press any key to continue");
  EXPECT_EQ(ErrorMessage(5), " ILLEGAL ARGUMENT of ARC COSINE          Press any key");
  EXPECT_EQ(ErrorMessage(6), " ILLEGAL ARGUMENT of ARC SINE            Press any key");
  EXPECT_EQ(ErrorMessage(7), " ILLEGAL ARGUMENT of TANGENT             Press any key");
  EXPECT_EQ(ErrorMessage(8), " ILLEGAL ARGUMENT of ARC CHORD           Press any key");
  EXPECT_EQ(OverflowMessage(true), " SEXAGESIMAL OVERFLOW        Press any key to continue");
  EXPECT_EQ(OverflowMessage(false), " DECIMAL OVERFLOW            Press any key to continue");
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(ErrorMessage(static_cast<int16_t>(n)).size(), 54u) << n;
  EXPECT_TRUE(ErrorMessage(0).empty());
  EXPECT_TRUE(ErrorMessage(9).empty());
}

TEST(HandleError, ShowsTheMessageOverXUntilOneKey) {
  for (bool overflow : {false, true}) {
    Rig r;
    SpyKeys spy(r.scr());
    r.con.keys = &spy;
    spy.keys.Ext(scan::F10);  // an extended key is one key
    spy.keys.Type("7");
    r.st().StackText[0] = String55("               X text");
    PutText(r.c, r.st().StackText[0], 6);
    if (overflow)
      HandleOverflow(r.c, false);
    else
      HandleError(r.c, 1);
    ASSERT_EQ(spy.seen.size(), 1u);
    std::string shown = RowChars(spy.seen[0], 6, 4, 58);
    EXPECT_EQ(shown, std::string(overflow ? OverflowMessage(false) : ErrorMessage(1)) + " ");
    EXPECT_EQ(r.Text(6, 4, 58), "               X text" + std::string(34, ' '));
    EXPECT_EQ(spy.keys.Remaining(), 1u);
  }
}

}  // namespace
}  // namespace qirn::test

namespace qirn::test {
namespace {

// An answer after a long prompt stops before column 59: an echo there would
// wrap and scroll the whole screen up.
TEST(Dialog, AnswersNeverScrollTheScreen) {
  Rig r;
  r.scr().GotoXY(1, 24);
  r.scr().Write("row 24");
  PutWindow(r.c, std::string(55, 'p'));
  r.keys.Type("abcdefgh\r");
  EXPECT_EQ(WindowText(r.c, 55).view(), "abc");
  EXPECT_EQ(r.Text(25, 56, 59), "abc ");
  EXPECT_EQ(r.Text(24, 1, 6), "row 24");
  PutWindow(r.c, std::string(54, 'p'));
  r.keys.Type("123456\r");
  EXPECT_EQ(WindowNumber(r.c, 0, 9999), 1234);
  EXPECT_EQ(r.Text(24, 1, 6), "row 24");
}

}  // namespace
}  // namespace qirn::test
