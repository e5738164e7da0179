// A terminal emulator (libvterm) as the oracle for what the renderer emits:
// feed it the bytes, then read back the characters, colours and cursor it
// shows.
#pragma once
#include <string_view>

#include <vterm.h>

namespace qirn {

// DOS colour number to the ANSI palette index the emulator reports: 1 blue is
// ANSI 4, 4 red is ANSI 1, 3 cyan 6, 6 brown 3; 8..15 are the bright ones.
inline int AnsiIndex(int dos) {
  static constexpr int base[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return base[dos & 7] + (dos >= 8 ? 8 : 0);
}

struct VtCell {
  char32_t ch;
  int fg;  // palette index 0..15, -1 for the default colour
  int bg;
};

class VtOracle {
 public:
  VtOracle(int cols, int rows, bool utf8 = true) : vt_(vterm_new(rows, cols)) {
    vterm_set_utf8(vt_, utf8 ? 1 : 0);
    screen_ = vterm_obtain_screen(vt_);
    static const VTermScreenCallbacks callbacks = {
        nullptr, nullptr, nullptr, &VtOracle::SetProp, &VtOracle::Bell,
        nullptr, nullptr, nullptr};
    vterm_screen_set_callbacks(screen_, &callbacks, this);
    vterm_screen_enable_altscreen(screen_, 1);
    vterm_screen_reset(screen_, 1);
  }
  ~VtOracle() { vterm_free(vt_); }
  VtOracle(const VtOracle&) = delete;
  VtOracle& operator=(const VtOracle&) = delete;

  void Feed(std::string_view bytes) {
    vterm_input_write(vt_, bytes.data(), bytes.size());
    vterm_screen_flush_damage(screen_);
  }
  void Resize(int cols, int rows) { vterm_set_size(vt_, rows, cols); }

  // 1-based, like the screen model.
  VtCell At(int col, int row) const {
    VTermScreenCell c{};
    vterm_screen_get_cell(screen_, VTermPos{row - 1, col - 1}, &c);
    return VtCell{c.chars[0] ? static_cast<char32_t>(c.chars[0]) : U' ', Index(c.fg, true),
                  Index(c.bg, false)};
  }
  int CursorCol() const { return Pos().col + 1; }
  int CursorRow() const { return Pos().row + 1; }
  bool CursorVisible() const { return cursor_visible_; }
  int Bells() const { return bells_; }

 private:
  static int Index(const VTermColor& c, bool fg) {
    if (fg ? VTERM_COLOR_IS_DEFAULT_FG(&c) : VTERM_COLOR_IS_DEFAULT_BG(&c)) return -1;
    if (VTERM_COLOR_IS_INDEXED(&c)) return c.indexed.idx;
    return -2;
  }
  VTermPos Pos() const {
    VTermPos p{};
    vterm_state_get_cursorpos(vterm_obtain_state(vt_), &p);
    return p;
  }
  static int SetProp(VTermProp prop, VTermValue* val, void* user) {
    if (prop == VTERM_PROP_CURSORVISIBLE) static_cast<VtOracle*>(user)->cursor_visible_ = val->boolean;
    return 1;
  }
  static int Bell(void* user) {
    ++static_cast<VtOracle*>(user)->bells_;
    return 1;
  }

  VTerm* vt_;
  VTermScreen* screen_;
  bool cursor_visible_ = true;
  int bells_ = 0;
};

}  // namespace qirn
