#include "calculator/results.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "decimal/real_format.h"
#include "screen/dialog.h"
#include "screen/layout.h"
#include "sexagesimal/sxg_format.h"
#include "support/rig.h"
#include "support/screen_spy.h"
#include "support/sxg_text.h"

namespace qirn::test {
namespace {

// A fresh decimal calculator with X..T = x, y, z, t on screen, and a mark in
// the content columns of every stack row so redrawn rows can be told apart.
struct Stack {
  Rig r;
  explicit Stack(long double x, long double y, long double z, long double t, int16_t display = 0) {
    State& s = r.st();
    s.NumberMode = 'D';
    s.DisplayMode = display;
    s.RealStack[0] = x;
    s.RealStack[1] = y;
    s.RealStack[2] = z;
    s.RealStack[3] = t;
    InitializeScreen(r.c);
    for (int row : {6, 8, 10, 12}) PutText(r.c, "mark", static_cast<int16_t>(row));
  }
  bool Marked(int row) { return r.Text(row, 4, 7) == "mark"; }
  std::string Shown(int row) { return r.Text(row, 4, 58); }
  static std::string Text(long double v) {
    std::string t(RealToStr(v).view());
    return t + std::string(55 - t.size(), ' ');
  }
};

TEST(Results, PushLosesTAndRedrawsAllLevels) {
  Stack k(1, 2, 3, 4);
  PushRealStack(k.r.c, 9);
  const State& s = k.r.st();
  long double want[4] = {9, 1, 2, 3};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(s.RealStack[i], want[i]) << i;
    EXPECT_EQ(s.StackText[i].view(), RealToStr(want[i]).view()) << i;
    EXPECT_EQ(k.Shown(6 + 2 * i), Stack::Text(want[i])) << i;
  }
}

TEST(Results, BinaryDropsLeavesZAndTEqualAndDoesNotDrawT) {
  Stack k(1, 2, 3, 4);
  RealBinary(k.r.c, 7);
  const State& s = k.r.st();
  long double want[4] = {7, 3, 4, 4};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(s.RealStack[i], want[i]) << i;
    EXPECT_EQ(s.StackText[i].view(), RealToStr(want[i]).view()) << i;
  }
  EXPECT_EQ(k.Shown(6), Stack::Text(7));
  EXPECT_EQ(k.Shown(8), Stack::Text(3));
  EXPECT_EQ(k.Shown(10), Stack::Text(4));
  EXPECT_TRUE(k.Marked(12));  // T did not change, so its row is not drawn
}

TEST(Results, UnaryDrawsOnlyX) {
  Stack k(1, 2, 3, 4);
  RealUnary(k.r.c, -0.5L);
  EXPECT_EQ(k.r.st().RealStack[0], -0.5L);
  EXPECT_EQ(k.r.st().RealStack[1], 2);
  EXPECT_EQ(k.Shown(6), Stack::Text(-0.5L));
  for (int row : {8, 10, 12}) EXPECT_TRUE(k.Marked(row)) << row;
}

TEST(Results, CompactLayoutDrawsOnlyXButShiftsEveryText) {
  Stack k(1, 2, 3, 4, /*display=*/1);
  PushRealStack(k.r.c, 9);  // X..T: 9 1 2 3
  RealBinary(k.r.c, 5);     // X..T: 5 2 3 3
  for (int row : {8, 10, 12}) EXPECT_TRUE(k.Marked(row)) << row;
  EXPECT_EQ(k.Shown(6), Stack::Text(5));
  // Back in the full layout every level shows its own text.
  k.r.st().DisplayMode = 0;
  WriteStackAndMemory(k.r.c);
  long double want[4] = {5, 2, 3, 3};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(k.Shown(6 + 2 * i), Stack::Text(want[i])) << i;
}

