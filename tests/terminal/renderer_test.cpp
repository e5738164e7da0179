// The renderer's output, read back through a terminal emulator.
#include <gtest/gtest.h>

#include <iconv.h>

#include <random>
#include <set>
#include <string>

#include "terminal/cp437.h"
#include "terminal/locale.h"
#include "terminal/renderer.h"
#include "vterm_oracle.h"

namespace qirn {
namespace {

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

// The VT100 special graphics set in Unicode (for y and z the emulator shows
// the slanted less/greater-or-equal signs).
char32_t DecGraphicsGlyph(char c) {
  switch (c) {
    case '`': return U'\u25c6'; case 'a': return U'\u2592'; case 'f': return U'\u00b0';
    case 'g': return U'\u00b1'; case 'j': return U'\u2518'; case 'k': return U'\u2510';
    case 'l': return U'\u250c'; case 'm': return U'\u2514'; case 'n': return U'\u253c';
    case 'q': return U'\u2500'; case 't': return U'\u251c'; case 'u': return U'\u2524';
    case 'v': return U'\u2534'; case 'w': return U'\u252c'; case 'x': return U'\u2502';
    case 'y': return U'\u2a7d'; case 'z': return U'\u2a7e'; case '{': return U'\u03c0';
    case '|': return U'\u2260'; case '}': return U'\u00a3'; case '~': return U'\u00b7';
  }
  return 0;
}

// The boxes of the working screen, each with the light line that stands for it.
constexpr std::pair<uint8_t, char32_t> kBoxes[] = {
    {201, U'\u250c'}, {205, U'\u2500'}, {187, U'\u2510'}, {186, U'\u2502'},
    {204, U'\u251c'}, {185, U'\u2524'}, {200, U'\u2514'}, {188, U'\u2518'},
    {218, U'\u250c'}, {196, U'\u2500'}, {191, U'\u2510'}, {179, U'\u2502'},
    {195, U'\u251c'}, {180, U'\u2524'}, {192, U'\u2514'}, {217, U'\u2518'},
};

bool AllBytesAscii(const std::string& out) {
  for (char c : out)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

TEST(Renderer, Vt100FallbackDrawsBoxesWithTheLineDrawingSet) {
  Renderer r(Charset::Vt100);
  Frame f = Busy();
  std::string out = r.Render(f, 80, 25);
  EXPECT_TRUE(AllBytesAscii(out));
  VtOracle vt(80, 25, /*utf8=*/false);
  vt.Feed(out);
  auto glyph = [](uint8_t ch) -> char32_t {
    if (char g = Cp437ToDecGraphics(ch)) return DecGraphicsGlyph(g);
    return static_cast<unsigned char>(Cp437ToAscii(ch));
  };
  ExpectShows(vt, f, glyph, "VT100 full frame");
  for (auto [code, line] : kBoxes) EXPECT_EQ(glyph(code), line) << int(code);
  EXPECT_EQ(glyph(248), U'\u00b0');  // the degree sign survives

  // Diffs keep the character sets straight: a letter next to a line is a letter.
  for (int c = 0; c < 80; ++c) f.cells[3][c] = Cell{static_cast<uint8_t>(c % 2 ? 'q' : 205), 14, 1};
  vt.Feed(r.Render(f, 80, 25));
  ExpectShows(vt, f, glyph, "VT100 diff");
  vt.Feed("\x1b[25;1Hq");  // the frame leaves the terminal in ASCII
  EXPECT_EQ(vt.At(1, 25).ch, U'q');
}

TEST(Renderer, AsciiFallbackUsesPlainCharacters) {
  Renderer r(Charset::Ascii);
  Frame f = Busy();
  std::string out = r.Render(f, 80, 25);
  EXPECT_TRUE(AllBytesAscii(out));
  VtOracle vt(80, 25, /*utf8=*/false);
  vt.Feed(out);
  auto glyph = [](uint8_t ch) -> char32_t { return static_cast<unsigned char>(Cp437ToAscii(ch)); };
  ExpectShows(vt, f, glyph, "ASCII full frame");
  for (auto [code, line] : kBoxes) {
    char want = line == U'\u2500' ? '-' : line == U'\u2502' ? '|' : '+';
    EXPECT_EQ(Cp437ToAscii(code), want) << int(code);
  }
  EXPECT_EQ(Cp437ToAscii(248), 'o');
  EXPECT_EQ(Cp437ToAscii(130), 'e');
}

TEST(Locale, DecidesTheCharacterSet) {
  struct Row {
    const char *all, *ctype, *lang;
    Charset want;
  } rows[] = {
      {nullptr, nullptr, "en_US.UTF-8", Charset::Unicode},
      {nullptr, nullptr, "de_DE.utf8", Charset::Unicode},
      {nullptr, nullptr, "C.UTF-8", Charset::Unicode},
      {nullptr, nullptr, "C", Charset::Ascii},
      {nullptr, nullptr, "POSIX", Charset::Ascii},
      {nullptr, nullptr, nullptr, Charset::Ascii},
      {"", "", "", Charset::Ascii},
      {nullptr, nullptr, "de_DE.ISO-8859-1", Charset::Vt100},
      {"C", nullptr, "en_US.UTF-8", Charset::Ascii},           // LC_ALL wins
      {nullptr, "en_US.UTF-8", "C", Charset::Unicode},         // then LC_CTYPE
      {"", "fr_FR.UTF-8", "POSIX", Charset::Unicode},          // empty means unset
      {nullptr, "C", "en_US.UTF-8", Charset::Ascii},
  };
  for (const Row& r : rows)
    EXPECT_EQ(CharsetForLocale(r.all, r.ctype, r.lang), r.want)
        << (r.all ? r.all : "-") << " " << (r.ctype ? r.ctype : "-") << " " << (r.lang ? r.lang : "-");
}

}  // namespace
}  // namespace qirn
