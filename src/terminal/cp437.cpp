// Code page 437 tables.
#include "terminal/cp437.h"

namespace qirn {
namespace {

constexpr char32_t kLow[32] = {
    0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,  //
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,  //
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,  //
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};

constexpr char32_t kHigh[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  //
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  //
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  //
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  //
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  //
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  //
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  //
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  //
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  //
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  //
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  //
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  //
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  //
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  //
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  //
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// ASCII stand-ins: index 0..31, then 127, then 128..255.
constexpr char kAsciiLow[] = " oo****o.o.oo+++><|!PS_|^v><L-^v";
constexpr char kAsciiHigh[] =
    "CueaaaaceeeiiiAAEaAooouuyOUcLYPfaiounNao?--?" "?!<>"
    "###|++++++|+++++++++-++++++++-+++++++++++++#####"
    "asGpSsutFTOd8fen=+><()/~o..vn2# ";
static_assert(sizeof(kAsciiLow) == 33 && sizeof(kAsciiHigh) == 129);

}  // namespace

char32_t Cp437ToUnicode(uint8_t code) {
  if (code < 32) return kLow[code];
  if (code == 127) return 0x2302;
  if (code > 127) return kHigh[code - 128];
  return code;
}

int UnicodeToCp437(char32_t ch) {
  if (ch >= 32 && ch < 127) return static_cast<int>(ch);
  for (int i = 0; i < 128; ++i)
    if (kHigh[i] == ch) return 128 + i;
  return -1;
}

char Cp437ToAscii(uint8_t code) {
  if (code < 32) return kAsciiLow[code];
  if (code == 127) return '^';
  if (code > 127) return kAsciiHigh[code - 128];
  return static_cast<char>(code);
}

char Cp437ToDecGraphics(uint8_t code) {
  switch (code) {
    case 4: return '`';
    case 176: case 177: case 178: return 'a';
    case 179: case 186: return 'x';
    case 180: case 181: case 182: case 185: return 'u';
    case 183: case 184: case 187: case 191: return 'k';
    case 188: case 189: case 190: case 217: return 'j';
    case 192: case 200: case 211: case 212: return 'm';
    case 193: case 202: case 207: case 208: return 'v';
    case 194: case 203: case 209: case 210: return 'w';
    case 195: case 198: case 199: case 204: return 't';
    case 196: case 205: return 'q';
    case 197: case 206: case 215: case 216: return 'n';
    case 201: case 213: case 214: case 218: return 'l';
    case 156: return '}';
    case 227: return '{';
    case 241: return 'g';
    case 242: return 'z';
    case 243: return 'y';
    case 248: return 'f';
    case 249: case 250: return '~';
    default: return 0;
  }
}

}  // namespace qirn
