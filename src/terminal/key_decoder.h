// Terminal input bytes to PC keys. A pure state machine: it is fed bytes and
// told how long the input has been idle, and it produces keys; it never reads
// or waits itself. Escape sequences are looked up in one table; a sequence
// that is not in it is swallowed whole, so no part of it arrives as typed
// characters.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "console/keys.h"

namespace qirn {

class KeyDecoder {
 public:
  // An ESC with nothing after it for this long is the ESC key, not the start
  // of an Alt combination or an escape sequence.
  static constexpr int kEscTimeoutMs = 50;
  // A sequence already under way waits this long for its remaining bytes.
  static constexpr int kSequenceTimeoutMs = 500;

  // Input is read as UTF-8 whatever the locale, since terminals send UTF-8
  // even where the program's locale says C. A byte from 0x80 that cannot be
  // part of a UTF-8 character is an 8-bit meta key (Alt setting the high bit).

  void Feed(std::string_view bytes, std::vector<Key>& out);
  // ms milliseconds have passed with no input since the last Feed; resolves
  // what is pending once its timeout has run out.
  void Idle(int ms, std::vector<Key>& out);
  // How long to wait for more input before calling Idle; -1: nothing pending.
  int PendingTimeout() const;

 private:
  enum class State { Ground, Esc, Csi, Ss3, LinuxFn };

  void Byte(uint8_t b, std::vector<Key>& out);
  void Ground(uint8_t b, std::vector<Key>& out);
  void AfterEsc(uint8_t b, std::vector<Key>& out);
  void Sequence(uint8_t b, std::vector<Key>& out);
  void Finish(char intro, char final, std::vector<Key>& out);
  void PasteByte(uint8_t b, std::vector<Key>& out);
  void PasteText(uint8_t b, std::vector<Key>& out);
  void StartUtf8(uint8_t lead, std::vector<Key>& out);
  void Utf8Byte(uint8_t b, std::vector<Key>& out);
  void AbandonUtf8(std::vector<Key>& out);
  void AbandonPasteEnd(std::vector<Key>& out);
  void Meta(uint8_t b, std::vector<Key>& out);

  State state_ = State::Ground;
  std::string params_;  // parameter and intermediate bytes of the sequence so far
  bool in_paste_ = false;
  int paste_match_ = 0;   // bytes of the paste end marker seen so far
  bool paste_cr_ = false; // the last pasted byte was CR (CR LF is one ENTER)
  int utf8_need_ = 0;     // continuation bytes still to come
  int utf8_have_ = 0;     // continuation bytes seen
  uint8_t utf8_lead_ = 0;
  char32_t utf8_cp_ = 0;
};

// The PC scan code of Alt with letter c (either case), or 0.
uint8_t AltScanOf(char c);

}  // namespace qirn
