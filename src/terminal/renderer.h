// Turns screen frames into terminal output: the bytes that change what the
// terminal shows from the previous frame into the next one, in one string, so
// that each frame is written with a single write().
#pragma once
#include <string>

#include "console/screen.h"

namespace qirn {

// How the terminal draws characters outside ASCII.
enum class Charset {
  Unicode,  // UTF-8: every code page 437 character as itself
  Vt100,    // box lines and a few symbols from the VT100 line-drawing set, the rest ASCII
  Ascii,    // plain ASCII only: + - | boxes, 'o' for the degree sign
};

// What the terminal should show: the cells of the 80 x 25 screen and the cursor.
struct Frame {
  Cell cells[Screen::Rows][Screen::Cols];
  int cursor_col = 1, cursor_row = 1;  // 1-based
  bool cursor_visible = true;
  friend bool operator==(const Frame&, const Frame&) = default;
};

Frame FrameOf(const Screen& screen);

// Remembers what the terminal shows and emits only the difference. The first
// frame, the first after Invalidate and every frame at a new terminal size is
// drawn in full. Windows larger than 80 x 25 show the frame at the top left
// with the rest blank; smaller ones show a centred notice instead.
class Renderer {
 public:
  // colour_erase: the terminal fills erased cells with the current
  // background colour (nearly all do; GNU screen only when told to with
  // defbce), so full frames may erase runs of blanks instead of writing them.
  explicit Renderer(Charset charset = Charset::Unicode, bool colour_erase = true)
      : charset_(charset), colour_erase_(colour_erase) {}

  // The bytes to write; empty when the terminal already shows `next`.
  // Non-empty output is wrapped in synchronized-update markers.
  std::string Render(const Frame& next, int term_cols, int term_rows);

  // Forget what the terminal shows (after a suspend, or when something else
  // may have written to it).
  void Invalidate() { valid_ = false; }

  // True while the terminal is too small and the last output was the notice.
  bool ShowingNotice() const { return notice_; }

  static bool LargeEnough(int cols, int rows) { return cols >= Screen::Cols && rows >= Screen::Rows; }

 private:
  void FullRedraw(const Frame& next, std::string& out);
  void Notice(int cols, int rows, std::string& out);
  void Diff(const Frame& next, std::string& out);
  void MoveTo(int col, int row, std::string& out);
  void SetColours(int fg, int bg, std::string& out);
  void PutCell(const Cell& cell, std::string& out);
  void SetLineDrawing(bool on, std::string& out);
  void PlaceCursor(const Frame& next, std::string& out);

  Charset charset_;
  bool colour_erase_;
  Frame shown_{};
  bool valid_ = false;
  bool notice_ = false;
  int cols_ = 0, rows_ = 0;
  // The terminal's state as our output left it; col 0 means unknown.
  int col_ = 0, row_ = 0;
  int fg_ = -1, bg_ = -1;
  bool line_drawing_ = false;
  bool cursor_shown_ = true;
};

}  // namespace qirn
