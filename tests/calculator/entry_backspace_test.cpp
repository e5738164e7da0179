// Backspace over every kind of character gives back exactly the entry that
// stood before it was typed: every continuation of one or two keys then
// behaves as it would have without the character and its erasure.
#include <gtest/gtest.h>

#include <string>

#include "calculator/entry_support.h"

namespace qirn::test {
namespace {

// Hands out a script and notes the input line when the last key is asked
// for, so one run shows both the line before the end and the value after it.
class SnapshotKeys : public KeySource {
 public:
  SnapshotKeys(ScriptedKeys& inner, EntryRig& r) : inner_(inner), r_(r) {}
  Key ReadKey() override {
    if (inner_.Remaining() == 1) echo = r_.SignColumn() + r_.Echo();
    return inner_.ReadKey();
  }
  std::string echo;

 private:
  ScriptedKeys& inner_;
  EntryRig& r_;
};

struct Outcome {
  std::string echo;  // sign column and echo before ENTER
  int tones;
  Sxg sxg;
  long double real;
  char mode;
  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  return os << "echo \"" << o.echo << "\" tones " << o.tones << " X " << Notation(o.sxg) << " / "
            << static_cast<double>(o.real) << " mode " << o.mode;
}

Outcome Try(char mode, const std::string& keys) {
  EntryRig r(mode);
  r.keys.Type(keys);
  r.keys.Type("\r");
  SnapshotKeys snap(r.keys, r);
  r.con.keys = &snap;
  r.Run();
  return {snap.echo, r.tone.count, r.st().SxgStack[0], r.st().RealStack[0], r.st().NumberMode};
}

struct Erasure {
  char mode;
  const char* before;  // the entry so far
  char typed;          // accepted, then erased
};

void PrintTo(const Erasure& e, std::ostream* os) { *os << e.mode << " \"" << e.before << "\" + " << e.typed; }

class BackspaceRestores : public ::testing::TestWithParam<Erasure> {};

TEST_P(BackspaceRestores, EveryContinuationBehavesAsBefore) {
  const Erasure& e = GetParam();
  const std::string before = e.before;
  const std::string erased = before + e.typed + '\b';
  ASSERT_EQ(Try(e.mode, erased), Try(e.mode, before)) << "the character or its erasure was refused";
  static constexpr std::string_view kProbe = "05963.,;DFRS\b";
  for (char k1 : kProbe) {
    ASSERT_EQ(Try(e.mode, erased + k1), Try(e.mode, before + k1)) << before << " + " << e.typed << " then " << k1;
    for (char k2 : kProbe) {
      const std::string cont{k1, k2};
      ASSERT_EQ(Try(e.mode, erased + cont), Try(e.mode, before + cont))
          << before << " + " << e.typed << " then " << k1 << k2;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, BackspaceRestores,
    ::testing::Values(
        // digits of the whole number, of the decimal fraction and of a place
        Erasure{'G', "12", '3'}, Erasure{'G', "1.2", '3'}, Erasure{'G', "1;2", '3'}, Erasure{'G', "5D2", '3'},
        // the point, also typed with no digit left
        Erasure{'G', "1", '.'}, Erasure{'G', "1\b", '.'},
        // commas: after the first integer place, later integer places, fen and fraction places
        Erasure{'G', "1", ','}, Erasure{'G', "1,2", ','}, Erasure{'G', "1,2,3,4", ','}, Erasure{'G', "5D", ','},
        Erasure{'G', "5D2,46", ','}, Erasure{'G', "1;2", ','}, Erasure{'G', "5D2F3", ','},
        // semicolons in the Greek, sexagesimal and zodiacal notations, and in the fen places
        Erasure{'G', "12", ';'}, Erasure{'G', "1,30", ';'}, Erasure{'S', "5", ';'}, Erasure{'S', "1,5", ';'},
        Erasure{'G', "2R5", ';'}, Erasure{'G', "3S15", ';'}, Erasure{'G', "3S5", ';'}, Erasure{'G', "2R5S1", ';'}, Erasure{'G', "5D2", ';'},
        // the markers
        Erasure{'G', "12", 'D'}, Erasure{'G', "12", 'R'}, Erasure{'G', "3", 'S'}, Erasure{'G', "2R5", 'S'},
        Erasure{'G', "12", 'F'}, Erasure{'G', "1,30", 'F'}, Erasure{'G', "1,2,30", 'F'}, Erasure{'G', "5D2,46", 'F'},
        Erasure{'G', "5D", 'F'}, Erasure{'D', "12", 'D'}, Erasure{'D', "1,30", 'F'}));

}  // namespace
}  // namespace qirn::test
