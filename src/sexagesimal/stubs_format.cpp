// Placeholder until the display texts land.
#include "sexagesimal/sxg_format.h"
namespace qirn {
String55 SxgToStr(const Sxg&, char) { return String55("?"); }
}  // namespace qirn
