// Placeholder until the display texts land.
#include "decimal/real_format.h"
namespace qirn {
String55 RealToStr(long double) { return String55("?"); }
long double RoundReal(long double X, int16_t) { return X; }
}  // namespace qirn
