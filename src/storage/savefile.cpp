// The state file: 14 records of 176 bytes, four for the stack levels X, Y,
// Z, T (carrying the settings in their text fields) and ten for the memory
// registers. Every field is encoded explicitly, little-endian, so the file
// does not depend on how the compiler lays out our records.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "console/files.h"
#include "storage/storage.h"

namespace qirn {
namespace {

constexpr std::string_view FileName = "SAVE.QN";
constexpr std::string_view NewFileName = "save.qn";  // when no spelling exists yet
constexpr std::string_view BadFileName = "SAVE.BAD";

constexpr int RecordSize = 176, RecordCount = 14;
constexpr int OffSxgValue = 0, OffRealValue = 48, OffSxgText = 58, OffRealText = 114;

using RecordBytes = std::array<char, RecordSize>;

// One record, decoded.
struct SaveRecord {
  Sxg SxgValue{};
  long double RealValue = 0;
  String55 SxgText, RealText;
};

uint8_t Byte(const char* p) { return static_cast<uint8_t>(*p); }

void Put16(char* p, uint16_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>(v >> 8);
}
uint16_t Get16(const char* p) { return static_cast<uint16_t>(Byte(p) | Byte(p + 1) << 8); }

// The x87 extended format: a 64-bit significand with an explicit integer
// bit, then the sign bit and the 15-bit exponent biased by 16383. A value
// with exponent field 0 is a denormal: significand * 2^-16445.
constexpr int ExpBias = 16383, ExpMax = 0x7FFF, DenormalShift = 16445;

void EncodeReal(long double x, char* p) {
  uint64_t significand = 0;
  unsigned exponent = 0;
  bool sign = std::signbit(x);
  long double a = std::fabs(x);
  if (std::isnan(x)) {
    exponent = ExpMax;
    significand = 0xC000000000000000u;  // the quiet NaN
  } else if (std::isinf(x)) {
    exponent = ExpMax;
    significand = 0x8000000000000000u;
  } else if (a != 0) {
    int e = 0;
    long double m = std::frexp(a, &e);  // a = m * 2^e, 0.5 <= m < 1
    int biased = e - 1 + ExpBias;
    if (biased >= 1) {
      exponent = static_cast<unsigned>(biased);
      significand = static_cast<uint64_t>(std::ldexp(m, 64));
    } else {
      significand = static_cast<uint64_t>(std::ldexp(a, DenormalShift));
    }
  }
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(significand >> (8 * i) & 0xFF);
  Put16(p + 8, static_cast<uint16_t>(exponent | (sign ? 0x8000u : 0u)));
}

long double DecodeReal(const char* p) {
  uint64_t significand = 0;
  for (int i = 0; i < 8; ++i) significand |= static_cast<uint64_t>(Byte(p + i)) << (8 * i);
  uint16_t se = Get16(p + 8);
  bool sign = se & 0x8000;
  int exponent = se & ExpMax;
  long double a;
  if (exponent == ExpMax) {
    a = (significand << 1) == 0 ? HUGE_VALL : std::nanl("");
  } else if (exponent == 0) {
    a = std::ldexp(static_cast<long double>(significand), -DenormalShift);
  } else {
    // Exact: the significand fits the 64-bit mantissa. Without its integer
    // bit (an "unnormal") the value is still the one the fields describe.
    a = std::ldexp(static_cast<long double>(significand), exponent - ExpBias - 63);
  }
  return sign ? -a : a;
}

void EncodeText(const String55& t, char* p) {
  p[0] = static_cast<char>(t.size());
  std::memcpy(p + 1, t.s, t.size());
}

bool DecodeText(const char* p, String55& t) {
  uint8_t len = Byte(p);
  if (len > String55::Capacity) return false;
  t.assign(std::string_view(p + 1, len));
  return true;
}

void EncodeRecord(const SaveRecord& r, RecordBytes& b) {
  b.fill(0);  // padding and unused text bytes are zero
  char* p = b.data();
  p[OffSxgValue] = r.SxgValue.Neg ? 1 : 0;
  for (int i = 0; i < 20; ++i)
    Put16(p + OffSxgValue + 2 + 2 * i, static_cast<uint16_t>(r.SxgValue.Digits.v[i]));
  EncodeReal(r.RealValue, p + OffRealValue);
  EncodeText(r.SxgText, p + OffSxgText);
  EncodeText(r.RealText, p + OffRealText);
}

// False for a record no writer of ours produces: a Neg byte other than 0 or
// 1, a place outside 0..59, a decimal value that is not a finite number (the
// calculator never holds one), a text longer than 55 characters. A negative
// zero is read as zero, the only zero the calculator knows.
bool DecodeRecord(const char* p, SaveRecord& r) {
  uint8_t neg = Byte(p + OffSxgValue);
  if (neg > 1) return false;
  r.SxgValue.Neg = neg == 1;
  for (int i = 0; i < 20; ++i) {
    int16_t d = static_cast<int16_t>(Get16(p + OffSxgValue + 2 + 2 * i));
    if (d < 0 || d > 59) return false;
    r.SxgValue.Digits.v[i] = d;
  }
  bool zero = true;
  for (int16_t d : r.SxgValue.Digits.v) zero = zero && d == 0;
  if (zero) r.SxgValue.Neg = false;
  if ((Get16(p + OffRealValue + 8) & ExpMax) == ExpMax) return false;
  r.RealValue = DecodeReal(p + OffRealValue);
  return DecodeText(p + OffSxgText, r.SxgText) && DecodeText(p + OffRealText, r.RealText);
}

// A setting text: optional leading blanks, then a whole decimal integer with
// nothing after it, within lo..hi.
bool SettingValue(std::string_view t, int lo, int hi, int16_t& out) {
  size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  if (i == t.size()) return false;
  long v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    if (v < 1000000) v = v * 10 + (t[i] - '0');  // saturates far outside any range
  }
  if (neg) v = -v;
  if (v < lo || v > hi) return false;
  out = static_cast<int16_t>(v);
  return true;
}

bool IsModeLetter(char m) {
  return m == 'C' || m == 'D' || m == 'G' || m == 'S' || m == 'Z';
}

// Reads the file `name` into s; false (s partly changed) when it is not a
// complete, valid state file.
bool LoadFile(FileSystem& fs, std::string_view name, State& s) {
  std::array<char, RecordSize * RecordCount> buf;
  if (fs.Read(name, buf) != static_cast<long>(buf.size())) return false;  // also too short
  SaveRecord r;
  for (int i = 0; i < RecordCount; ++i) {
    if (!DecodeRecord(buf.data() + i * RecordSize, r)) return false;
    if (i >= 4) {
      int k = i - 4;
      s.SxgMem[k] = r.SxgValue;
      s.RealMem[k] = r.RealValue;
      s.SxgMemText[k] = r.SxgText;
      s.RealMemText[k] = r.RealText;
      continue;
    }
    s.SxgStack[i] = r.SxgValue;
    s.RealStack[i] = r.RealValue;
    switch (i) {
      case 0:
        if (r.SxgText.empty() || !IsModeLetter(r.SxgText[0])) return false;
        s.NumberMode = r.SxgText[0];
        if (!SettingValue(r.RealText, 0, 9, s.MemPtr)) return false;
        break;
      case 1:
        if (!SettingValue(r.SxgText, 0, 1, s.TrigMode)) return false;
        if (!SettingValue(r.RealText, 1, 9999, s.Base)) return false;
        break;
      case 2:
        if (!SettingValue(r.SxgText, 0, 3, s.Menu_No)) return false;
        break;
      default:
        if (r.SxgText.empty())
          s.DisplayMode = 0;
        else if (!SettingValue(r.SxgText, 0, 1, s.DisplayMode))
          return false;
        break;
    }
  }
  // The file does not carry the sexagesimal mode to return to from D.
  s.PrevSxgMode = IsDecimalMode(s) ? 'G' : s.NumberMode;
  return true;
}

String55 Digits(int v) { return String55(std::to_string(v)); }

}  // namespace

