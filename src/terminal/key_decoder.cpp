// The key decoder and its table of escape sequences.
#include "terminal/key_decoder.h"

#include <cstdlib>

#include "terminal/cp437.h"

namespace qirn {
namespace {

constexpr uint8_t kEsc = 27;

constexpr Key Ch(uint8_t c) { return Key{c, 0}; }
constexpr Key Ext(uint8_t scan) { return Key{0, scan}; }

// One escape sequence: introducer ('[' for CSI, 'O' for SS3, 'L' for the
// Linux console's ESC [ [), the first number (0 when absent), the final byte.
// `modifiable`: the same key also with Shift/Ctrl/Alt parameters.
struct SeqEntry {
  char intro;
  int num;
  char final;
  bool modifiable;
  Key key;
};

constexpr SeqEntry kSequences[] = {
    // Cursor keys: xterm CSI and SS3 (normal and application mode), with or
    // without a modifier parameter (CSI 1;5A); rxvt's Shift (CSI a) and Ctrl
    // (SS3 a) forms.
    {'[', 0, 'A', true, Ext(72)}, {'[', 0, 'B', true, Ext(80)},
    {'[', 0, 'C', true, Ext(77)}, {'[', 0, 'D', true, Ext(75)},
    {'[', 0, 'H', true, Ext(71)}, {'[', 0, 'F', true, Ext(79)},
    {'[', 0, 'a', true, Ext(72)}, {'[', 0, 'b', true, Ext(80)},
    {'[', 0, 'c', true, Ext(77)}, {'[', 0, 'd', true, Ext(75)},
    {'O', 0, 'A', true, Ext(72)}, {'O', 0, 'B', true, Ext(80)},
    {'O', 0, 'C', true, Ext(77)}, {'O', 0, 'D', true, Ext(75)},
    {'O', 0, 'H', true, Ext(71)}, {'O', 0, 'F', true, Ext(79)},
    {'O', 0, 'a', true, Ext(72)}, {'O', 0, 'b', true, Ext(80)},
    {'O', 0, 'c', true, Ext(77)}, {'O', 0, 'd', true, Ext(75)},
    // Editing keys, CSI n ~ (vt220, xterm, rxvt, Linux console).
    {'[', 1, '~', true, Ext(71)}, {'[', 2, '~', true, Ext(82)},
    {'[', 3, '~', true, Ext(83)}, {'[', 4, '~', true, Ext(79)},
    {'[', 5, '~', true, Ext(73)}, {'[', 6, '~', true, Ext(81)},
    {'[', 7, '~', true, Ext(71)}, {'[', 8, '~', true, Ext(79)},
    // F1-F4: xterm SS3 P..S; CSI 11~..14~ of rxvt and old xterm; the Linux
    // console's ESC [ [ A..E for F1-F5.
    {'O', 0, 'P', false, Ext(59)}, {'O', 0, 'Q', false, Ext(60)},
    {'O', 0, 'R', false, Ext(61)}, {'O', 0, 'S', false, Ext(62)},
    {'[', 0, 'P', false, Ext(59)}, {'[', 0, 'Q', false, Ext(60)},
    {'[', 0, 'R', false, Ext(61)}, {'[', 0, 'S', false, Ext(62)},
    {'[', 11, '~', false, Ext(59)}, {'[', 12, '~', false, Ext(60)},
    {'[', 13, '~', false, Ext(61)}, {'[', 14, '~', false, Ext(62)},
    {'L', 0, 'A', false, Ext(59)}, {'L', 0, 'B', false, Ext(60)},
    {'L', 0, 'C', false, Ext(61)}, {'L', 0, 'D', false, Ext(62)},
    {'L', 0, 'E', false, Ext(63)},
    // F5-F12, CSI 15~..24~ everywhere.
    {'[', 15, '~', false, Ext(63)}, {'[', 17, '~', false, Ext(64)},
    {'[', 18, '~', false, Ext(65)}, {'[', 19, '~', false, Ext(66)},
    {'[', 20, '~', false, Ext(67)}, {'[', 21, '~', false, Ext(68)},
    {'[', 23, '~', false, Ext(133)}, {'[', 24, '~', false, Ext(134)},
    // The numeric keypad in application mode gives its characters.
    {'O', 0, 'M', false, Ch(13)}, {'O', 0, 'j', false, Ch('*')},
    {'O', 0, 'k', false, Ch('+')}, {'O', 0, 'l', false, Ch(',')},
    {'O', 0, 'm', false, Ch('-')}, {'O', 0, 'n', false, Ch('.')},
    {'O', 0, 'o', false, Ch('/')}, {'O', 0, 'p', false, Ch('0')},
    {'O', 0, 'q', false, Ch('1')}, {'O', 0, 'r', false, Ch('2')},
    {'O', 0, 's', false, Ch('3')}, {'O', 0, 't', false, Ch('4')},
    {'O', 0, 'u', false, Ch('5')}, {'O', 0, 'v', false, Ch('6')},
    {'O', 0, 'w', false, Ch('7')}, {'O', 0, 'x', false, Ch('8')},
    {'O', 0, 'y', false, Ch('9')}, {'O', 0, 'X', false, Ch('=')},
};

constexpr char kPasteEnd[] = "\x1b[201~";
constexpr int kPasteEndLen = 6;

bool IsLetter(uint8_t b) { return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'); }

}  // namespace

uint8_t AltScanOf(char c) {
  // The letters of the PC keyboard's rows in scan-code order.
  static constexpr std::string_view kRows[3] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static constexpr uint8_t kFirst[3] = {16, 30, 44};
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (int r = 0; r < 3; ++r) {
    size_t i = kRows[r].find(c);
    if (i != std::string_view::npos) return static_cast<uint8_t>(kFirst[r] + i);
  }
  return 0;
}

void KeyDecoder::Feed(std::string_view bytes, std::vector<Key>& out) {
  for (char c : bytes) Byte(static_cast<uint8_t>(c), out);
}

int KeyDecoder::PendingTimeout() const {
  if (utf8_need_ > 0) return kEscTimeoutMs;
  if (in_paste_) return paste_match_ > 0 ? kSequenceTimeoutMs : -1;
  switch (state_) {
    case State::Ground: return -1;
    case State::Esc: return kEscTimeoutMs;
    case State::Csi:
    case State::Ss3: return params_.empty() ? kEscTimeoutMs : kSequenceTimeoutMs;
    case State::LinuxFn: return kSequenceTimeoutMs;
  }
  return -1;
}

void KeyDecoder::Idle(int ms, std::vector<Key>& out) {
  int wait = PendingTimeout();
  if (wait < 0 || ms < wait) return;
  if (utf8_need_ > 0) {
    AbandonUtf8(out);
    return;
  }
  if (in_paste_) {
    AbandonPasteEnd(out);
    return;
  }
  // ESC alone is the ESC key; ESC O alone is Alt+Shift+O; any other
  // unfinished sequence is dropped.
  if (state_ == State::Esc) out.push_back(Ch(kEsc));
  if (state_ == State::Ss3 && params_.empty()) out.push_back(Ext(AltScanOf('O')));
  state_ = State::Ground;
  params_.clear();
}

void KeyDecoder::Byte(uint8_t b, std::vector<Key>& out) {
  if (utf8_need_ > 0) {
    if ((b & 0xC0) == 0x80) {
      Utf8Byte(b, out);
      return;
    }
    AbandonUtf8(out);
  }
  if (in_paste_) {
    PasteByte(b, out);
    return;
  }
  switch (state_) {
    case State::Ground: Ground(b, out); break;
    case State::Esc: AfterEsc(b, out); break;
    default: Sequence(b, out); break;
  }
}

void KeyDecoder::Ground(uint8_t b, std::vector<Key>& out) {
  if (b == kEsc) {
    state_ = State::Esc;
  } else if (b == 13 || b == 10) {
    out.push_back(Ch(13));
  } else if (b == 127 || b == 8) {
    out.push_back(Ch(8));
  } else if (b == 0) {
    // NUL (Ctrl+Space) would read as an extended key without a scan code.
  } else if (b < 0x80) {
    out.push_back(Ch(b));
  } else if (b >= 0xC2 && b <= 0xF4) {
    StartUtf8(b, out);
  } else {
    Meta(b, out);
  }
}

void KeyDecoder::AfterEsc(uint8_t b, std::vector<Key>& out) {
  params_.clear();
  if (b == '[') {
    state_ = State::Csi;
  } else if (b == 'O') {
    state_ = State::Ss3;
  } else if (b == kEsc) {
    out.push_back(Ch(kEsc));  // the first ESC was a key of its own
  } else {
    state_ = State::Ground;
    if (uint8_t scan = AltScanOf(static_cast<char>(b)); scan && IsLetter(b))
      out.push_back(Ext(scan));
    else if (b >= 0x80)
      Ground(b, out);  // Alt with a non-ASCII character: the character
    // Alt with any other ASCII key has no PC meaning: dropped.
  }
}

void KeyDecoder::Sequence(uint8_t b, std::vector<Key>& out) {
  if (state_ == State::Csi && params_.empty() && b == '[') {
    state_ = State::LinuxFn;
    return;
  }
  if (state_ == State::LinuxFn) {
    state_ = State::Ground;
    if (b >= 0x40 && b <= 0x7E) Finish('L', static_cast<char>(b), out);
    return;
  }
  // rxvt ends modified keys with $ ^ @ in place of ~.
  bool final = (b >= 0x40 && b <= 0x7E) || b == '$';
  if (b >= 0x20 && !final && b < 0x7F) {
    if (params_.size() < 32) params_ += static_cast<char>(b);
    return;
  }
  char intro = state_ == State::Csi ? '[' : 'O';
  state_ = State::Ground;
  if (final) {
    Finish(intro, static_cast<char>(b), out);
  } else {
    // A control or non-ASCII byte breaks the sequence off; the sequence is
    // dropped and the byte is taken on its own.
    params_.clear();
    Ground(b, out);
  }
}

void KeyDecoder::Finish(char intro, char final, std::vector<Key>& out) {
  std::string p;
  p.swap(params_);
  bool modified = false;
  if (final == '$' || final == '^' || final == '@') {
    final = '~';
    modified = true;
  }
  if (!p.empty() && (p[0] < '0' || p[0] > ';')) return;  // private sequences
  int num = std::atoi(p.c_str());
  if (size_t semi = p.find(';'); semi != std::string::npos) {
    int mod = std::atoi(p.c_str() + semi + 1);
    if (mod > 1) modified = true;
  }
  if (intro == 'O' && num > 1) {  // SS3 carries only a modifier (ESC O 5 P)
    modified = true;
    num = 0;
  }
  if (final != '~' && num == 1) num = 0;  // CSI 1;5A is CSI A with Ctrl
  if (intro == '[' && final == '~' && num == 200) {
    in_paste_ = true;
    paste_match_ = 0;
    paste_cr_ = false;
    return;
  }
  for (const SeqEntry& e : kSequences) {
    if (e.intro == intro && e.num == num && e.final == final) {
      if (!modified || e.modifiable) out.push_back(e.key);
      return;
    }
  }
}

void KeyDecoder::PasteByte(uint8_t b, std::vector<Key>& out) {
  if (paste_match_ > 0) {
    if (b == static_cast<uint8_t>(kPasteEnd[paste_match_])) {
      if (++paste_match_ == kPasteEndLen) {
        in_paste_ = false;
        paste_match_ = 0;
      }
      return;
    }
    AbandonPasteEnd(out);
  }
  if (b == kEsc)
    paste_match_ = 1;
  else
    PasteText(b, out);
}

// Pasted text: characters as if typed, line ends as ENTER; other control
// characters (ESC included) are dropped so that a paste cannot cancel,
// suspend or quit anything.
void KeyDecoder::PasteText(uint8_t b, std::vector<Key>& out) {
  bool cr = paste_cr_;
  paste_cr_ = b == 13;
  if (b == 13 || (b == 10 && !cr)) {
    out.push_back(Ch(13));
  } else if (b >= 32 && b < 127) {
    out.push_back(Ch(b));
  } else if (b >= 0xC2 && b <= 0xF4) {
    StartUtf8(b, out);
  }
}

// The paste end marker broke off: its ESC is dropped, the bytes after it are
// pasted text.
void KeyDecoder::AbandonPasteEnd(std::vector<Key>& out) {
  int seen = paste_match_;
  paste_match_ = 0;
  for (int i = 1; i < seen; ++i) PasteText(static_cast<uint8_t>(kPasteEnd[i]), out);
}

void KeyDecoder::StartUtf8(uint8_t lead, std::vector<Key>&) {
  utf8_lead_ = lead;
  utf8_have_ = 0;
  if (lead < 0xE0) {
    utf8_need_ = 1;
    utf8_cp_ = lead & 0x1F;
  } else if (lead < 0xF0) {
    utf8_need_ = 2;
    utf8_cp_ = lead & 0x0F;
  } else {
    utf8_need_ = 3;
    utf8_cp_ = lead & 0x07;
  }
}

void KeyDecoder::Utf8Byte(uint8_t b, std::vector<Key>& out) {
  utf8_cp_ = (utf8_cp_ << 6) | (b & 0x3F);
  ++utf8_have_;
  if (--utf8_need_ > 0) return;
  // Characters the code page has become their code; the rest are dropped.
  int code = UnicodeToCp437(utf8_cp_);
  if (code >= 0) out.push_back(Ch(static_cast<uint8_t>(code)));
}

// A multi-byte character broke off. A lone lead byte that is a meta letter was
// Alt with that letter (outside pastes); anything else is dropped.
void KeyDecoder::AbandonUtf8(std::vector<Key>& out) {
  utf8_need_ = 0;
  if (utf8_have_ == 0 && !in_paste_) Meta(utf8_lead_, out);
}

// 8-bit meta: Alt sets the high bit of the key's byte.
void KeyDecoder::Meta(uint8_t b, std::vector<Key>& out) {
  uint8_t low = b & 0x7F;
  if (b >= 0x80 && IsLetter(low)) out.push_back(Ext(AltScanOf(static_cast<char>(low))));
}

}  // namespace qirn
