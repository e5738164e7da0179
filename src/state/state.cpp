#include "state/state.h"

namespace qirn {

void SetDefaults(State& s) {
  bool use_disk = s.Use_Disk;
  s = State{};
  s.Use_Disk = use_disk;
}

}  // namespace qirn
