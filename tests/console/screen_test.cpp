#include <gtest/gtest.h>

#include "console/keys.h"
#include "console/screen.h"

namespace qirn {
namespace {

std::string Row(const Screen& s, int row, int from, int to) {
  return std::string(s.RowText(row).substr(from - 1, to - from + 1));
}

TEST(Screen, ControlCharactersMoveTheCursorWithoutErasing) {
  Screen s;
  s.GotoXY(5, 3);
  s.Write("abc\b\bX");  // backspace moves left, does not erase
  EXPECT_EQ(Row(s, 3, 5, 7), "aXc");
  s.Write("\rZ");  // carriage return to column 1
  EXPECT_EQ(Row(s, 3, 1, 1), "Z");
  s.Write("\nY");  // line feed one row down, column kept
  EXPECT_EQ(s.CursorRow(), 4);
  EXPECT_EQ(Row(s, 4, 2, 2), "Y");
  s.GotoXY(1, 1);
  s.Write("\b\b");  // never left of column 1
  EXPECT_EQ(s.WhereX(), 1);
}

TEST(Screen, WindowMakesCoordinatesRelativeAndBoundsClears) {
  Screen s;
  s.TextBackground(1);
  s.ClrScr();
  s.Window(1, 4, 60, 23);
  EXPECT_EQ(s.WhereX(), 1);
  EXPECT_EQ(s.CursorRow(), 4);
  s.TextBackground(2);
  s.ClrScr();
  EXPECT_EQ(s.At(60, 23).bg, 2);
  EXPECT_EQ(s.At(61, 23).bg, 1);  // outside the area untouched
  EXPECT_EQ(s.At(1, 3).bg, 1);
  s.GotoXY(3, 2);
  EXPECT_EQ(s.CursorCol(), 3);
  EXPECT_EQ(s.CursorRow(), 5);
  s.GotoXY(61, 1);  // outside the area: ignored
  EXPECT_EQ(s.CursorRow(), 5);
  s.TextBackground(4);
  s.GotoXY(50, 2);
  s.ClrEol();  // stops at the area's right edge
  EXPECT_EQ(s.At(60, 5).bg, 4);
  EXPECT_EQ(s.At(61, 5).bg, 1);
  s.WidenWindow();
  EXPECT_EQ(s.WinRight(), 80);
  EXPECT_EQ(s.WinBottom(), 25);
}

TEST(Screen, WritingWrapsAtTheRightEdgeAndScrollsAtTheBottom) {
  Screen s;
  s.Window(1, 1, 10, 3);
  s.GotoXY(9, 1);
  s.Write("abc");
  EXPECT_EQ(Row(s, 1, 9, 10), "ab");
  EXPECT_EQ(Row(s, 2, 1, 1), "c");
  s.GotoXY(1, 3);
  s.Write("bottom\r\n");
  EXPECT_EQ(Row(s, 2, 1, 6), "bottom");  // scrolled up one row
  EXPECT_EQ(Row(s, 3, 1, 6), "      ");
  EXPECT_EQ(Row(s, 1, 1, 1), "c");
}

TEST(Screen, CellsCarryColoursAndTheCursorFlag) {
  Screen s;
  s.TextColor(14 + 16);  // blink bit dropped
  s.TextBackground(9);   // backgrounds are 0..7
  s.WriteChar(201);
  EXPECT_EQ(s.At(1, 1), (Cell{201, 14, 1}));
  s.HideCursor();
  EXPECT_FALSE(s.CursorVisible());
  s.ShowCursor();
  EXPECT_TRUE(s.CursorVisible());
}

TEST(Keys, ReadKeyKeepsExtOnOrdinaryKeysAndUpcasesLettersOnly) {
  ScriptedKeys keys;
  keys.Ext(59);
  keys.Type("q\x1b\r\b+");
  uint8_t ch = 1, ext = 0;
  MyReadKey(keys, ch, ext);
  EXPECT_EQ(ch, 0);
  EXPECT_EQ(ext, 59);
  const uint8_t expected[] = {'Q', 27, 13, 8, '+'};
  for (uint8_t e : expected) {
    ReadUpChar(keys, ch, ext);
    EXPECT_EQ(ch, e);
    EXPECT_EQ(ext, 59);  // untouched by ordinary keys
  }
  EXPECT_THROW(MyReadKey(keys, ch, ext), InputClosed);
}

}  // namespace
}  // namespace qirn
