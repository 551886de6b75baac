#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Endpoints.h"
#include "launcher/update/ClientUpdatePlan.h"
#include "launcher/update/LauncherUpdateRules.h"
#include "launcher/update/StatisticsReports.h"

namespace {

using Texts = std::vector<std::string>;

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

TEST(CompareMultiByteText, OrdersBytesAndDoubleByteCharacters) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"2.6", "2.6", 0},
      {"2.7", "2.6", 1},
      {"2.10", "2.6", -1},
      {"a", "A", 1},                // case-sensitive
      {"\xB0\xA1", "a", 1},         // bytes compare unsigned
      {"\x81\x5C", "\x81\x5B", 1},  // a trail byte decides inside one character
      {"2.6\x81", "2.6", 0},        // a lead byte at the end is the end of the text
      {"", "", 0},
      {"", "2.6", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(CompareMultiByteText(c.a, c.b)), c.sign) << c.a << " / " << c.b;
    EXPECT_EQ(Sign(CompareMultiByteText(c.b, c.a)), -c.sign) << c.b << " / " << c.a;
  }
}

TEST(LauncherUpdate, VersionIsComparedAsText) {
  struct Case {
    const char* ver;
    bool newer;
  } cases[] = {
      {"2.7", true},   {"3", true},   {"2.6.1", true}, {"2.60", true},   {"2.6a", true},     {"2.6", false},
      {"2.10", false}, {"10", false}, {"", false},     {"2.5.9", false}, {"2.6\x81", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsNewerLauncherVersion(c.ver), c.newer) << c.ver;
}

TEST(LauncherUpdate, PackageNeedsANewerVersionAndAFileName) {
  struct Case {
    const char* ver;
    const char* url;
    bool fetch;
    const char* name;
  } cases[] = {
      {"2.7", "http://d/login/LoginTarn27.7z", true, "LoginTarn27.7z"},
      {"2.7", "ftp://d/a.7z", true, "a.7z"},
      {"2.6", "http://d/a.7z", false, ""},
      {"2.10", "http://d/a.7z", false, ""},
      {"2.7", "", false, ""},  // newer, but nowhere to fetch it from
      {"2.7", "http://d/dir/", false, ""},
      {"2.7", "HTTP://d/a.7z", false, ""},
      {"2.7", "http://d/..", false, ""},
      {"2.7", "http://d/x\\..\\..\\evil.exe", false, ""},
  };
  for (const Case& c : cases) {
    std::string name = "unchanged";
    EXPECT_EQ(PlanLauncherUpdate(c.ver, c.url, name), c.fetch) << c.ver << " " << c.url;
    EXPECT_EQ(name, c.fetch ? c.name : "unchanged") << c.url;
  }
}

TEST(StaysInsideFolder, RefusesPathsThatLeaveTheFolder) {
  struct Case {
    const char* path;
    bool inside;
  } cases[] = {
      {"Data\\old.dat", true},
      {"old.dat", true},
      {"Data/old.dat", true},
      {"Data\\\x95\x5C.dat", true},  // GBK character whose trail byte is "\"
      {"..\\old.dat", false},
      {"../old.dat", false},
      {"Data\\..\\..\\old.dat", false},
      {"Data/../../old.dat", false},
      {"\\Windows\\old.dat", false},
      {"/etc/passwd", false},
      {"C:\\old.dat", false},
      {"C:old.dat", false},
      {"\\\\server\\share\\old.dat", false},
      {"..", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(StaysInsideFolder(c.path), c.inside) << c.path;
}

TEST(ClientUpdatePlan, DeletesWhatTheRecordDoesNotHold) {
  // 0: new tag; 1: recorded; 2: tag differs in case only; 3: no "|" (empty tag, matches
  // a missing record); 4: "|" first; 5: leaves the folder; 6: recorded under another tag.
  Texts values = {"7|Data\\old.dat", "3|Data\\kept.dat", "a|x.dat",        "nobar.dat",
                  "|y.dat",          "9|..\\evil.dat",   "8|Data\\old.dat"};
  Texts record = {"", "3", "A", "", "", "", "7"};
  ClientUpdatePlan plan = PlanClientUpdate(values, record, {}, {});
  ASSERT_EQ(plan.deletions.size(), 3u);
  EXPECT_EQ(plan.deletions[0].number, 0);
  EXPECT_EQ(plan.deletions[0].tag, "7");
  EXPECT_EQ(plan.deletions[0].path, "Data\\old.dat");
  EXPECT_EQ(plan.deletions[1].number, 2);
  EXPECT_EQ(plan.deletions[1].tag, "a");
  EXPECT_EQ(plan.deletions[2].number, 6);
  EXPECT_EQ(plan.deletions[2].tag, "8");
  EXPECT_TRUE(plan.packages.empty());
}

TEST(ClientUpdatePlan, DeletionIsRepeatedOnlyWhenItsTagChanges) {
  Texts list = {"7|Data\\old.dat"};
  EXPECT_EQ(PlanClientUpdate(list, {}, {}, {}).deletions.size(), 1u);
  EXPECT_TRUE(PlanClientUpdate(list, {"7"}, {}, {}).deletions.empty());
  EXPECT_EQ(PlanClientUpdate({"8|Data\\old.dat"}, {"7"}, {}, {}).deletions.size(), 1u);
}

TEST(ClientUpdatePlan, QueuesPackagesNotYetRecorded) {
  Texts values = {
      "1.0.1|http://h/p/a.7z|100",      // 0: recorded
      "1.0.2|http://h/p/b.7z|300",      // 1: recorded as 1.0.1
      "v|http://h/p/a|b/c.7z|1048576",  // 2: "|" inside the URL
      "|http://h/p/c.7z|5",             // 3: no tag
      "onlyone|http://h/p/d.7z",        // 4: one "|"
      "nobar",                          // 5
      "V1|http://h/p/e.7z|7",           // 6: recorded as v1 (case differs)
      "w|HTTP://h/p/f.7z|1",            // 7: no file name
      "w|http://h/p/|1",                // 8: ends with "/"
      "w|http://h/p/..\\..\\g.exe|1",   // 9: name leaves the folder
      "w|http://h/p/h.7z|x",            // 10: size reads as 0
      "w|http://h/p/a|b.7z|1",          // 11: no Windows file can be named so
  };
  Texts record = {"1.0.1", "1.0.1", "", "", "", "", "v1"};
  ClientUpdatePlan plan = PlanClientUpdate({}, {}, values, record);
  struct Expected {
    int number;
    const char* url;
    const char* fileName;
    int size;
    const char* note;
  } expected[] = {
      {1, "http://h/p/b.7z", "b.7z", 300, "1=1.0.2"},
      {2, "http://h/p/a|b/c.7z", "c.7z", 1048576, "2=v"},
      {6, "http://h/p/e.7z", "e.7z", 7, "6=V1"},
      {10, "http://h/p/h.7z", "h.7z", 0, "10=w"},
  };
  ASSERT_EQ(plan.packages.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const PlannedPackage& p = plan.packages[i];
    EXPECT_EQ(p.number, expected[i].number);
    EXPECT_EQ(p.url, expected[i].url);
    EXPECT_EQ(p.fileName, expected[i].fileName);
    EXPECT_EQ(p.size, expected[i].size);
    EXPECT_EQ(p.note, expected[i].note);
  }
}

TEST(PackageNote, SplitsAtTheFirstEquals) {
  struct Case {
    const char* note;
    bool split;
    const char* key;
    const char* value;
  } cases[] = {
      {"4=1.0.7", true, "4", "1.0.7"}, {"12=a=b", true, "12", "a=b"}, {"0=", true, "0", ""},
      {"=1.0", false, "", ""},         {"", false, "", ""},           {"nothing", false, "", ""},
  };
  for (const Case& c : cases) {
    std::string key, value;
    EXPECT_EQ(SplitPackageNote(c.note, key, value), c.split) << c.note;
    EXPECT_EQ(key, c.key);
    EXPECT_EQ(value, c.value);
  }
  EXPECT_EQ(PackageNote(4, "1.0.7"), "4=1.0.7");
}

TEST(StatisticsUrl, EncodesTheServerIdOnly) {
  const std::string base = "http://st/WebApi/svn_pay/LoginStatistics.aspx?type=";
  struct Case {
    int type;
    const char* serverId;
    const char* tail;
  } cases[] = {
      {2, "", "2&ver=2.6"},
      {1, "s12", "1&ver=2.6&serverid=s12"},
      {1, "s 1&x=2#f", "1&ver=2.6&serverid=s%201%26x%3D2%23f"},
      {2, "a%b+c", "2&ver=2.6&serverid=a%25b%2Bc"},
      {2, "\xB7\xFE\x31", "2&ver=2.6&serverid=%B7%FE1"},  // GBK bytes
      {1, "s-1._~", "1&ver=2.6&serverid=s-1._~"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildStatisticsUrl("http://st", c.type, "2.6", c.serverId), base + c.tail) << c.serverId;
  }
  EXPECT_EQ(BuildStatisticsUrl(1, "s12"),
            std::string(LOGINTARN_STATISTICS) + "/WebApi/svn_pay/LoginStatistics.aspx?type=1&ver=2.6&serverid=s12");
}

TEST(StatisticsQueue, KeepsOrderAndDoublesItsCapacity) {
  StatisticsQueue queue;
  std::string url;
  EXPECT_FALSE(queue.TakeFirst(url));
  const std::size_t capacities[] = {1, 2, 4, 4, 8};
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(queue.Append("u" + std::to_string(i)));
    EXPECT_EQ(queue.Capacity(), capacities[i]);
  }
  ASSERT_TRUE(queue.TakeFirst(url));
  EXPECT_EQ(url, "u0");
  ASSERT_TRUE(queue.Append("u5"));
  for (int i = 1; i <= 5; ++i) {
    ASSERT_TRUE(queue.TakeFirst(url));
    EXPECT_EQ(url, "u" + std::to_string(i));
  }
  EXPECT_EQ(queue.Count(), 0u);
  EXPECT_FALSE(queue.TakeFirst(url));
}

}  // namespace
