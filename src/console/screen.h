// The 80 x 25 text screen in memory, with the semantics of a PC text console:
// a working area (window) that coordinates are relative to, a cursor, current
// colours, and writes that honour backspace, carriage return and line feed.
// The calculator draws only here; the terminal backend mirrors it.
#pragma once
#include <cstdint>
#include <string_view>

namespace qirn {

struct Cell {
  uint8_t ch = ' ';  // code page 437
  uint8_t fg = 7;    // text colour 0..15
  uint8_t bg = 0;    // background 0..7
  friend bool operator==(const Cell&, const Cell&) = default;
};

class Screen {
 public:
  static constexpr int Cols = 80;
  static constexpr int Rows = 25;

  // Colours of later writes and clears.
  void TextColor(int c) { fg_ = static_cast<uint8_t>(c & 15); }
  void TextBackground(int c) { bg_ = static_cast<uint8_t>(c & 7); }
  int FgColor() const { return fg_; }
  int BgColor() const { return bg_; }

  // Narrows the working area to absolute (left, top)..(right, bottom), 1-based
  // and inclusive; the cursor goes to the area's top left. Invalid rectangles
  // are ignored.
  void Window(int left, int top, int right, int bottom);
  void WidenWindow() { Window(1, 1, Cols, Rows); }

  // Fills the working area with blanks in the current colours; cursor to (1, 1).
  void ClrScr();
  // Blanks from the cursor to the right edge of the working area; cursor stays.
  void ClrEol();
  // Moves the cursor within the working area; positions outside it are ignored.
  void GotoXY(int x, int y);
  int WhereX() const { return cx_ - win_left_ + 1; }
  int WhereY() const { return cy_ - win_top_ + 1; }

  // Writes at the cursor. 8 moves one column left (not past the area's
  // column 1) without erasing, 13 returns to column 1, 10 moves one row down;
  // 7 is ignored. Other codes are drawn and the cursor moves on, wrapping at
  // the right edge and scrolling the area at its bottom.
  void WriteChar(uint8_t c) {
    if (c > 13) {  // the common case, inline: a character drawn
      At(cx_, cy_) = Cell{c, fg_, bg_};
      if (cx_ < win_right_)
        ++cx_;
      else
        Wrap();
      return;
    }
    Control(c);
  }
  void Write(std::string_view text);
  void WriteLn() { WriteChar(13); WriteChar(10); }

  void HideCursor() { cursor_visible_ = false; }
  void ShowCursor() { cursor_visible_ = true; }
  bool CursorVisible() const { return cursor_visible_; }

  // Absolute, 1-based cell access for the renderer and for tests.
  const Cell& At(int col, int row) const { return cells_[row - 1][col - 1]; }
  Cell& At(int col, int row) { return cells_[row - 1][col - 1]; }
  int CursorCol() const { return cx_; }  // absolute, 1-based
  int CursorRow() const { return cy_; }
  int WinLeft() const { return win_left_; }
  int WinTop() const { return win_top_; }
  int WinRight() const { return win_right_; }
  int WinBottom() const { return win_bottom_; }

  // Row text (characters only) of absolute row, 1-based; for tests.
  std::string_view RowText(int row) const;

 private:
  void NewLine();
  void ScrollUp();
  void Wrap();              // past the right edge: next row, scrolling at the bottom
  void Control(uint8_t c);  // codes 0..13: 7, 8, 10, 13 act, the others are drawn

  Cell cells_[Rows][Cols];
  mutable char row_text_[Cols];
  uint8_t fg_ = 7, bg_ = 0;
  int win_left_ = 1, win_top_ = 1, win_right_ = Cols, win_bottom_ = Rows;
  int cx_ = 1, cy_ = 1;
  bool cursor_visible_ = true;
};

}  // namespace qirn
