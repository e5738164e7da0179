#include <gtest/gtest.h>

#include "support/rig.h"

namespace qirn::test {
namespace {

TEST(CommandLoop, QAndLowerQEndTheProgram) {
  for (const char* quit : {"Q", "q"}) {
    Rig r;
    r.keys.Type(quit);
    r.keys.Type("1");  // never read
    Main_Program(r.c);
    EXPECT_EQ(r.keys.Remaining(), 1u) << quit;
  }
}

TEST(CommandLoop, SQDoesNotQuit) {
  Rig r;
  r.keys.Type("SQ");
  r.keys.Type("X");
  r.keys.Type("Q");
  Main_Program(r.c);
  EXPECT_EQ(r.keys.Remaining(), 0u);
}

}  // namespace
}  // namespace qirn::test
