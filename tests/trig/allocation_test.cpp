// The sexagesimal trigonometric commands run without allocating: every
// allocation of this test program is counted, and the count must not move
// while a command runs.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "calculator/commands.h"
#include "sexagesimal/sxg_constants.h"
#include "support/rig.h"
#include "support/sxg_text.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t n) {
  ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace qirn::test {
namespace {

TEST(SxgTrigAllocation, CommandsDoNotAllocate) {
  const long start = g_allocations.load();
  int* volatile probe = new int(1);
  delete probe;
  ASSERT_EQ(g_allocations.load(), start + 1) << "the counter must see allocations";
  using Command = void (*)(Calc&);
  const Command commands[] = {SxgSine, SxgCosine, SxgChord, SxgTangent, SxgArcSin, SxgArcCos,
                              SxgArcChord, SxgArcTan, Modulo, ConvertDegrees, ConvertRadians};
  for (int16_t trig : {0, 1}) {
    for (Command cmd : commands) {
      Rig r;
      r.st().TrigMode = trig;
      r.st().Base = 60;
      // An X for which no command reports (a report would wait for a key).
      r.st().SxgStack[0] = S("47;20,15,1,2,3,4,5,6,7,8,9,10,11,12");;
      const long before = g_allocations.load();
      cmd(r.c);
      EXPECT_EQ(g_allocations.load(), before) << "trig mode " << trig;
    }
  }
}

}  // namespace
}  // namespace qirn::test