TEST(Results, ArgumentIsCopiedBeforeTheStackMoves) {
  Stack k(1, 2, 3, 4);
  RealBinary(k.r.c, k.r.st().RealStack[1]);  // as deleting X does
  EXPECT_EQ(k.r.st().RealStack[0], 2);
  EXPECT_EQ(k.r.st().RealStack[1], 3);
  PushRealStack(k.r.c, k.r.st().RealStack[3]);
  EXPECT_EQ(k.r.st().RealStack[0], 4);
  EXPECT_EQ(k.r.st().RealStack[1], 2);
}

TEST(Results, SexagesimalTwinsFormatInTheCurrentMode) {
  Rig r;
  r.st().NumberMode = 'Z';
  r.st().SxgStack[0] = S("1");
  r.st().SxgStack[1] = S("2");
  r.st().SxgStack[2] = S("3");
  r.st().SxgStack[3] = S("4");
  InitializeScreen(r.c);
  PutText(r.c, "mark", 12);
  SxgBinary(r.c, S("6,35;30"));
  EXPECT_EQ(r.st().SxgStack[0], S("6,35;30"));
  EXPECT_EQ(r.st().SxgStack[2], S("4"));
  EXPECT_EQ(r.st().SxgStack[3], S("4"));
  EXPECT_EQ(r.Text(6, 4, 23), "        1r  1s  5;30");
  EXPECT_EQ(r.Text(12, 4, 7), "mark");
  PushSxgStack(r.c, S("-0;30"));
  EXPECT_EQ(r.st().SxgStack[3], S("4"));
  EXPECT_EQ(r.st().StackText[0].view(), SxgToStr(S("-0;30"), 'Z').view());
  EXPECT_EQ(r.Text(12, 4, 20), SxgToStr(S("4"), 'Z').view());
  SxgUnary(r.c, S("2;0,30"));
  EXPECT_EQ(r.Text(6, 4, 26), "        0r  0s  2; 0,30");
  EXPECT_EQ(r.st().SxgStack[1], S("6,35;30"));
}

// One decimal operation on X and Y; reports what the user saw.
struct Outcome {
  bool refused;
  std::string message;  // the X row while the key was awaited
  long double x, y, z, t;
};

Outcome Operate(void (*op)(Calc&), long double y, long double x) {
  Rig r;
  SpyKeys spy(r.scr());
  r.con.keys = &spy;
  spy.keys.Type(" ");
  r.st().NumberMode = 'D';
  r.st().RealStack[0] = x;
  r.st().RealStack[1] = y;
  r.st().RealStack[2] = 30;
  r.st().RealStack[3] = 40;
  InitializeScreen(r.c);
  op(r.c);
  Outcome o{!spy.seen.empty(), "", r.st().RealStack[0], r.st().RealStack[1], r.st().RealStack[2],
            r.st().RealStack[3]};
  if (o.refused) {
    o.message = RowChars(spy.seen[0], 6, 4, 57);
    EXPECT_EQ(r.st().StackText[0].view(), RealToStr(x).view());  // texts unchanged
    EXPECT_EQ(r.Text(6, 4, 58).substr(0, r.st().StackText[0].size()), r.st().StackText[0].view());
  }
  return o;
}

