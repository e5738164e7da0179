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
  while (script.Remaining() > 0 && checking.problem.empty()) Main_Program(r.c);
  std::string after = checking.problem.empty() ? test::InvariantProblem(r.c) : checking.problem;
  if (!after.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", after.c_str());
    std::abort();
  }
  return 0;
}
