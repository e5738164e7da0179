// Screen pictures for tests: the 80 x 25 screen as text a person can read
// (code page 437 box characters and the degree sign drawn in Unicode) plus a
// colour map with one letter per cell, kept in fixture files.
//
// Fixture format: lines starting with "|" hold the screen, one row each,
// between "|" marks: first the 25 text rows, then the 25 colour rows. Other
// lines are comments. Colour letters (text on background):
//   Y yellow on blue (14 on 1)   W white on blue (15 on 1)
//   G light green on blue (10 on 1)   Q blue on green (1 on 2)   ? any other
#pragma once
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "console/screen.h"

namespace qirn::test {

inline std::string Cp437ToUtf8(uint8_t ch) {
  switch (ch) {
    case 201: return "\u2554";  // ╔
    case 205: return "\u2550";  // ═
    case 187: return "\u2557";  // ╗
    case 186: return "\u2551";  // ║
    case 204: return "\u2560";  // ╠
    case 185: return "\u2563";  // ╣
    case 200: return "\u255A";  // ╚
    case 188: return "\u255D";  // ╝
    case 218: return "\u250C";  // ┌
    case 196: return "\u2500";  // ─
    case 191: return "\u2510";  // ┐
    case 179: return "\u2502";  // │
    case 195: return "\u251C";  // ├
    case 180: return "\u2524";  // ┤
    case 192: return "\u2514";  // └
    case 217: return "\u2518";  // ┘
    case 248: return "\u00B0";  // °
    default: break;
  }
  if (ch < 32 || ch >= 127) return "\u00BF";  // ¿ marks a character no fixture expects
  return std::string(1, static_cast<char>(ch));
}

inline char ColorLetter(const Cell& c) {
  if (c.bg == 1 && c.fg == 14) return 'Y';
  if (c.bg == 1 && c.fg == 15) return 'W';
  if (c.bg == 1 && c.fg == 10) return 'G';
  if (c.bg == 2 && c.fg == 1) return 'Q';
  return '?';
}

// The screen as fixture lines: 25 text rows, then 25 colour rows.
inline std::vector<std::string> Picture(const Screen& s) {
  std::vector<std::string> out;
  for (int r = 1; r <= Screen::Rows; ++r) {
    std::string line = "|";
    for (int c = 1; c <= Screen::Cols; ++c) line += Cp437ToUtf8(s.At(c, r).ch);
    out.push_back(line + "|");
  }
  for (int r = 1; r <= Screen::Rows; ++r) {
    std::string line = "|";
    for (int c = 1; c <= Screen::Cols; ++c) line += ColorLetter(s.At(c, r));
    out.push_back(line + "|");
  }
  return out;
}

// The fixture's picture lines; empty when the file cannot be read.
inline std::vector<std::string> LoadPicture(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] == '|') out.push_back(line);
  return out;
}

// Differences between a fixture and a screen, row by row, for the failure
// message; empty when they agree cell for cell, colours included.
inline std::string PictureDiff(const std::vector<std::string>& want, const Screen& s) {
  std::vector<std::string> got = Picture(s);
  std::ostringstream d;
  if (want.size() != got.size()) d << "fixture has " << want.size() << " picture lines, expected 50\n";
  for (size_t i = 0; i < got.size(); ++i) {
    std::string w = i < want.size() ? want[i] : "";
    if (w != got[i]) {
      d << (i < 25 ? "text row " : "colour row ") << (i % 25 + 1) << "\n  want " << w << "\n  got  " << got[i] << "\n";
    }
  }
  return d.str();
}

}  // namespace qirn::test
