// The whole calculator from a fresh state on an arbitrary key stream, with
// the invariants checked before every key.
#include <cstdio>
#include <cstdlib>

#include "key_bytes.h"
#include "support/invariants.h"
#include "support/rig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qirn;
  test::Rig r;
  r.st().Use_Disk = size > 0 && (data[0] & 1);  // exercises printing and the state file too
  ScriptedKeys script = fuzz::KeysFromBytes(data, size);
  test::CheckingKeys checking(script, r.c);
  r.con.keys = &checking;
  do {  // Q ends the loop; go on with the same state until the keys run out
    Main_Program(r.c);
  } while (script.Remaining() > 0 && checking.problem.empty());
  // The screen was checked before every key; after a final Q it is blank.
  std::string after = checking.problem.empty() ? test::InvariantProblem(r.c, false) : checking.problem;
  if (!after.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", after.c_str());
    std::abort();
  }
  return 0;
}
