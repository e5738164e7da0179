// Frame differences as ANSI/VT100 output.
#include "terminal/renderer.h"

#include <algorithm>
#include <string_view>

#include "terminal/cp437.h"

namespace qirn {
namespace {

// DOS colour numbers run blue-green-cyan-red; ANSI's run red-green-yellow-blue.
constexpr int kAnsiOf[8] = {0, 4, 2, 6, 1, 5, 3, 7};

void AppendNumber(std::string& out, int n) { out += std::to_string(n); }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

Frame FrameOf(const Screen& screen) {
  Frame f;
  for (int r = 1; r <= Screen::Rows; ++r)
    for (int c = 1; c <= Screen::Cols; ++c) f.cells[r - 1][c - 1] = screen.At(c, r);
  f.cursor_col = screen.CursorCol();
  f.cursor_row = screen.CursorRow();
  f.cursor_visible = screen.CursorVisible();
  return f;
}

std::string Renderer::Render(const Frame& next, int term_cols, int term_rows) {
  std::string body;
  bool resized = term_cols != cols_ || term_rows != rows_;
  if (!LargeEnough(term_cols, term_rows)) {
    if (!valid_ || !notice_ || resized) Notice(term_cols, term_rows, body);
    notice_ = true;
  } else {
    if (!valid_ || notice_ || resized)
      FullRedraw(next, body);
    else
      Diff(next, body);
    SetLineDrawing(false, body);
    PlaceCursor(next, body);
    shown_ = next;
    notice_ = false;
  }
  valid_ = true;
  cols_ = term_cols;
  rows_ = term_rows;
  if (body.empty()) return body;
  return "\x1b[?2026h" + body + "\x1b[?2026l";
}

void Renderer::FullRedraw(const Frame& next, std::string& out) {
  // Unknown attributes and character set first; then the whole window is
  // blanked in black so that nothing of the terminal's theme shows through.
  out += "\x1b[0m\x1b(B";
  fg_ = bg_ = -1;
  line_drawing_ = false;
  SetColours(7, 0, out);
  out += "\x1b[2J";
  col_ = row_ = 0;
  // Rows with many blanks of the frame's most common blank colours are
  // erased in those colours (the erase takes the current background, as
  // the black one above does), and those blanks are not written.
  int count[16][8] = {};
  for (const auto& row : next.cells)
    for (const Cell& cell : row)
      if (cell.ch == ' ') ++count[cell.fg & 15][cell.bg & 7];
  int bf = 7, bb = 0;
  for (int f = 0; f < 16; ++f)
    for (int b = 0; b < 8; ++b)
      if (count[f][b] > count[bf][bb]) bf = f, bb = b;
  auto skippable = [&](const Cell& cell) { return cell.ch == ' ' && (cell.fg & 15) == bf && (cell.bg & 7) == bb; };
  for (int r = 1; r <= Screen::Rows; ++r) {
    const Cell* row = next.cells[r - 1];
    // An erase costs about as much as eight blanks written.
    const bool erase = colour_erase_ && std::count_if(row, row + Screen::Cols, skippable) >= 8;
    MoveTo(1, r, out);
    if (erase) {
      SetColours(bf, bb, out);
      out += "\x1b[" + std::to_string(Screen::Cols) + "X";
    }
    for (int c = 1; c <= Screen::Cols; ++c) {
      if (erase && skippable(row[c - 1])) continue;
      if (col_ != c || row_ != r) {
        // A short run of skipped blanks in the current colours is cheaper
        // to write again than to jump over.
        int gap = c - col_;
        if (row_ == r && col_ > 0 && gap > 0 && gap <= 3 && fg_ == bf && bg_ == bb)
          for (int k = col_; k < c; ++k) PutCell(row[k - 1], out);
        else
          MoveTo(c, r, out);
      }
      PutCell(row[c - 1], out);
    }
  }
  cursor_shown_ = !next.cursor_visible;  // forces the cursor mode out
}

void Renderer::Diff(const Frame& next, std::string& out) {
  for (int r = 1; r <= Screen::Rows; ++r) {
    const Cell* want = next.cells[r - 1];
    const Cell* have = shown_.cells[r - 1];
    for (int c = 1; c <= Screen::Cols; ++c) {
      if (want[c - 1] == have[c - 1]) continue;
      // A short run of unchanged cells in the current colours is cheaper to
      // write again than to jump over.
      int gap = c - col_;
      bool reprint = row_ == r && col_ > 0 && gap > 0 && gap <= 3;
      for (int k = col_; reprint && k < c; ++k)
        reprint = want[k - 1].fg == fg_ && want[k - 1].bg == bg_;
      if (reprint) {
        for (int k = col_; k < c; ++k) PutCell(want[k - 1], out);
      } else {
        MoveTo(c, r, out);
      }
      PutCell(want[c - 1], out);
    }
  }
}

void Renderer::Notice(int cols, int rows, std::string& out) {
  out += "\x1b[0m\x1b(B";
  fg_ = bg_ = -1;
  line_drawing_ = false;
  SetColours(7, 0, out);
  out += "\x1b[2J\x1b[?25l";
  cursor_shown_ = false;
  col_ = row_ = 0;
  std::string lines[3] = {
      "QIRN needs a terminal of at least " + std::to_string(Screen::Cols) + " x " +
          std::to_string(Screen::Rows) + ".",
      "This one is " + std::to_string(cols) + " x " + std::to_string(rows) + ".",
      "Please enlarge the window.",
  };
  int top = std::max(1, (rows - 3) / 2 + 1);
  for (int i = 0; i < 3 && top + i <= rows; ++i) {
    std::string_view text = lines[i];
    if (static_cast<int>(text.size()) > cols) text = text.substr(0, std::max(cols, 0));
    int left = std::max(1, (cols - static_cast<int>(text.size())) / 2 + 1);
    MoveTo(left, top + i, out);
    out += text;
    col_ = 0;  // may sit past the last column now
  }
}

void Renderer::MoveTo(int col, int row, std::string& out) {
  if (col == col_ && row == row_) return;
  if (row == row_ && col_ > 0 && col > col_) {
    out += "\x1b[";
    if (col - col_ > 1) AppendNumber(out, col - col_);
    out += 'C';
  } else if (row == row_ && col_ > 0) {
    out += "\x1b[";
    if (col > 1) AppendNumber(out, col);
    out += 'G';
  } else {
    out += "\x1b[";
    AppendNumber(out, row);
    if (col > 1) {
      out += ';';
      AppendNumber(out, col);
    }
    out += 'H';
  }
  col_ = col;
  row_ = row;
}

void Renderer::SetColours(int fg, int bg, std::string& out) {
  if (fg == fg_ && bg == bg_) return;
  out += "\x1b[";
  if (fg != fg_) {
    AppendNumber(out, (fg < 8 ? 30 : 90) + kAnsiOf[fg & 7]);
    if (bg != bg_) out += ';';
  }
  if (bg != bg_) AppendNumber(out, 40 + kAnsiOf[bg & 7]);
  out += 'm';
  fg_ = fg;
  bg_ = bg;
}

void Renderer::SetLineDrawing(bool on, std::string& out) {
  if (on == line_drawing_) return;
  out += on ? "\x1b(0" : "\x1b(B";
  line_drawing_ = on;
}

void Renderer::PutCell(const Cell& cell, std::string& out) {
  SetColours(cell.fg & 15, cell.bg & 7, out);
  switch (charset_) {
    case Charset::Unicode:
      AppendUtf8(out, Cp437ToUnicode(cell.ch));
      break;
    case Charset::Vt100:
      if (char g = Cp437ToDecGraphics(cell.ch)) {
        SetLineDrawing(true, out);
        out += g;
      } else {
        SetLineDrawing(false, out);
        out += Cp437ToAscii(cell.ch);
      }
      break;
    case Charset::Ascii:
      out += Cp437ToAscii(cell.ch);
      break;
  }
  // Autowrap is off, but a wider terminal moves on past column 80: after the
  // last column the position is not known for sure.
  col_ = col_ > 0 && col_ < Screen::Cols ? col_ + 1 : 0;
}

void Renderer::PlaceCursor(const Frame& next, std::string& out) {
  int col = std::clamp(next.cursor_col, 1, Screen::Cols);
  int row = std::clamp(next.cursor_row, 1, Screen::Rows);
  MoveTo(col, row, out);
  if (next.cursor_visible != cursor_shown_) {
    out += next.cursor_visible ? "\x1b[?25h" : "\x1b[?25l";
    cursor_shown_ = next.cursor_visible;
  }
}

}  // namespace qirn
