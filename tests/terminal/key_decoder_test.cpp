// The key decoder against byte sequences as real terminals send them (xterm,
// rxvt, the Linux console, tmux, GNOME Terminal/VTE, Konsole), including the
// time gaps that separate an ESC key from an Alt prefix.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "terminal/key_decoder.h"

namespace qirn {
namespace {

// One burst of input: `gap` ms of silence, then `bytes` as one read.
struct Burst {
  int gap;
  std::string bytes;
};

struct Case {
  const char* name;
  std::vector<Burst> input;
  std::vector<Key> keys;
};

Key K(uint8_t ch) { return Key{ch, 0}; }
Key X(uint8_t scan) { return Key{0, scan}; }
std::vector<Key> Text(std::string_view s) {
  std::vector<Key> v;
  for (char c : s) v.push_back(K(static_cast<uint8_t>(c)));
  return v;
}
std::vector<Key> Cat(std::vector<Key> a, const std::vector<Key>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<Key> Decode(const Case& c) {
  KeyDecoder d;
  std::vector<Key> out;
  for (const Burst& b : c.input) {
    if (b.gap > 0) d.Idle(b.gap, out);
    d.Feed(b.bytes, out);
  }
  d.Idle(10000, out);  // the input ends: whatever is pending resolves
  return out;
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      // Plain keys.
      {"printable", {{0, "12;30+q"}}, Text("12;30+q")},
      {"enter as CR", {{0, "\r"}}, {K(13)}},
      {"enter as LF", {{0, "\n"}}, {K(13)}},
      {"backspace as DEL", {{0, "\x7f"}}, {K(8)}},
      {"backspace as BS", {{0, "\b"}}, {K(8)}},
      {"ctrl letters pass", {{0, "\x01\x1a\x03"}}, {K(1), K(26), K(3)}},
      {"NUL dropped", {{0, std::string("a\0b", 3)}}, Text("ab")},

      // ESC alone versus the Alt prefix, around the 50 ms boundary.
      {"ESC alone", {{0, "\x1b"}}, {K(27)}},
      {"ESC then letter after the timeout", {{0, "\x1b"}, {50, "q"}}, {K(27), K('q')}},
      {"ESC then letter just inside the timeout", {{0, "\x1b"}, {49, "q"}}, {X(16)}},
      {"Alt+letter in one read", {{0, "\x1bq"}}, {X(16)}},
      {"Alt+capital letter", {{0, "\x1bQ"}}, {X(16)}},
      {"Alt+S Alt+D Alt+M Alt+C Alt+V Alt+T Alt+Y Alt+Z Alt+P",
       {{0, "\x1bs\x1b" "d\x1bm\x1b" "c\x1bv\x1bt\x1by\x1bz\x1bp"}},
       {X(31), X(32), X(50), X(46), X(47), X(20), X(21), X(44), X(25)}},
      {"ESC ESC", {{0, "\x1b\x1b"}}, {K(27), K(27)}},
      {"Alt+digit has no meaning", {{0, "\x1b" "1x"}}, {K('x')}},
      {"Alt+Shift+O alone", {{0, "\x1bO"}}, {X(24)}},
      {"Alt+[ alone swallowed", {{0, "\x1b["}, {60, "a"}}, {K('a')}},

      // Function keys in the xterm, rxvt and Linux console forms.
      {"F1-F4 xterm SS3",
       {{0, "\x1bOP\x1bOQ\x1bOR\x1bOS"}},
       {X(59), X(60), X(61), X(62)}},
      {"F1-F5 rxvt/vt220",
       {{0, "\x1b[11~\x1b[12~\x1b[13~\x1b[14~\x1b[15~"}},
       {X(59), X(60), X(61), X(62), X(63)}},
      {"F1-F5 Linux console",
       {{0, "\x1b[[A\x1b[[B\x1b[[C\x1b[[D\x1b[[E"}},
       {X(59), X(60), X(61), X(62), X(63)}},
      {"F5-F10",
       {{0, "\x1b[15~\x1b[17~\x1b[18~\x1b[19~\x1b[20~\x1b[21~"}},
       {X(63), X(64), X(65), X(66), X(67), X(68)}},
      {"F1 split across reads", {{0, "\x1bO"}, {10, "P"}}, {X(59)}},
      {"F10 split across reads", {{0, "\x1b[2"}, {200, "1~"}}, {X(68)}},
      {"modified F-keys swallowed", {{0, "\x1b[1;2P\x1b[15;5~\x1bO5P\x1b[11^x"}}, {K('x')}},

      // Arrows with and without modifiers.
      {"arrows CSI", {{0, "\x1b[A\x1b[B"}}, {X(72), X(80)}},
      {"arrows SS3", {{0, "\x1bOA\x1bOB"}}, {X(72), X(80)}},
      {"arrows with Ctrl, Shift, Alt",
       {{0, "\x1b[1;5A\x1b[1;2B\x1b[1;3A\x1b[1;6B"}},
       {X(72), X(80), X(72), X(80)}},
      {"rxvt modified arrows", {{0, "\x1b[a\x1bOb"}}, {X(72), X(80)}},
      {"other editing keys",
       {{0, "\x1b[D\x1b[C\x1b[H\x1b[F\x1b[5~\x1b[6~\x1b[2~\x1b[3~"}},
       {X(75), X(77), X(71), X(79), X(73), X(81), X(82), X(83)}},
      {"keypad application mode", {{0, "\x1bOq\x1bOk\x1bOM"}}, {K('1'), K('+'), K(13)}},

      // Sequences not in the table vanish whole.
      {"unknown CSI", {{0, "\x1b[99~7"}}, {K('7')}},
      {"private CSI (focus, reports)", {{0, "\x1b[?1;2c\x1b[I\x1b[O8"}}, {K('8')}},
      {"kitty-style CSI u", {{0, "\x1b[97;5u9"}}, {K('9')}},
      {"long parameter run", {{0, "\x1b[" + std::string(100, '1') + "~z"}}, {K('z')}},
      {"sequence broken by ESC", {{0, "\x1b[1;\x1b[A"}}, {X(72)}},
      {"sequence broken by a control", {{0, "\x1b[1\r"}}, {K(13)}},
      {"unfinished sequence times out", {{0, "\x1b[1;5"}, {600, "5"}}, {K('5')}},

      // UTF-8 input.
      {"accented letters", {{0, "\xc3\xa9\xc3\xbc\xc3\x87"}}, {K(130), K(129), K(128)}},
      {"degree sign and pi", {{0, "\xc2\xb0\xcf\x80"}}, {K(248), K(227)}},
      {"box drawing", {{0, "\xe2\x95\x94"}}, {K(201)}},
      {"no code page character: dropped", {{0, "a\xe2\x82\xac" "b\xf0\x9f\x98\x80" "c"}}, Text("abc")},
      {"a smiley is no control key", {{0, "\xe2\x98\xba"}}, {}},
      {"character split across reads", {{0, "\xc3"}, {5, "\xa9"}}, {K(130)}},
      {"stray continuation bytes", {{0, "\x80\xbf" "a"}}, Text("a")},

      // 8-bit meta where it cannot be a character.
      {"meta byte that is no UTF-8 lead", {{0, "\xc1\xf3"}}, {X(30), X(31)}},
      {"meta letter lead byte alone", {{0, "\xe4"}}, {X(32)}},
      {"meta letter lead byte then ASCII", {{0, "\xf3x"}}, {X(31), K('x')}},
      {"meta: non-letter dropped", {{0, "\xb1y"}}, {K('y')}},
      {"meta letters one after another", {{0, "\xe4\xf3\xe8"}}, {X(32), X(31), X(35)}},
      {"a meta letter then a character", {{0, "\xf3\xc3\xa9"}}, {X(31), K(130)}},

      // Bracketed paste.
      {"paste", {{0, "\x1b[200~1;30\r\x1b[201~"}}, Cat(Text("1;30"), {K(13)})},
      {"paste with CR LF", {{0, "\x1b[200~1\r\n2\n\x1b[201~"}}, {K('1'), K(13), K('2'), K(13)}},
      {"ESC inside paste dropped", {{0, "\x1b[200~a\x1b" "b\x1b[2c\x1b[201~"}}, Text("ab[2c")},
      {"controls inside paste dropped", {{0, "\x1b[200~a\x03\x1a\x7f\tb\x1b[201~"}}, Text("ab")},
      {"paste markers split", {{0, "\x1b[20"}, {5, "0~x\x1b[2"}, {5, "01~y"}}, Text("xy")},
      {"UTF-8 inside paste", {{0, "\x1b[200~caf\xc3\xa9\x1b[201~"}}, {K('c'), K('a'), K('f'), K(130)}},
      {"no meta inside paste", {{0, "\x1b[200~\xe4q\x1b[201~"}}, Text("q")},
      {"keys after the paste as usual", {{0, "\x1b[200~7\x1b[201~\x1bOP\x1b"}}, {K('7'), X(59), K(27)}},
      {"stray paste end ignored", {{0, "\x1b[201~5"}}, {K('5')}},
  };
  return cases;
}

TEST(KeyDecoder, TableOfTerminalInput) {
  for (const Case& c : Cases()) {
    std::vector<Key> got = Decode(c);
    ASSERT_EQ(got.size(), c.keys.size()) << c.name;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].ch, c.keys[i].ch) << c.name << " key " << i;
      EXPECT_EQ(got[i].scan, c.keys[i].scan) << c.name << " key " << i;
    }
  }
}

