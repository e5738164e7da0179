// The display text of an Sxg in one of the sexagesimal number modes
// (G Greek, C Chinese, S Sexagesimal, Z Zodiacal). The character ending the
// integer part (";" or "d") is always the 18th.
#pragma once
#include "sexagesimal/string55.h"
#include "sexagesimal/sxg.h"

namespace qirn {

String55 SxgToStr(const Sxg& A, char NumberMode);

}  // namespace qirn
