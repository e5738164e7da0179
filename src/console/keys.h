// Keys as the calculator sees them: one character, or character 0 followed by
// a PC keyboard scan code for an extended key (function keys, Alt+letter,
// arrows). A key source delivers them one at a time, blocking.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace qirn {

struct Key {
  uint8_t ch = 0;    // the character; 0 for an extended key
  uint8_t scan = 0;  // the scan code when ch is 0
  friend bool operator==(const Key&, const Key&) = default;
};

// Thrown by a key source that will deliver no more keys (script exhausted,
// terminal gone, termination requested). The program frame catches it and
// ends as if the user had typed Q.
struct InputClosed {};

class KeySource {
 public:
  virtual ~KeySource() = default;
  // Blocks until a key is available and returns it whole; throws InputClosed
  // when no key will ever come.
  virtual Key ReadKey() = 0;
};

// Keys from a list, for tests and replays; throws InputClosed at the end.
class ScriptedKeys : public KeySource {
 public:
  ScriptedKeys() = default;
  explicit ScriptedKeys(std::vector<Key> keys) : keys_(std::move(keys)) {}
  Key ReadKey() override {
    if (pos_ >= keys_.size()) throw InputClosed{};
    return keys_[pos_++];
  }
  void Add(Key k) { keys_.push_back(k); }
  // Each character of text as one key ("\r" is ENTER, "\x1b" ESC, "\b" backspace).
  void Type(std::string_view text) {
    for (char c : text) keys_.push_back(Key{static_cast<uint8_t>(c), 0});
  }
  void Ext(uint8_t scan) { keys_.push_back(Key{0, scan}); }
  size_t Remaining() const { return keys_.size() - pos_; }
  size_t Consumed() const { return pos_; }

 private:
  std::vector<Key> keys_;
  size_t pos_ = 0;
};

// Scan codes of the extended keys the calculator knows.
namespace scan {
inline constexpr uint8_t AltT = 20, AltY = 21, AltP = 25, AltS = 31, AltD = 32, AltZ = 44,
                         AltC = 46, AltV = 47, AltM = 50, F1 = 59, F2 = 60, F3 = 61, F4 = 62,
                         F5 = 63, F10 = 68, Up = 72, Down = 80;
}

// Reads one key. ext is written only for an extended key (ch 0); for any
// other key it keeps what it held.
inline void MyReadKey(KeySource& keys, uint8_t& ch, uint8_t& ext) {
  Key k = keys.ReadKey();
  ch = k.ch;
  if (k.ch == 0) ext = k.scan;
}

// As MyReadKey, with the letters a..z upper-cased.
inline void ReadUpChar(KeySource& keys, uint8_t& ch, uint8_t& ext) {
  MyReadKey(keys, ch, ext);
  if (ch >= 'a' && ch <= 'z') ch = static_cast<uint8_t>(ch - 'a' + 'A');
}

}  // namespace qirn