bool ReadSave(Calc& c) {
  if (!c.io.files) return false;
  std::string name = c.io.files->Find(FileName);
  if (name.empty()) return false;
  // Parsed into a copy, so a failed load leaves nothing behind in the state.
  State s = c.st;
  if (!LoadFile(*c.io.files, name, s)) return false;
  c.st = s;
  return true;
}

void WriteSave(Calc& c) {
  if (!c.io.files) return;
  FileSystem& fs = *c.io.files;
  const State& s = c.st;

  std::string name = fs.Find(FileName);
  if (name.empty()) {
    name = NewFileName;
  } else {
    // A file we cannot read as a state file is not ours to overwrite: it is
    // kept as SAVE.BAD (replacing an older one), or, failing that, left alone
    // and this run's state is not written.
    State scratch;
    if (!LoadFile(fs, name, scratch)) {
      std::string older = fs.Find(BadFileName);
      if (!fs.Rename(name, BadFileName)) return;
      if (!older.empty() && older != BadFileName) fs.Remove(older);
    }
  }

  std::array<RecordBytes, RecordCount> bytes;
  for (int i = 0; i < RecordCount; ++i) {
    SaveRecord r;
    if (i < 4) {
      r.SxgValue = s.SxgStack[i];
      r.RealValue = s.RealStack[i];
    } else {
      r.SxgValue = s.SxgMem[i - 4];
      r.RealValue = s.RealMem[i - 4];
      r.SxgText = s.SxgMemText[i - 4];
      r.RealText = s.RealMemText[i - 4];
    }
    switch (i) {
      case 0:
        r.SxgText = String55(std::string_view(&s.NumberMode, 1));
        r.RealText = Digits(s.MemPtr);
        break;
      case 1: {
        char base[16];
        std::snprintf(base, sizeof base, "%4d", static_cast<int>(s.Base));
        r.SxgText = Digits(s.TrigMode);
        r.RealText = String55(base);
        break;
      }
      case 2: r.SxgText = Digits(s.Menu_No); break;
      case 3: r.SxgText = Digits(s.DisplayMode); break;
      default: break;
    }
    EncodeRecord(r, bytes[i]);
  }
  std::array<std::string_view, RecordCount> records;
  for (int i = 0; i < RecordCount; ++i) records[i] = std::string_view(bytes[i].data(), RecordSize);
  WriteFileAtomically(fs, name, records);
}

}  // namespace qirn
