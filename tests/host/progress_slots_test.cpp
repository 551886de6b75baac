#include <gtest/gtest.h>

#include "launcher/update/ProgressSlots.h"

namespace {

TEST(BatchPercent, TruncatedTowardZero) {
  struct Case {
    long long received, total;
    int percent;
  } cases[] = {{200, 400, 50}, {0, 100, 0}, {150, 100, 150}, {1, 3, 33},
               {3000000000LL, 6000000000LL, 50}};
  // 29/100*100 is 28.999... in double precision: the bar shows 28.
  EXPECT_EQ(BatchPercent(29, 100), 28);
  for (const Case& c : cases) {
    EXPECT_EQ(BatchPercent(c.received, c.total), c.percent) << c.received << "/" << c.total;
  }
  EXPECT_EQ(BatchPercent(5, 0), 0);
}

TEST(ProgressSlots, PercentOnlyMovesTheBarForTheShownSlot) {
  ProgressSlotTable t;
  ASSERT_TRUE(t.Add(0));
  ASSERT_TRUE(t.Add(1));
  EXPECT_TRUE(t.SetPercent(0, 40));
  EXPECT_FALSE(t.SetPercent(1, 70));
  EXPECT_FALSE(t.SetPercent(9, 10));  // not ours
  EXPECT_EQ(t.PercentAt(1), 70);
}

TEST(ProgressSlots, AdvanceSkipsFinishedSlots) {
  ProgressSlotTable t;
  for (int i = 0; i < 4; ++i) t.Add(i);
  t.SetPercent(1, 100);
  t.SetPercent(2, 30);
  int bar = -1;
  EXPECT_FALSE(t.AdvanceAfter(2, bar));  // not the shown slot
  EXPECT_TRUE(t.AdvanceAfter(0, bar));
  EXPECT_EQ(t.Current(), 2);
  EXPECT_EQ(bar, 30);
  t.SetPercent(3, 100);
  bar = -1;
  EXPECT_FALSE(t.AdvanceAfter(2, bar));  // every later slot done: past the end, bar unchanged
  EXPECT_EQ(t.Current(), 4);
  EXPECT_EQ(bar, -1);
}

TEST(ProgressSlots, LastSlotStaysAndCapacityHolds) {
  ProgressSlotTable t;
  t.Add(5);
  int bar = -1;
  EXPECT_FALSE(t.AdvanceAfter(5, bar));
  EXPECT_EQ(t.Current(), 0);
  for (int i = 1; i < ProgressSlotTable::kCapacity; ++i) EXPECT_TRUE(t.Add(i + 5));
  EXPECT_FALSE(t.Add(999));
  t.Clear();
  EXPECT_TRUE(t.Empty());
  EXPECT_EQ(t.Current(), 0);
}

}  // namespace