// Every byte split gives the same keys when the pieces follow each other
// without a pause.
TEST(KeyDecoder, SplitReadsGiveTheSameKeys) {
  const std::string input =
      "1;30\x1b[1;5A\x1bOP\x1b[[C\x1bq\xc3\xa9\x1b[200~2,5\x1b[201~\x1b[21~";
  KeyDecoder whole;
  std::vector<Key> expected;
  whole.Feed(input, expected);
  whole.Idle(1000, expected);
  for (size_t cut = 1; cut < input.size(); ++cut) {
    KeyDecoder d;
    std::vector<Key> got;
    d.Feed(input.substr(0, cut), got);
    d.Idle(1, got);
    d.Feed(input.substr(cut), got);
    d.Idle(1000, got);
    EXPECT_EQ(got, expected) << "cut at " << cut;
  }
}

TEST(KeyDecoder, TimeoutOnlyWhileSomethingIsPending) {
  KeyDecoder d;
  std::vector<Key> out;
  EXPECT_EQ(d.PendingTimeout(), -1);
  d.Feed("\x1b", out);
  EXPECT_EQ(d.PendingTimeout(), KeyDecoder::kEscTimeoutMs);
  d.Idle(KeyDecoder::kEscTimeoutMs - 1, out);
  EXPECT_TRUE(out.empty());
  d.Idle(KeyDecoder::kEscTimeoutMs, out);
  EXPECT_EQ(out, (std::vector<Key>{K(27)}));
  EXPECT_EQ(d.PendingTimeout(), -1);
  d.Feed("\x1b[200~", out);
  EXPECT_EQ(d.PendingTimeout(), -1);  // a paste waits as long as it takes
}

