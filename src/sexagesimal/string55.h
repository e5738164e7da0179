// A text of at most 55 one-byte (code page 437) characters that never
// allocates: display texts, descriptions, prompts and answers.
#pragma once
#include <cstdint>
#include <cstring>
#include <string_view>

namespace qirn {

struct String55 {
  static constexpr int Capacity = 55;
  uint8_t len = 0;
  char s[Capacity] = {};

  constexpr String55() = default;
  // Longer texts are cut to 55 characters.
  String55(std::string_view t) { assign(t); }
  void assign(std::string_view t) {
    len = static_cast<uint8_t>(t.size() > Capacity ? Capacity : t.size());
    std::memcpy(s, t.data(), len);
  }
  std::string_view view() const { return std::string_view(s, len); }
  operator std::string_view() const { return view(); }
  int size() const { return len; }
  bool empty() const { return len == 0; }
  char operator[](int i) const { return s[i]; }
  // Appends as much of t as fits; returns false when something was cut.
  bool append(std::string_view t) {
    size_t room = Capacity - len;
    size_t n = t.size() < room ? t.size() : room;
    std::memcpy(s + len, t.data(), n);
    len = static_cast<uint8_t>(len + n);
    return n == t.size();
  }
  bool push_back(char c) {
    if (len >= Capacity) return false;
    s[len++] = c;
    return true;
  }
  void pop_back() { if (len) --len; }
  void clear() { len = 0; }
  friend bool operator==(const String55& a, const String55& b) { return a.view() == b.view(); }
  friend bool operator==(const String55& a, std::string_view b) { return a.view() == b; }
};

}  // namespace qirn
