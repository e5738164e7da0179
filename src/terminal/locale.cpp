// Locale names to character sets.
#include "terminal/locale.h"

#include <cstdlib>
#include <string>

namespace qirn {

Charset CharsetForLocale(const char* lc_all, const char* lc_ctype, const char* lang) {
  const char* name = nullptr;
  for (const char* v : {lc_all, lc_ctype, lang})
    if (v && *v) {
      name = v;
      break;
    }
  if (!name) return Charset::Ascii;
  std::string s;
  for (const char* p = name; *p; ++p)
    if (*p != '-' && *p != '_') s += static_cast<char>(*p >= 'A' && *p <= 'Z' ? *p - 'A' + 'a' : *p);
  if (s.find("utf8") != std::string::npos) return Charset::Unicode;
  if (s == "c" || s == "posix" || s.rfind("c.", 0) == 0) return Charset::Ascii;
  return Charset::Vt100;
}

Charset CharsetFromEnvironment() {
  return CharsetForLocale(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
}

}  // namespace qirn