TEST(DecimalArithmetic, LimitIsTenToTheEighteenth) {
  const std::string overflow(OverflowMessage(false)), divzero(ErrorMessage(1));
  const long double inf = INFINITY;
  struct Case {
    const char* name;
    void (*op)(Calc&);
    long double y, x;
    const std::string* message;  // null: accepted
    long double result;
  } cases[] = {
      {"5e17 + 5e17", RealAddition, 5e17L, 5e17L, &overflow, 0},
      {"5e17 / 0.5", RealDivision, 5e17L, 0.5L, nullptr, 1e18L},
      {"just below + ", RealAddition, 999999999999999998.0L, 1, nullptr, 999999999999999999.0L},
      {"-5e17 - 5e17", RealSubtraction, -5e17L, 5e17L, &overflow, 0},
      {"1e9 * 1e9", RealMultiplication, 1e9L, 1e9L, &overflow, 0},
      {"1e9 * -999999999", RealMultiplication, 1e9L, -999999999.0L, nullptr, -999999999e9L},
      {"-1e18 / 1", RealDivision, -1e18L, 1, nullptr, -1e18L},
      {"1e18 / 0.999", RealDivision, 1e18L, 0.999L, &overflow, 0},
      {"1 / 0", RealDivision, 1, 0, &divzero, 0},
      {"0 / -0", RealDivision, 0, -0.0L, &divzero, 0},
      {"inf - inf", RealSubtraction, inf, inf, &overflow, 0},
      {"1e4000 / 1e-4000", RealDivision, 1e4000L, 1e-4000L, &overflow, 0},
      {"nan + 1", RealAddition, NAN, 1, &overflow, 0},
      {"7 - 9", RealSubtraction, 7, 9, nullptr, -2},
  };
  for (const Case& k : cases) {
    Outcome o = Operate(k.op, k.y, k.x);
    EXPECT_EQ(o.refused, k.message != nullptr) << k.name;
    if (k.message) {
      EXPECT_EQ(o.message, *k.message) << k.name;
      // Nothing moved.
      EXPECT_TRUE(o.x == k.x || (std::isnan(o.x) && std::isnan(k.x))) << k.name;
      EXPECT_TRUE(o.y == k.y || (std::isnan(o.y) && std::isnan(k.y))) << k.name;
      EXPECT_EQ(o.z, 30) << k.name;
    } else {
      EXPECT_EQ(o.x, k.result) << k.name;
      EXPECT_EQ(o.y, 30) << k.name;
      EXPECT_EQ(o.z, 40) << k.name;
    }
    EXPECT_EQ(o.t, 40) << k.name;
  }
}

TEST(DecimalArithmetic, SquareReplacesXOnly) {
  Outcome o = Operate(RealSquare, 2, -3);
  EXPECT_FALSE(o.refused);
  EXPECT_EQ(o.x, 9);
  EXPECT_EQ(o.y, 2);
  EXPECT_EQ(o.z, 30);
  Outcome big = Operate(RealSquare, 2, 1e9L);
  EXPECT_TRUE(big.refused);
  EXPECT_EQ(big.x, 1e9L);
  EXPECT_FALSE(Operate(RealSquare, 2, 999999999.0L).refused);
}

TEST(DecimalArithmetic, ZeroResultHasNoSign) {
  Outcome o = Operate(RealMultiplication, 5, -0.0L);
  EXPECT_EQ(o.x, 0);
  EXPECT_FALSE(std::signbit(o.x));
  Outcome d = Operate(RealDivision, -0.0L, 5);
  EXPECT_FALSE(std::signbit(d.x));
  Rig r;
  SxgUnary(r.c, S("-0"));
  EXPECT_FALSE(r.st().SxgStack[0].Neg);
  PushSxgStack(r.c, S("-0;0"));
  SxgBinary(r.c, S("-0"));
  EXPECT_FALSE(r.st().SxgStack[0].Neg);
  SxgUnary(r.c, S("-0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1"));  // not zero: keeps its sign
  EXPECT_TRUE(r.st().SxgStack[0].Neg);
}

// Through the keys: Decimal mode, digits, ENTER and the operators.
TEST(DecimalArithmetic, KeysRunTheOperations) {
  Rig r;
  r.st().NumberMode = 'D';
  r.Run("7\r2-3*");
  EXPECT_EQ(r.st().RealStack[0], 15);
  EXPECT_EQ(r.Text(6, 4, 34), std::string(28, ' ') + "15.");
  Rig q;
  q.st().NumberMode = 'D';
  q.Run("4\r3\rSQ");
  EXPECT_EQ(q.st().RealStack[0], 9);
  EXPECT_EQ(q.st().RealStack[1], 4);
}

}  // namespace
}  // namespace qirn::test
