// Full frames leave out the blanks of rows they erase in the frame's most
// common blank colours; read back through the emulator, every cell must
// still show its character and both colours, in every character set, and
// the window beyond the screen stays black.
#include <gtest/gtest.h>

#include <regex>

#include <random>

#include "terminal/cp437.h"
#include "terminal/renderer.h"
#include "vterm_oracle.h"

namespace qirn {
namespace {

// Blue blanks in yellow almost everywhere, with text, box lines, runs of
// other blanks (black, and blue in another text colour) and short gaps.
Frame WorkingLike(uint32_t seed) {
  std::mt19937 rng(seed);
  Frame f;
  for (auto& row : f.cells)
    for (Cell& c : row) c = Cell{' ', 14, 1};
  for (int r = 0; r < Screen::Rows; ++r) {
    int kind = static_cast<int>(rng() % 5);
    for (int c = 0; c < Screen::Cols; ++c) {
      Cell& cell = f.cells[r][c];
      if (kind == 0 && c >= 2 && c < 59) cell = Cell{205, 14, 1};                 // a box line
      if (kind == 1 && rng() % 3 == 0) cell = Cell{static_cast<uint8_t>('A' + rng() % 26), 15, 1};
      if (kind == 2) cell = Cell{' ', 7, 0};                                      // black blanks
      if (kind == 3 && c >= 20 && c < 40) cell = Cell{' ', 10, 1};                // another text colour
      if (kind == 4 && c % 5 == 0) cell = Cell{static_cast<uint8_t>('0' + c % 10), 1, 2};
    }
    if (rng() % 4 == 0) f.cells[r][rng() % 80] = Cell{179, 14, 1};
  }
  f.cursor_col = 5;
  f.cursor_row = 2;
  return f;
}

void ExpectCells(const VtOracle& vt, const Frame& f, Charset cs, const char* what) {
  int bad = 0;
  for (int r = 1; r <= Screen::Rows && bad < 5; ++r)
    for (int c = 1; c <= Screen::Cols && bad < 5; ++c) {
      const Cell& want = f.cells[r - 1][c - 1];
      VtCell got = vt.At(c, r);
      char32_t glyph = cs == Charset::Unicode ? Cp437ToUnicode(want.ch) : U'\0';
      bool ch_ok = cs == Charset::Unicode ? got.ch == glyph : (want.ch == ' ') == (got.ch == U' ');
      if (!ch_ok || got.fg != AnsiIndex(want.fg) || got.bg != AnsiIndex(want.bg)) {
        ++bad;
        ADD_FAILURE() << what << ": cell (" << c << ", " << r << ") code " << int(want.ch) << " shows U+"
                      << std::hex << uint32_t(got.ch) << std::dec << " fg " << got.fg << " bg " << got.bg;
      }
    }
}

TEST(RendererBlanks, ErasedRowsShowEveryCellInEveryCharacterSet) {
  for (Charset cs : {Charset::Unicode, Charset::Vt100, Charset::Ascii}) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      Renderer r(cs);
      VtOracle vt(100, 30);
      vt.Feed("\x1b[33;45m\x1b[2Jjunk\x1b[12;40Hmore junk");
      Frame f = WorkingLike(seed);
      vt.Feed(r.Render(f, 100, 30));
      ExpectCells(vt, f, cs, "full frame");
      EXPECT_EQ(vt.CursorCol(), 5);
      EXPECT_EQ(vt.CursorRow(), 2);
      for (int row = 1; row <= 30; ++row)
        for (int col = row <= 25 ? 81 : 1; col <= 100; ++col) {
          VtCell c = vt.At(col, row);
          ASSERT_EQ(c.ch, U' ') << col << "," << row;
          ASSERT_EQ(c.bg, 0) << col << "," << row;
        }
      // And the frames after it, from differences.
      Frame g = WorkingLike(seed + 100);
      vt.Feed(r.Render(g, 100, 30));
      ExpectCells(vt, g, cs, "next frame");
    }
  }
}

TEST(RendererBlanks, AFrameWithoutBlanksIsWrittenWhole) {
  Renderer r;
  Frame f;
  for (int i = 0; i < Screen::Rows * Screen::Cols; ++i)
    f.cells[i / Screen::Cols][i % Screen::Cols] = Cell{static_cast<uint8_t>('a' + i % 26), static_cast<uint8_t>(i % 16), 3};
  VtOracle vt(80, 25);
  vt.Feed(r.Render(f, 80, 25));
  ExpectCells(vt, f, Charset::Unicode, "no blanks");
}

}  // namespace
}  // namespace qirn

namespace qirn {
namespace {

// For terminals whose erase ignores the current background every blank is
// written, so the frame does not depend on how the terminal erases.
TEST(RendererBlanks, WithoutColourEraseNoBlankIsErased) {
  Renderer r(Charset::Unicode, false);
  Frame f = WorkingLike(3);
  std::string out = r.Render(f, 80, 25);
  EXPECT_FALSE(std::regex_search(out, std::regex("\x1b\\[[0-9]*X")));  // no erase-characters sequence
  VtOracle vt(80, 25);
  vt.Feed(out);
  ExpectCells(vt, f, Charset::Unicode, "written blanks");
}

}  // namespace
}  // namespace qirn
