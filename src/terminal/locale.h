// Which characters the terminal can show, from the locale environment.
#pragma once
#include "terminal/renderer.h"

namespace qirn {

// The locale in force is the first non-empty of LC_ALL, LC_CTYPE and LANG.
// A UTF-8 locale gets Unicode; C, POSIX or none gets plain ASCII; any other
// (an 8-bit character set) gets the VT100 line-drawing set for the boxes.
Charset CharsetForLocale(const char* lc_all, const char* lc_ctype, const char* lang);
Charset CharsetFromEnvironment();

}  // namespace qirn
