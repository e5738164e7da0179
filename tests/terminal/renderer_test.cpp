// The renderer's output, read back through a terminal emulator.
#include <gtest/gtest.h>

#include <iconv.h>

#include <random>
#include <set>
#include <string>

#include "terminal/cp437.h"
#include "terminal/renderer.h"
#include "vterm_oracle.h"

namespace qirn {
namespace {

// DOS colour number to the ANSI palette index: 1 blue is ANSI 4, 4 red is
// ANSI 1, 3 cyan 6, 6 brown 3; 8..15 are the bright ones.
int AnsiIndex(int dos) {
  static constexpr int base[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return base[dos & 7] + (dos >= 8 ? 8 : 0);
}

// The Unicode character of each code page 437 code above 127, from the C
// library's own converter.
char32_t IconvCp437(uint8_t code) {
  iconv_t cd = iconv_open("UTF-32LE", "CP437");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  char in[1] = {static_cast<char>(code)};
  unsigned char out[4] = {};
  char* ip = in;
  char* op = reinterpret_cast<char*>(out);
  size_t il = 1, ol = 4;
  iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  return out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
}

// A frame of every character in every colour pair, cursor somewhere inside.
Frame Busy() {
  Frame f;
  for (int r = 0; r < Screen::Rows; ++r)
    for (int c = 0; c < Screen::Cols; ++c) {
      int i = r * Screen::Cols + c;
      f.cells[r][c] = Cell{static_cast<uint8_t>(i % 256), static_cast<uint8_t>(i % 16),
                           static_cast<uint8_t>((i / 16) % 8)};
    }
  f.cursor_col = 17;
  f.cursor_row = 9;
  return f;
}

// Checks every cell and the cursor of the emulator against the frame; the
// characters through `glyph`.
template <class Glyph>
void ExpectShows(const VtOracle& vt, const Frame& f, Glyph glyph, const char* what) {
  int bad = 0;
  for (int r = 1; r <= Screen::Rows && bad < 5; ++r)
    for (int c = 1; c <= Screen::Cols && bad < 5; ++c) {
      const Cell& want = f.cells[r - 1][c - 1];
      VtCell got = vt.At(c, r);
      if (got.ch != glyph(want.ch) || got.fg != AnsiIndex(want.fg) || got.bg != AnsiIndex(want.bg)) {
        ++bad;
        ADD_FAILURE() << what << ": cell (" << c << ", " << r << ") code " << int(want.ch)
                      << " shows U+" << std::hex << uint32_t(got.ch) << std::dec << " fg "
                      << got.fg << " bg " << got.bg << ", want fg " << AnsiIndex(want.fg)
                      << " bg " << AnsiIndex(want.bg);
      }
    }
  EXPECT_EQ(vt.CursorCol(), f.cursor_col) << what;
  EXPECT_EQ(vt.CursorRow(), f.cursor_row) << what;
  EXPECT_EQ(vt.CursorVisible(), f.cursor_visible) << what;
}

auto Unicode = [](uint8_t ch) { return Cp437ToUnicode(ch); };

TEST(Cp437, UpperHalfMatchesTheCLibrary) {
  for (int code = 128; code < 256; ++code)
    EXPECT_EQ(Cp437ToUnicode(static_cast<uint8_t>(code)), IconvCp437(static_cast<uint8_t>(code)))
        << code;
  EXPECT_EQ(Cp437ToUnicode(201), U'\u2554');
  EXPECT_EQ(Cp437ToUnicode(248), U'\u00b0');
}

TEST(Cp437, EveryCodeHasADistinctVisibleGlyph) {
  std::set<char32_t> seen;
  for (int code = 1; code < 256; ++code) {
    char32_t u = Cp437ToUnicode(static_cast<uint8_t>(code));
    EXPECT_TRUE(u >= 0x20 && !(u >= 0x7F && u <= 0x9F)) << code;
    EXPECT_TRUE(seen.insert(u).second) << code;
    char a = Cp437ToAscii(static_cast<uint8_t>(code));
    EXPECT_TRUE(a >= 0x20 && a < 0x7F) << code;
    int back = UnicodeToCp437(u);
    if (code >= 32 && code != 127) EXPECT_EQ(back, code);
    else EXPECT_EQ(back, -1) << code;  // typing a glyph never makes a control key
  }
  EXPECT_EQ(Cp437ToUnicode(0), U' ');
  EXPECT_EQ(Cp437ToUnicode(1), U'\u263a');
  EXPECT_EQ(Cp437ToUnicode(127), U'\u2302');
}

TEST(Renderer, FullFrameReproducesCellsColoursAndCursor) {
  Renderer r;
  Frame f = Busy();
  std::string out = r.Render(f, 80, 25);
  VtOracle vt(80, 25);
  vt.Feed(out);
  ExpectShows(vt, f, Unicode, "full frame");

  f.cursor_visible = false;
  vt.Feed(r.Render(f, 80, 25));
  ExpectShows(vt, f, Unicode, "cursor hidden");
}

// No control character of the model reaches the terminal: outside escape
// sequences the output holds only printable text.
TEST(Renderer, OutputCarriesNoControlCharactersOutsideSequences) {
  Renderer r;
  std::string out = r.Render(Busy(), 80, 25);
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(out[i]);
    if (b == 0x1b) {
      ++i;
      if (out[i] == '[') {
        while (++i < out.size() && !(out[i] >= 0x40 && out[i] <= 0x7e)) {
        }
      } else if (out[i] == '(') {
        ++i;
      }
      continue;
    }
    ASSERT_TRUE(b >= 0x20 && b != 0x7f) << "byte " << int(b) << " at " << i;
  }
}

TEST(Renderer, UnchangedFrameEmitsNothing) {
  Renderer r;
  Frame f = Busy();
  EXPECT_FALSE(r.Render(f, 80, 25).empty());
  EXPECT_EQ(r.Render(f, 80, 25), "");
  EXPECT_EQ(r.Render(f, 80, 25), "");
}

TEST(Renderer, SmallChangeIsSmallAndWrappedInSyncMarkers) {
  Renderer r;
  Frame f;
  for (auto& row : f.cells)
    for (Cell& c : row) c = Cell{' ', 14, 1};
  VtOracle vt(80, 25);
  vt.Feed(r.Render(f, 80, 25));
  f.cells[5][3] = Cell{'1', 14, 1};
  f.cells[5][4] = Cell{'2', 14, 1};
  f.cursor_col = 6;
  f.cursor_row = 6;
  std::string out = r.Render(f, 80, 25);
  EXPECT_LE(out.size(), 40u) << out;
  EXPECT_EQ(out.rfind("\x1b[?2026h", 0), 0u);
  EXPECT_EQ(out.substr(out.size() - 8), "\x1b[?2026l");
  vt.Feed(out);
  ExpectShows(vt, f, Unicode, "after a two-cell change");
}

// Random edits, one diff after another, always end up showing the frame.
TEST(Renderer, DiffsOnTopOfEachOtherReproduceEveryFrame) {
  std::mt19937 rng(437);
  Renderer r;
  VtOracle vt(80, 25);
  Frame f = Busy();
  vt.Feed(r.Render(f, 80, 25));
  for (int step = 0; step < 300; ++step) {
    int edits = std::uniform_int_distribution<int>(0, step % 7 == 0 ? 400 : 12)(rng);
    for (int e = 0; e < edits; ++e) {
      int row = std::uniform_int_distribution<int>(0, 24)(rng);
      int col = std::uniform_int_distribution<int>(0, 79)(rng);
      // Runs along a row, as the calculator writes text.
      int len = std::uniform_int_distribution<int>(1, 8)(rng);
      uint8_t fg = static_cast<uint8_t>(rng() % 16), bg = static_cast<uint8_t>(rng() % 8);
      for (int k = 0; k < len && col + k < 80; ++k)
        f.cells[row][col + k] = Cell{static_cast<uint8_t>(rng() % 256), fg, bg};
    }
    f.cursor_col = 1 + static_cast<int>(rng() % 80);
    f.cursor_row = 1 + static_cast<int>(rng() % 25);
    f.cursor_visible = rng() % 3 != 0;
    vt.Feed(r.Render(f, 80, 25));
    ExpectShows(vt, f, Unicode, ("step " + std::to_string(step)).c_str());
    if (HasFailure()) break;
  }
}

TEST(Renderer, LargerWindowShowsTheScreenTopLeftAndBlanksTheRest) {
  Renderer r;
  VtOracle vt(100, 30);
  vt.Feed("\x1b[33;45mjunk everywhere\x1b[30;90Hx");
  Frame f = Busy();
  vt.Feed(r.Render(f, 100, 30));
  ExpectShows(vt, f, Unicode, "100 x 30");
  for (int row = 1; row <= 30; ++row)
    for (int col = row <= 25 ? 81 : 1; col <= 100; ++col) {
      VtCell c = vt.At(col, row);
      ASSERT_EQ(c.ch, U' ') << col << "," << row;
      ASSERT_EQ(c.bg, 0) << col << "," << row;
    }
}

TEST(Renderer, SmallWindowShowsANoticeThenTheScreenWhenLargeEnough) {
  Renderer r;
  Frame f = Busy();
  VtOracle vt(80, 24);
  std::string out = r.Render(f, 80, 24);
  EXPECT_NE(out.find("80 x 25"), std::string::npos);
  EXPECT_NE(out.find("80 x 24"), std::string::npos);
  vt.Feed(out);
  EXPECT_FALSE(vt.CursorVisible());
  EXPECT_TRUE(r.ShowingNotice());
  EXPECT_EQ(r.Render(f, 80, 24), "");  // nothing new while nothing changed
  out = r.Render(f, 60, 20);           // another small size: the notice again
  EXPECT_NE(out.find("60 x 20"), std::string::npos);

  vt.Resize(80, 25);
  f.cells[0][0] = Cell{'Q', 15, 1};  // changed meanwhile
  vt.Feed(r.Render(f, 80, 25));
  EXPECT_FALSE(r.ShowingNotice());
  ExpectShows(vt, f, Unicode, "after growing to 80 x 25");
}

TEST(Renderer, SizeChangeAndInvalidateRedrawFully) {
  Renderer r;
  Frame f = Busy();
  r.Render(f, 80, 25);
  VtOracle vt(90, 25);
  vt.Feed(r.Render(f, 90, 25));  // a fresh emulator: only a full frame can fill it
  ExpectShows(vt, f, Unicode, "after resize");
  r.Invalidate();
  VtOracle vt2(90, 25);
  vt2.Feed(r.Render(f, 90, 25));
  ExpectShows(vt2, f, Unicode, "after invalidate");
}

}  // namespace
}  // namespace qirn
