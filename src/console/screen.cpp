#include "console/screen.h"

namespace qirn {

void Screen::Window(int left, int top, int right, int bottom) {
  if (left < 1 || top < 1 || right > Cols || bottom > Rows || left > right || top > bottom) return;
  win_left_ = left;
  win_top_ = top;
  win_right_ = right;
  win_bottom_ = bottom;
  cx_ = left;
  cy_ = top;
}

void Screen::ClrScr() {
  for (int r = win_top_; r <= win_bottom_; ++r)
    for (int c = win_left_; c <= win_right_; ++c) At(c, r) = Cell{' ', fg_, bg_};
  cx_ = win_left_;
  cy_ = win_top_;
}

void Screen::ClrEol() {
  for (int c = cx_; c <= win_right_; ++c) At(c, cy_) = Cell{' ', fg_, bg_};
}

void Screen::GotoXY(int x, int y) {
  int ax = win_left_ + x - 1, ay = win_top_ + y - 1;
  if (x < 1 || y < 1 || ax > win_right_ || ay > win_bottom_) return;
  cx_ = ax;
  cy_ = ay;
}

void Screen::ScrollUp() {
  for (int r = win_top_; r < win_bottom_; ++r)
    for (int c = win_left_; c <= win_right_; ++c) At(c, r) = At(c, r + 1);
  for (int c = win_left_; c <= win_right_; ++c) At(c, win_bottom_) = Cell{' ', fg_, bg_};
}

void Screen::NewLine() {
  if (cy_ < win_bottom_)
    ++cy_;
  else
    ScrollUp();
}

void Screen::Wrap() {
  cx_ = win_left_;
  NewLine();
}

void Screen::Control(uint8_t c) {
  switch (c) {
    case 7:
      return;
    case 8:
      if (cx_ > win_left_) --cx_;
      return;
    case 13:
      cx_ = win_left_;
      return;
    case 10:
      NewLine();
      return;
    default:
      At(cx_, cy_) = Cell{c, fg_, bg_};
      if (cx_ < win_right_)
        ++cx_;
      else
        Wrap();
  }
}

void Screen::Write(std::string_view text) {
  for (char ch : text) WriteChar(static_cast<uint8_t>(ch));
}

std::string_view Screen::RowText(int row) const {
  for (int c = 0; c < Cols; ++c) row_text_[c] = static_cast<char>(cells_[row - 1][c].ch);
  return std::string_view(row_text_, Cols);
}

}  // namespace qirn
