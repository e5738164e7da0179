// Long random key streams through the whole calculator: nothing crashes, and
// between any two keys the invariants hold.
#include <gtest/gtest.h>

#include "support/invariants.h"
#include "support/random_keys.h"
#include "support/rig.h"

namespace qirn::test {
namespace {

void RunRandom(uint64_t seed, size_t n, char mode, bool use_disk = false) {
  Rig r;
  r.st().NumberMode = mode;
  r.st().Use_Disk = use_disk;  // printing and the state file in memory
  ScriptedKeys script(RandomKeys(seed, n));
  CheckingKeys checking(script, r.c);
  r.con.keys = &checking;
  // Q ends the loop; start it again on the same state until the keys run out.
  while (script.Remaining() > 0 && checking.problem.empty()) Main_Program(r.c);
  ASSERT_TRUE(checking.problem.empty()) << "seed " << seed << ": " << checking.problem;
  std::string after = InvariantProblem(r.c, false);  // the screen is blank after a final Q
  ASSERT_TRUE(after.empty()) << "seed " << seed << " at the end: " << after;
  EXPECT_EQ(script.Consumed(), n);  // every key was read by the calculator
}

TEST(RandomKeys, InvariantsHoldBetweenAllKeysInEveryStartingMode) {
  const char modes[] = {'G', 'S', 'C', 'Z', 'D'};
  uint64_t seed = 20261211;
  for (char mode : modes) {
    RunRandom(seed, 80000, mode);
    ++seed;
  }
  RunRandom(seed, 80000, 'G', true);
}

}  // namespace
}  // namespace qirn::test
