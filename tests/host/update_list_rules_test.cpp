#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "launcher/update/DownloadProgress.h"
#include "launcher/update/ProgressSlots.h"
#include "launcher/update/UpdateListRules.h"

namespace {

TEST(ServerIdMatchesKey, Table) {
  struct Case {
    const char* key;
    const char* server;
    bool match;
  } cases[] = {
      {"s10..s20", "s15", true},
      {"10..20", "s15", true},
      {"S15", "s15", true},
      {"s15", "s15", true},
      {"s16..s20", "s15", false},
      {"s10..20", "s15", false},  // low is "s10", which reads as 0
      {"abc", "s15", false},
      {"10..20", "s5", false},
      {"s10..s20", "15", false},  // ids must begin with a lowercase s
      {"S15", "S15", false},
      {"s0..s9", "s5", false},  // low 0 never matches
      {"s1..s0", "s0", false},
      {"s1..s9", "s1", true},
      {"s1..s9", "s9", true},
      {"s1..s9", "s10", false},
      {"", "s1", false},
      {"s1", "", false},
      {"..s5", "s5", false},    // ".." first: compared whole
      {"s1..", "s5", false},    // high missing reads as 0
      {"s1..s9x", "s5", true},  // numbers are read as atoi reads them
      {"s1..s99999999999", "s5", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ServerIdMatchesKey(c.key, c.server), c.match) << c.key << " / " << c.server;
  }
}

TEST(SelectVersionGroup, FirstMatchingLineWins) {
  TextLines versions = {"s1..s9=Old", "s5=Five"};
  EXPECT_EQ(SelectVersionGroup(versions, "s5"), "Old");
  EXPECT_EQ(SelectVersionGroup(versions, "S5"), "All");
  EXPECT_EQ(SelectVersionGroup(versions, "s12"), "All");
  EXPECT_EQ(SelectVersionGroup({"s0..s9=X"}, "s5"), "All");
  EXPECT_EQ(SelectVersionGroup({}, "s5"), "All");
}

TEST(SelectVersionGroup, LinesThatDoNotSplitAreSkipped) {
  TextLines versions = {"", "=Nameless", "no equals", " s7 = Spaced ", "s7=Later"};
  EXPECT_EQ(SelectVersionGroup(versions, "s7"), "Spaced");
  // An empty value is an empty group name, not the default.
  EXPECT_EQ(SelectVersionGroup({"s3="}, "s3"), "");
}

TEST(SplitStage0Entry, FirstAndLastBar) {
  Stage0Entry e;
  ASSERT_TRUE(SplitStage0Entry("1.0.7|http://host/p/a|b.7z|1048576", e));
  EXPECT_EQ(e.version, "1.0.7");
  EXPECT_EQ(e.url, "http://host/p/a|b.7z");
  EXPECT_EQ(e.size, 1048576);

  ASSERT_TRUE(SplitStage0Entry("v||12abc", e));
  EXPECT_EQ(e.version, "v");
  EXPECT_EQ(e.url, "");
  EXPECT_EQ(e.size, 12);

  ASSERT_TRUE(SplitStage0Entry("v|http://h/x.7z|", e));
  EXPECT_EQ(e.size, 0);
  ASSERT_TRUE(SplitStage0Entry("v|http://h/x.7z|99999999999", e));
  EXPECT_EQ(e.size, INT_MAX);  // saturates rather than wrapping

  Stage0Entry untouched;
  untouched.version = "keep";
  EXPECT_FALSE(SplitStage0Entry("1.0|http://h/x.7z", untouched));
  EXPECT_FALSE(SplitStage0Entry("no bars", untouched));
  EXPECT_EQ(untouched.version, "keep");
}

TEST(SplitDeleteEntry, FirstBar) {
  DeleteEntry e;
  ASSERT_TRUE(SplitDeleteEntry("d1|Data\\old.dat", e));
  EXPECT_EQ(e.tag, "d1");
  EXPECT_EQ(e.path, "Data\\old.dat");
  ASSERT_TRUE(SplitDeleteEntry("d2|a|b", e));
  EXPECT_EQ(e.tag, "d2");
  EXPECT_EQ(e.path, "a|b");
  EXPECT_FALSE(SplitDeleteEntry("no separator", e));
  EXPECT_EQ(e.tag, "d2");
}

TEST(UrlFileName, Table) {
  struct Case {
    const char* url;
    bool ok;
    const char* name;
  } cases[] = {
      {"http://host/dir/pack.7z", true, "pack.7z"},
      {"ftp://host/pack.7z", true, "pack.7z"},
      {"http://host/dir/", true, ""},
      {"http://host", true, "host"},
      {"http://host/p/a|b.7z", true, "a|b.7z"},
      {"HTTP://host/a.7z", false, "unchanged"},
      {"https://host/a.7z", false, "unchanged"},
      {" http://host/a.7z", false, "unchanged"},
      {"x?http://host/a.7z", false, "unchanged"},
      {"", false, "unchanged"},
  };
  for (const Case& c : cases) {
    std::string name = "unchanged";
    EXPECT_EQ(UrlFileName(c.url, name), c.ok) << c.url;
    EXPECT_EQ(name, c.name) << c.url;
  }
}

TEST(ItemPercent, TruncatesAndRepeatsWithoutSize) {
  EXPECT_EQ(ItemPercent(0, 100, 0), 0);
  EXPECT_EQ(ItemPercent(65536, 65537, 0), 99);
  EXPECT_EQ(ItemPercent(100, 100, 0), 100);
  EXPECT_EQ(ItemPercent(1, 3, 0), 33);
  EXPECT_EQ(ItemPercent(500, 0, 42), 42);
  EXPECT_EQ(ItemPercent(500, -1, 7), 7);
  const std::int64_t huge = 5000000000LL;  // beyond 32 bits: no wrap, no negative percent
  EXPECT_EQ(ItemPercent(huge / 2, huge, 0), 50);
}

TEST(ScaleProgressPair, KeepsTheRatioWithinMessageRange) {
  struct Case {
    std::int64_t received, total;
    int percent;
  } cases[] = {
      {0, 0, -1},
      {1000, 4000, 25},
      {0x7FFFFFFF, 0x7FFFFFFF, 100},
      {3000000000LL, 6000000000LL, 50},
      {6000000000LL, 6000000000LL, 100},
      {2500000000LL, 2000000000LL, 125},  // retries can pass 100%
      {160LL * 2 * 1024 * 1024 * 1024, 80LL * 2 * 1024 * 1024 * 1024, 200},
  };
  for (const Case& c : cases) {
    ProgressPair pair = ScaleProgressPair(c.received, c.total);
    EXPECT_LE(pair.received, 0x7FFFFFFFu);
    EXPECT_GE(pair.total, 0);
    // What the window shows from the message: nothing for a total of 0.
    EXPECT_EQ(pair.total == 0, c.percent < 0) << c.received;
    if (pair.total != 0) {
      EXPECT_EQ(BatchPercent(pair.received, pair.total), c.percent) << c.received << "/" << c.total;
    }
  }
  ProgressPair small = ScaleProgressPair(123, 456);
  EXPECT_EQ(small.received, 123u);
  EXPECT_EQ(small.total, 456);
}

TEST(RetryDelayMs, GrowsFromOneSecondToThirty) {
  const unsigned expected[] = {0, 1000, 2000, 4000, 8000, 16000, 30000, 30000};
  for (int failures = 0; failures < 8; ++failures) EXPECT_EQ(RetryDelayMs(failures), expected[failures]) << failures;
  EXPECT_EQ(RetryDelayMs(1000000), 30000u);
}

}  // namespace
