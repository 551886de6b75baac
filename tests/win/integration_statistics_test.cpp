// The two usage reports as the statistics server sees them, for whole update-and-play
// rounds of the real window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Endpoints.h"
#include "LauncherUnderTest_win.h"
#include "UpdateTestSupport_win.h"

namespace {

const std::string kPackages = std::string(LOGINTARN_DOWNLOADS) + "/packages/";

class UsageStatistics : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EndStandIns(5000));
    // As at the start of a launcher run.
    settings_.UpdateStatSent = false;
    settings_.ClientStartStatSent = false;
  }
  void TearDown() override { settings_.OpenStatistics = 0; }

  // One package to fetch (a new tag each time), then the game, then back to the page.
  void UpdateAndPlay(const char* tag) {
    ASSERT_TRUE(
        launcher_.PublishList(std::string("[Stage0_All]\r\n0=") + tag + "|" + kPackages + "client-a.7z|100\r\n"));
    ASSERT_EQ(launcher_.Login(), S_OK);
    std::string report;
    ASSERT_TRUE(launcher_.WaitForClientStart(report, 20000));
    char recorded[32] = {};
    ::GetPrivateProfileStringA("Stage0", "0", "", recorded, sizeof recorded, launcher_.LocalRecordPath().c_str());
    EXPECT_STREQ(recorded, tag) << "the round updated";
    ASSERT_TRUE(launcher_.EndClientAndReturn(15000));
  }

  LauncherUnderTest& launcher_ = LauncherUnderTest::Get();
  LauncherSettings& settings_ = launcher_.Probe().Settings();
};

TEST_F(UsageStatistics, EachEventIsReportedOncePerRun) {
  settings_.OpenStatistics = 1;
  AccessLogTail statistics("statistics.log");
  UpdateAndPlay("st1");
  UpdateAndPlay("st2");
  statistics.WaitForLines(2, 5000);
  launcher_.Loop().PumpFor(300);  // anything more would have arrived by now
  EXPECT_EQ(statistics.Lines(), (std::vector<std::string>{
                                    "GET /WebApi/svn_pay/LoginStatistics.aspx?type=2&ver=2.6&serverid=s12 200",
                                    "GET /WebApi/svn_pay/LoginStatistics.aspx?type=1&ver=2.6&serverid=s12 200",
                                }));
}

TEST_F(UsageStatistics, NothingIsReportedWhenSwitchedOff) {
  settings_.OpenStatistics = 0;
  AccessLogTail statistics("statistics.log");
  UpdateAndPlay("off1");
  launcher_.Loop().PumpFor(500);
  EXPECT_TRUE(statistics.Lines().empty());
  EXPECT_FALSE(settings_.UpdateStatSent);
  EXPECT_FALSE(settings_.ClientStartStatSent);
}

}  // namespace
