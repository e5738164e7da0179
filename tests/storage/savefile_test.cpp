// The state file through the in-memory directory: the byte layout against
// files crafted here byte by byte, the validity rules, and the replacement
// that never loses the previous file.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "sexagesimal/sxg_arith.h"
#include "storage/storage.h"
#include "support/rig.h"

namespace qirn::test {
namespace {

constexpr size_t kRec = 176;

// --- An independent encoder for the golden files ---

void Put16(std::string& f, size_t at, int v) {
  f[at] = static_cast<char>(v & 0xFF);
  f[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

// The ten bytes of an 80-bit extended value from its fields.
void PutReal(std::string& f, size_t at, uint64_t significand, int sign_exponent) {
  for (int i = 0; i < 8; ++i) f[at + i] = static_cast<char>(significand >> (8 * i));
  Put16(f, at + 8, sign_exponent);
}

void PutText(std::string& f, size_t at, std::string_view t) {
  f[at] = static_cast<char>(t.size());
  for (size_t i = 0; i < t.size(); ++i) f[at + 1 + i] = t[i];
}

// A record with the given sexagesimal digits (-4..15) and texts; the 80-bit
// value is 1.0 unless set afterwards.
void PutRecord(std::string& f, int rec, bool neg, const int (&digits)[20], std::string_view sxg_text,
               std::string_view real_text) {
  size_t b = rec * kRec;
  f[b] = neg ? 1 : 0;
  for (int i = 0; i < 20; ++i) Put16(f, b + 2 + 2 * i, digits[i]);
  PutReal(f, b + 48, 0x8000000000000000u, 0x3FFF);
  PutText(f, b + 58, sxg_text);
  PutText(f, b + 114, real_text);
}

// A valid file: mode S, MemPtr 4, radians, Base 7, menu 2, compact layout;
// record n holds the digits n, n+1, ... (mod 60) and register k the
// descriptions "sxg k" / "real k". Padding bytes hold 0xAA, to show they
// carry no meaning.
std::string GoldenFile(int records = 14) {
  std::string f(14 * kRec, static_cast<char>(0xAA));
  for (int r = 0; r < 14; ++r) {
    int d[20];
    for (int i = 0; i < 20; ++i) d[i] = (r + i) % 60;
    std::string sx, re;
    switch (r) {
      case 0: sx = "S"; re = "4"; break;
      case 1: sx = "1"; re = "   7"; break;
      case 2: sx = "2"; break;
      case 3: sx = "1"; break;
      default: sx = "sxg " + std::to_string(r - 4); re = "real " + std::to_string(r - 4);
    }
    PutRecord(f, r, r % 2 == 1, d, sx, re);
  }
  f.resize(records * kRec, '\0');
  return f;
}

Sxg GoldenSxg(int r) {
  Sxg s{};
  s.Neg = r % 2 == 1;
  for (int i = 0; i < 20; ++i) s.Digits.v[i] = static_cast<int16_t>((r + i) % 60);
  return s;
}

// The ten meaningful bytes of an x87 extended value, read from memory: the
// oracle for the explicit encoding (this machine stores it that way).
std::string RealBytes(long double x) {
  char b[sizeof(long double)];
  std::memcpy(b, &x, sizeof b);
  return std::string(b, 10);
}

// --- Comparing states ---

void ExpectSameState(const State& a, const State& b, const std::string& what = "") {
  SCOPED_TRACE(what);
  EXPECT_EQ(a.NumberMode, b.NumberMode);
  EXPECT_EQ(a.PrevSxgMode, b.PrevSxgMode);
  EXPECT_EQ(a.TrigMode, b.TrigMode);
  EXPECT_EQ(a.Base, b.Base);
  EXPECT_EQ(a.MemPtr, b.MemPtr);
  EXPECT_EQ(a.Menu_No, b.Menu_No);
  EXPECT_EQ(a.DisplayMode, b.DisplayMode);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(RealBytes(a.RealStack[i]), RealBytes(b.RealStack[i])) << "level " << i;
    EXPECT_TRUE(a.SxgStack[i] == b.SxgStack[i]) << "level " << i;
  }
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(RealBytes(a.RealMem[k]), RealBytes(b.RealMem[k])) << "register " << k;
    EXPECT_TRUE(a.SxgMem[k] == b.SxgMem[k]) << "register " << k;
    EXPECT_EQ(a.RealMemText[k].view(), b.RealMemText[k].view()) << "register " << k;
    EXPECT_EQ(a.SxgMemText[k].view(), b.SxgMemText[k].view()) << "register " << k;
  }
}

// A state far from the defaults, so that a load that changes anything shows.
State Sentinel() {
  State s;
  s.NumberMode = 'Z';
  s.PrevSxgMode = 'C';
  s.TrigMode = 1;
  s.Base = 321;
  s.MemPtr = 3;
  s.Menu_No = 3;
  s.DisplayMode = 1;
  for (int i = 0; i < 4; ++i) {
    s.RealStack[i] = 100 + i;
    s.SxgStack[i].Digits[1] = static_cast<int16_t>(10 + i);
  }
  for (int k = 0; k < 10; ++k) {
    s.RealMem[k] = -k - 0.5L;
    s.SxgMem[k].Digits[0] = static_cast<int16_t>(k + 1);
    s.SxgMemText[k].assign("kept");
  }
  return s;
}

Sxg RandomSxg(std::mt19937_64& g) {
  Sxg s{};
  for (int i = 0; i < 20; ++i) s.Digits.v[i] = static_cast<int16_t>(g() % 60);
  s.Neg = g() % 2;
  return s;
}

// Any finite x87 value in canonical form, from its bits.
long double RandomReal(std::mt19937_64& g) {
  uint64_t sig = g();
  int exp = static_cast<int>(g() % 0x8000);
  switch (g() % 8) {
    case 0: exp = 0; break;                  // denormals and zeros
    case 1: exp = 0x7FFE; break;             // the largest binades
    case 2: exp = 0x7FFE; sig = ~0ull; break;  // the largest finite magnitude
    default: break;
  }
  if (exp == 0)
    sig &= 0x7FFFFFFFFFFFFFFFu;
  else
    sig |= 0x8000000000000000u;
  char b[sizeof(long double)] = {};
  for (int i = 0; i < 8; ++i) b[i] = static_cast<char>(sig >> (8 * i));
  int se = exp | (g() % 2 ? 0x8000 : 0);
  b[8] = static_cast<char>(se & 0xFF);
  b[9] = static_cast<char>(se >> 8);
  long double x;
  std::memcpy(&x, b, sizeof x);
  return x;
}

std::string Text55(char c) { return std::string(55, c); }

struct DiskRig : Rig {
  DiskRig() { st().Use_Disk = true; }
};

// --- Round trip ---

TEST(SaveFile, RoundTripRestoresEveryValueAndSetting) {
  std::mt19937_64 g(20261211);
  const char modes[] = {'D', 'G', 'C', 'S', 'Z'};
  const int16_t bases[] = {1, 7, 10, 99, 360, 1000, 9999};
  for (int round = 0; round < 60; ++round) {
    DiskRig a;
    State& s = a.st();
    s.NumberMode = modes[round % 5];
    s.MemPtr = static_cast<int16_t>(round % 10);
    s.TrigMode = static_cast<int16_t>(round % 2);
    s.Base = bases[round % 7];
    s.Menu_No = static_cast<int16_t>(round % 4);
    s.DisplayMode = static_cast<int16_t>(round / 2 % 2);
    for (int i = 0; i < 4; ++i) {
      s.SxgStack[i] = RandomSxg(g);
      s.RealStack[i] = RandomReal(g);
    }
    for (int k = 0; k < 10; ++k) {
      s.SxgMem[k] = RandomSxg(g);
      s.RealMem[k] = RandomReal(g);
      std::string d, e;
      for (size_t n = g() % 56; n > 0; --n) d += static_cast<char>(g() % 256);
      for (size_t n = g() % 56; n > 0; --n) e += static_cast<char>(g() % 256);
      s.SxgMemText[k].assign(d);
      s.RealMemText[k].assign(e);
    }
    if (round == 0) {
      // The extremes: 59 in every place, both signs; the smallest denormal,
      // the largest finite value, minus zero; full-length descriptions.
      for (int i = 0; i < 20; ++i) s.SxgStack[0].Digits.v[i] = s.SxgMem[9].Digits.v[i] = 59;
      s.SxgStack[0].Neg = true;
      s.RealStack[0] = LDBL_TRUE_MIN;
      s.RealStack[1] = -LDBL_MAX;
      s.RealStack[2] = -0.0L;
      s.RealStack[3] = -LDBL_MIN;
      s.RealMem[0] = 1e18L - 1;
      s.RealMem[1] = std::nextafter(1.0L, 2.0L);
      s.SxgMemText[0].assign(Text55('x'));
      s.RealMemText[9].assign(Text55('\xDB'));
    }
    WriteSave(a.c);
    ASSERT_EQ(a.files.files.size(), 1u);
    ASSERT_EQ(a.files.files.begin()->second.size(), 14 * kRec);

    DiskRig b;
    b.files.files = a.files.files;
    ASSERT_TRUE(ReadSave(b.c)) << round;
    State expected = s;
    expected.PrevSxgMode = s.NumberMode == 'D' ? 'G' : s.NumberMode;
    ExpectSameState(b.st(), expected, "round " + std::to_string(round));
  }
}

TEST(SaveFile, WriterProducesTheLayoutByteForByte) {
  DiskRig a;
  State& s = a.st();
  s.NumberMode = 'S';
  s.MemPtr = 4;
  s.TrigMode = 1;
  s.Base = 7;
  s.Menu_No = 2;
  s.DisplayMode = 1;
  for (int r = 0; r < 14; ++r) {
    Sxg& v = r < 4 ? s.SxgStack[r] : s.SxgMem[r - 4];
    long double& x = r < 4 ? s.RealStack[r] : s.RealMem[r - 4];
    v = GoldenSxg(r);
    x = 1.0L;
    if (r >= 4) {
      s.SxgMemText[r - 4].assign("sxg " + std::to_string(r - 4));
      s.RealMemText[r - 4].assign("real " + std::to_string(r - 4));
    }
  }
  WriteSave(a.c);
  ASSERT_EQ(a.files.files.count("save.qn"), 1u);
  const std::string& got = a.files.files["save.qn"];
  std::string want = GoldenFile();
  // Only the meaningful bytes: the writer's padding is its own business.
  auto meaningful = [](std::string f) {
    for (size_t r = 0; r < 14; ++r) {
      size_t b = r * kRec;
      f[b + 1] = 0;
      for (size_t i = 42; i < 48; ++i) f[b + i] = 0;
      for (size_t i = 59 + static_cast<uint8_t>(f[b + 58]); i < 114; ++i) f[b + i] = 0;
      for (size_t i = 115 + static_cast<uint8_t>(f[b + 114]); i < 176; ++i) f[b + i] = 0;
    }
    return f;
  };
  ASSERT_EQ(got.size(), want.size());
  EXPECT_EQ(meaningful(got), meaningful(want));
  // Base 7 as three blanks and the digit.
  EXPECT_EQ(got.substr(kRec + 114, 5), std::string("\x04   7", 5));
}

TEST(SaveFile, RealValueBytesAreTheExtendedFormat) {
  std::mt19937_64 g(7);
  DiskRig a;
  for (int i = 0; i < 4; ++i) a.st().RealStack[i] = RandomReal(g);
  long double fixed[] = {0.0L, 1.0L, -2.5L, LDBL_TRUE_MIN, LDBL_MIN, LDBL_MAX, HUGE_VALL, -HUGE_VALL, 0.1L, 1e-4940L};
  for (int k = 0; k < 10; ++k) a.st().RealMem[k] = fixed[k];
  WriteSave(a.c);
  const std::string& f = a.files.files["save.qn"];
  for (int r = 0; r < 14; ++r) {
    long double x = r < 4 ? a.st().RealStack[r] : a.st().RealMem[r - 4];
    EXPECT_EQ(f.substr(r * kRec + 48, 10), RealBytes(x)) << "record " << r;
  }
}

// --- Reading files made here ---

TEST(SaveFile, GoldenFileIsReadAsCrafted) {
  DiskRig r;
  r.files.files["save.qn"] = GoldenFile();
  std::string& f = r.files.files["save.qn"];
  // A few special 80-bit values: -2.5, the smallest denormal, -2^-16382.
  PutReal(f, 0 * kRec + 48, 0xA000000000000000u, 0xC000);
  PutReal(f, 1 * kRec + 48, 1, 0x0000);
  PutReal(f, 2 * kRec + 48, 0x8000000000000000u, 0x8001);
  PutReal(f, 4 * kRec + 48, 0xFFFFFFFFFFFFFFFFu, 0x7FFE);  // the largest finite value
  ASSERT_TRUE(ReadSave(r.c));
  const State& s = r.st();
  EXPECT_EQ(s.NumberMode, 'S');
  EXPECT_EQ(s.PrevSxgMode, 'S');
  EXPECT_EQ(s.MemPtr, 4);
  EXPECT_EQ(s.TrigMode, 1);
  EXPECT_EQ(s.Base, 7);
  EXPECT_EQ(s.Menu_No, 2);
  EXPECT_EQ(s.DisplayMode, 1);
  EXPECT_EQ(s.RealStack[0], -2.5L);
  EXPECT_EQ(s.RealStack[1], LDBL_TRUE_MIN);
  EXPECT_EQ(s.RealStack[2], -LDBL_MIN);
  EXPECT_EQ(s.RealStack[3], 1.0L);
  EXPECT_EQ(s.RealMem[0], LDBL_MAX);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(s.SxgStack[i] == GoldenSxg(i)) << i;
  for (int k = 0; k < 10; ++k) {
    EXPECT_TRUE(s.SxgMem[k] == GoldenSxg(k + 4)) << k;
    EXPECT_EQ(s.SxgMemText[k].view(), "sxg " + std::to_string(k));
    EXPECT_EQ(s.RealMemText[k].view(), "real " + std::to_string(k));
  }
  EXPECT_EQ(r.files.files.at("save.qn"), f) << "reading changes nothing";
}

TEST(SaveFile, PrevSxgModeAfterLoadIsTheLoadedSexagesimalModeElseGreek) {
  for (char m : {'C', 'D', 'G', 'S', 'Z'}) {
    DiskRig r;
    r.st().PrevSxgMode = 'Z';
    r.files.files["SAVE.QN"] = GoldenFile();
    r.files.files["SAVE.QN"][59] = m;
    ASSERT_TRUE(ReadSave(r.c)) << m;
    EXPECT_EQ(r.st().NumberMode, m);
    EXPECT_EQ(r.st().PrevSxgMode, m == 'D' ? 'G' : m);
  }
}

// One change to the golden file and whether it still loads.
struct Edit {
  const char* what;
  void (*apply)(std::string& f);
  bool loads;
};

void SetText(std::string& f, int rec, bool real_text, std::string_view t) {
  PutText(f, rec * kRec + (real_text ? 114 : 58), t);
}

const Edit kEdits[] = {
    {"unchanged", [](std::string&) {}, true},
    {"mode g in lower case", [](std::string& f) { SetText(f, 0, false, "g"); }, false},
    {"mode X", [](std::string& f) { SetText(f, 0, false, "X"); }, false},
    {"mode text empty", [](std::string& f) { SetText(f, 0, false, ""); }, false},
    {"MemPtr 10", [](std::string& f) { SetText(f, 0, true, "10"); }, false},
    {"MemPtr -1", [](std::string& f) { SetText(f, 0, true, "-1"); }, false},
    {"MemPtr 9", [](std::string& f) { SetText(f, 0, true, "9"); }, true},
    {"MemPtr with leading blanks", [](std::string& f) { SetText(f, 0, true, "  0"); }, true},
    {"MemPtr with a trailing blank", [](std::string& f) { SetText(f, 0, true, "5 "); }, false},
    {"MemPtr empty", [](std::string& f) { SetText(f, 0, true, ""); }, false},
    {"MemPtr only blanks", [](std::string& f) { SetText(f, 0, true, "   "); }, false},
    {"MemPtr not a number", [](std::string& f) { SetText(f, 0, true, "x"); }, false},
    {"MemPtr huge", [](std::string& f) { SetText(f, 0, true, "99999999999999999999"); }, false},
    {"TrigMode 2", [](std::string& f) { SetText(f, 1, false, "2"); }, false},
    {"TrigMode 0", [](std::string& f) { SetText(f, 1, false, "0"); }, true},
    {"Base 0", [](std::string& f) { SetText(f, 1, true, "   0"); }, false},
    {"Base 10000", [](std::string& f) { SetText(f, 1, true, "10000"); }, false},
    {"Base 9999", [](std::string& f) { SetText(f, 1, true, "9999"); }, true},
    {"Base 1 without blanks", [](std::string& f) { SetText(f, 1, true, "1"); }, true},
    {"Menu_No 4", [](std::string& f) { SetText(f, 2, false, "4"); }, false},
    {"Menu_No 0", [](std::string& f) { SetText(f, 2, false, "0"); }, true},
    {"record 2 RealText is not read", [](std::string& f) { SetText(f, 2, true, "junk"); }, true},
    {"DisplayMode empty", [](std::string& f) { SetText(f, 3, false, ""); }, true},
    {"DisplayMode 2", [](std::string& f) { SetText(f, 3, false, "2"); }, false},
    {"13 records", [](std::string& f) { f.resize(13 * kRec); }, false},
    {"truncated inside the last record", [](std::string& f) { f.resize(14 * kRec - 1); }, false},
    {"empty file", [](std::string& f) { f.clear(); }, false},
    {"15 records", [](std::string& f) { f += std::string(kRec, '\xFF'); }, true},
    {"text length 56", [](std::string& f) { f[9 * kRec + 58] = 56; }, false},
    {"text length 255", [](std::string& f) { f[13 * kRec + 114] = '\xFF'; }, false},
    {"text length 55", [](std::string& f) { SetText(f, 13, true, Text55('d')); }, true},
    {"digit 60", [](std::string& f) { Put16(f, 5 * kRec + 2 + 2 * 10, 60); }, false},
    {"overflow mark in place -4", [](std::string& f) { Put16(f, 0 * kRec + 2, 60); }, false},
    {"digit -1", [](std::string& f) { Put16(f, 13 * kRec + 2 + 2 * 19, -1); }, false},
    {"digit 59", [](std::string& f) { Put16(f, 13 * kRec + 2 + 2 * 19, 59); }, true},
    {"Neg byte 2", [](std::string& f) { f[3 * kRec] = 2; }, false},
    {"Neg byte 0xFF in a register", [](std::string& f) { f[12 * kRec] = '\xFF'; }, false},
    {"infinite decimal value", [](std::string& f) { PutReal(f, 6 * kRec + 48, 0x8000000000000000u, 0xFFFF); }, false},
    {"decimal NaN", [](std::string& f) { PutReal(f, 1 * kRec + 48, 0xC000000000000000u, 0x7FFF); }, false},
};

TEST(SaveFile, ValidityRules) {
  for (const Edit& e : kEdits) {
    DiskRig r;
    r.st() = Sentinel();
    r.st().Use_Disk = true;
    std::string f = GoldenFile();
    e.apply(f);
    r.files.files["SAVE.QN"] = f;
    EXPECT_EQ(ReadSave(r.c), e.loads) << e.what;
    EXPECT_EQ(r.files.files.size(), 1u) << e.what;
    EXPECT_EQ(r.files.files["SAVE.QN"], f) << e.what << ": a load never changes the file";
    if (!e.loads) ExpectSameState(r.st(), Sentinel(), std::string(e.what) + ": nothing read");
  }
}

TEST(SaveFile, SettingValuesOfTheEditedFiles) {
  DiskRig r;
  std::string f = GoldenFile();
  SetText(f, 3, false, "");
  SetText(f, 0, true, "  9");
  SetText(f, 1, true, "9999");
  r.files.files["save.qn"] = f;
  ASSERT_TRUE(ReadSave(r.c));
  EXPECT_EQ(r.st().DisplayMode, 0);
  EXPECT_EQ(r.st().MemPtr, 9);
  EXPECT_EQ(r.st().Base, 9999);
}

TEST(SaveFile, InitializeFallsBackToEveryDefault) {
  for (bool present : {false, true}) {
    DiskRig r;
    r.st() = Sentinel();
    r.st().Use_Disk = true;
    if (present) r.files.files["SAVE.QN"] = GoldenFile(13);
    Initialize(r.c);
    State defaults;
    ExpectSameState(r.st(), defaults, present ? "13 records" : "no file");
    EXPECT_TRUE(r.st().Use_Disk);
  }
  // With "/n" a valid file is not even looked at.
  Rig r;
  r.files.files["SAVE.QN"] = GoldenFile();
  Initialize(r.c);
  EXPECT_EQ(r.st().NumberMode, 'G');
}

TEST(SaveFile, UnreadableFileGivesTheDefaults) {
  DiskRig r;
  r.files.files["SAVE.QN"] = GoldenFile();
  r.files.fail_read = true;
  EXPECT_FALSE(ReadSave(r.c));
}

// --- Names ---

TEST(SaveFile, NameMatchedRegardlessOfCase) {
  for (const char* name : {"save.qn", "SAVE.QN", "Save.Qn"}) {
    DiskRig r;
    r.files.files[name] = GoldenFile();
    r.files.files["other"] = "x";
    ASSERT_TRUE(ReadSave(r.c)) << name;
    r.st().Base = 42;
    WriteSave(r.c);
    EXPECT_EQ(r.files.files.size(), 2u) << name << ": replaced in place, no second file";
    ASSERT_EQ(r.files.files.count(name), 1u);
    DiskRig again;
    again.files.files = r.files.files;
    ASSERT_TRUE(ReadSave(again.c));
    EXPECT_EQ(again.st().Base, 42);
  }
  DiskRig fresh;
  WriteSave(fresh.c);
  ASSERT_EQ(fresh.files.files.size(), 1u);
  EXPECT_EQ(fresh.files.files.begin()->first, "save.qn");
}

TEST(SaveFile, NoFileSystemMeansNoFile) {
  Rig r;
  r.con.files = nullptr;
  EXPECT_FALSE(ReadSave(r.c));
  WriteSave(r.c);  // nothing to write to, nothing happens
}

// --- Replacement that never loses the previous file ---

TEST(SaveFile, FailedWriteLeavesThePreviousFileByteForByte) {
  const std::string previous = GoldenFile();
  enum Fault { Write, Rename, Flush, Create };
  struct Case {
    Fault fault;
    int record;
  };
  std::vector<Case> cases;
  for (int k = 0; k < 14; ++k) cases.push_back({Write, k});
  cases.push_back({Rename, 0});
  cases.push_back({Flush, 0});
  cases.push_back({Create, 0});
  for (const Case& k : cases) {
    DiskRig r;
    r.files.files["SAVE.QN"] = previous;
    ASSERT_TRUE(ReadSave(r.c));
    r.st().RealStack[0] = 12345;
    r.st().SxgMemText[9].assign("changed");
    switch (k.fault) {
      case Write: r.files.fail_write_at = k.record; break;
      case Rename: r.files.fail_rename = true; break;
      case Flush: r.files.fail_flush = true; break;
      case Create: r.files.fail_create = true; break;
    }
    WriteSave(r.c);
    ASSERT_EQ(r.files.files.size(), 1u) << "fault " << k.fault << " at record " << k.record
                                        << ": no temporary file left";
    EXPECT_EQ(r.files.files.at("SAVE.QN"), previous) << "fault " << k.fault << " at " << k.record;
  }
}

TEST(SaveFile, FailedFirstWriteLeavesNoFileAtAll) {
  DiskRig r;
  r.files.fail_write_at = 3;
  WriteSave(r.c);
  EXPECT_TRUE(r.files.files.empty());
}

TEST(SaveFile, FileThatFailedToLoadIsKeptAsSaveBad) {
  // An older SAVE.BAD in another spelling is replaced.
  std::string broken = GoldenFile(13);
  DiskRig r;
  r.files.files["Save.Qn"] = broken;
  r.files.files["save.bad"] = "older";
  r.keys.Type("\r");  // start-up screen: ENTER
  r.keys.Type("7\r");
  RunProgram(r.c);  // keys run out: the program ends as with Q
  EXPECT_EQ(r.files.files.size(), 2u);
  ASSERT_EQ(r.files.files.count("SAVE.BAD"), 1u);
  EXPECT_EQ(r.files.files["SAVE.BAD"], broken);
  ASSERT_EQ(r.files.files.count("Save.Qn"), 1u);
  DiskRig next;
  next.files.files = r.files.files;
  EXPECT_TRUE(ReadSave(next.c)) << "the new state file is valid";

  // When the bad file cannot be moved aside, it is left alone.
  DiskRig stuck;
  stuck.files.files["SAVE.QN"] = "garbage";
  stuck.files.fail_rename = true;
  WriteSave(stuck.c);
  EXPECT_EQ(stuck.files.files.size(), 1u);
  EXPECT_EQ(stuck.files.files["SAVE.QN"], "garbage");
}

TEST(SaveFile, ValidFileIsReplacedWithoutSaveBad) {
  DiskRig r;
  r.files.files["SAVE.QN"] = GoldenFile(15);
  WriteSave(r.c);
  EXPECT_EQ(r.files.files.size(), 1u);
  EXPECT_EQ(r.files.files["SAVE.QN"].size(), 14 * kRec);
}

// The program as a whole: what one run leaves, the next one finds.
TEST(SaveFile, StateSurvivesFromOneRunToTheNext) {
  DiskRig first;
  first.keys.Type("\r");  // start-up screen
  first.keys.Type("1;30\r2.5\r");
  first.keys.Type("ST3");  // store X in register 3
  first.keys.Ext(scan::AltD);
  first.keys.Type("3kept text\r");
  first.keys.Type("Q");
  RunProgram(first.c);
  ASSERT_EQ(first.files.files.count("save.qn"), 1u);
  ASSERT_EQ(first.st().RealMemText[3].view(), "kept text") << "the keys did what they should";
  ASSERT_EQ(first.st().NumberMode, 'D');
  ASSERT_EQ(first.st().RealStack[0], 2.5L);

  DiskRig second;
  second.files.files = first.files.files;
  second.keys.Type("\r");
  RunProgram(second.c);
  ExpectSameState(second.st(), first.st());
  EXPECT_EQ(second.st().RealMem[3], 2.5L);
}

TEST(SaveFile, NoDiskMeansNoFileWrittenAtTheEnd) {
  Rig r;
  r.files.files["SAVE.QN"] = GoldenFile();
  r.keys.Type("\r5\rQ");
  RunProgram(r.c);
  EXPECT_EQ(r.files.files.size(), 1u);
  EXPECT_EQ(r.files.files["SAVE.QN"], GoldenFile());
  // Quitting at the start-up screen neither reads nor writes.
  DiskRig q;
  q.keys.Type("q");
  RunProgram(q.c);
  EXPECT_TRUE(q.files.files.empty());
}

}  // namespace
}  // namespace qirn::test

namespace qirn::test {
namespace {

TEST(SaveFile, ANegativeZeroIsReadAsZero) {
  DiskRig r;
  std::string f = GoldenFile();
  f[5 * kRec] = 1;  // Neg set on register 1 ...
  for (int i = 0; i < 20; ++i) Put16(f, 5 * kRec + 2 + 2 * i, 0);  // ... whose places are all 0
  r.files.files["save.qn"] = f;
  ASSERT_TRUE(ReadSave(r.c));
  EXPECT_FALSE(r.st().SxgMem[1].Neg);
  EXPECT_TRUE(IsZero(r.st().SxgMem[1]));
}

}  // namespace
}  // namespace qirn::test