// Random bytes, with pieces of real sequences mixed in: every key is a
// character or a known extended key, never an extended key without a scan
// code, and nothing stays pending once the input has been idle long enough.
TEST(KeyDecoder, RandomInputGivesOnlyWellFormedKeys) {
  std::set<uint8_t> known = {59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 71, 72, 73, 75,
                             77, 79, 80, 81, 82, 83, 133, 134};
  for (char c = 'A'; c <= 'Z'; ++c) known.insert(AltScanOf(c));
  const std::string pieces[] = {"\x1b", "[", "O", "1;5", "~", "200~", "201~", "A", "\xc3",
                                "\xa9", "\xe2\x95", ";", "[", "\r"};
  std::mt19937 rng(2026);
  for (int run = 0; run < 2000; ++run) {
    KeyDecoder d;
    std::vector<Key> out;
    for (int i = 0; i < 40; ++i) {
      std::string bytes;
      if (rng() % 2)
        bytes = pieces[rng() % std::size(pieces)];
      else
        bytes = std::string(1, static_cast<char>(rng() % 256));
      if (rng() % 4 == 0) d.Idle(static_cast<int>(rng() % 80), out);
      d.Feed(bytes, out);
    }
    d.Feed("\x1b[201~", out);  // ends a paste left open
    d.Idle(KeyDecoder::kSequenceTimeoutMs, out);
    EXPECT_EQ(d.PendingTimeout(), -1) << run;
    for (const Key& k : out) {
      if (k.ch == 0) {
        ASSERT_TRUE(known.count(k.scan)) << "run " << run << " scan " << int(k.scan);
      } else {
        ASSERT_EQ(k.scan, 0) << run;
      }
    }
  }
}

TEST(KeyDecoder, AltScanCodesOfEveryLetter) {
  const std::string letters = "QWERTYUIOPASDFGHJKLZXCVBNM";
  const uint8_t scans[] = {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 30, 31, 32,
                           33, 34, 35, 36, 37, 38, 44, 45, 46, 47, 48, 49, 50};
  for (size_t i = 0; i < letters.size(); ++i) {
    EXPECT_EQ(AltScanOf(letters[i]), scans[i]) << letters[i];
    EXPECT_EQ(AltScanOf(static_cast<char>(letters[i] - 'A' + 'a')), scans[i]) << letters[i];
  }
  EXPECT_EQ(AltScanOf('1'), 0);
}

}  // namespace
}  // namespace qirn
