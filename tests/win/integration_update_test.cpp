// The staged client update after a login, with the real window, queue, archives, download
// server and client stand-in: what is fetched, unpacked, recorded and deleted, the question
// when another game client runs, and the progress bars.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Endpoints.h"
#include "LauncherUnderTest_win.h"
#include "UpdateTestSupport_win.h"
#include "launcher/core/Messages.h"

namespace {

const std::string kPackages = std::string(LOGINTARN_DOWNLOADS) + "/packages/";
const std::string kTwoPackages =
    "[Stage0_All]\r\n0=0|" + kPackages + "client-a.7z|100\r\n1=1|" + kPackages + "client-b.7z|300\r\n";
const wchar_t kQuestion[] =
    L"Zorvath检测到您多开游戏\r\n确定:将关闭所有游戏窗口进行更新\r\n取消:继续运行,不更新,这样可能会影响游戏体验";

std::string PackageRequest(const char* name) { return std::string("GET /packages/") + name + " 200"; }

// The package requests among logged lines (list fetches of the page openings aside).
std::vector<std::string> Packages(const std::vector<std::string>& lines) {
  std::vector<std::string> packages;
  for (const std::string& line : lines) {
    if (line.compare(0, 14, "GET /packages/") == 0) packages.push_back(line);
  }
  return packages;
}

class StagedUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EndStandIns(5000));
    ::DeleteFileA(launcher_.LocalRecordPath().c_str());
    for (const char* name : {"Data\\a.txt", "Data\\b.txt", "Data\\old.dat", "client-a.7z", "client-b.7z"}) {
      ::DeleteFileA(Path(name).c_str());
    }
  }
  void TearDown() override { EndStandIns(5000); }

  std::string Path(const std::string& relative) const { return launcher_.Directory() + relative; }
  bool Exists(const std::string& relative) const {
    return ::GetFileAttributesA(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::string Recorded(const char* section, const char* key) const {
    char value[256] = {};
    ::GetPrivateProfileStringA(section, key, "", value, sizeof value, launcher_.LocalRecordPath().c_str());
    return value;
  }
  // A login that ends with the client running; the launcher is then brought back.
  void PlayOnce() {
    ASSERT_EQ(launcher_.Login(), S_OK);
    std::string report;
    ASSERT_TRUE(launcher_.WaitForClientStart(report, 20000));
    ASSERT_TRUE(launcher_.EndClientAndReturn(15000));
  }

  LauncherUnderTest& launcher_ = LauncherUnderTest::Get();
  LauncherWindowProbe& probe_ = launcher_.Probe();
};

TEST_F(StagedUpdate, RecordDecidesWhatIsFetchedUnpackedAndStarted) {
  ASSERT_TRUE(launcher_.PublishList(kTwoPackages));
  AccessLogTail downloads("downloads.log");
  ASSERT_EQ(launcher_.Login(), S_OK);

  // Right after the check: both packages queued, the update look, both bars at 0.
  ASSERT_TRUE(launcher_.Loop().PumpUntil(
      [](const MSG* m) { return m != nullptr && m->message == UM_RUN_UPDATE && m->wParam == 1; }, 10000));
  EXPECT_EQ(probe_.UpdatePhase(), 3);
  EXPECT_EQ(probe_.ProgressSlots().Count(), 2);
  EXPECT_EQ(probe_.LayoutMode(), 1);
  EXPECT_TRUE(::IsWindowVisible(probe_.FileBar().Hwnd()));
  EXPECT_TRUE(::IsWindowVisible(probe_.TotalBar().Hwnd()));
  EXPECT_EQ(probe_.FileBar().Position(), 0);
  EXPECT_EQ(probe_.TotalBar().Position(), 0);
  EXPECT_EQ(probe_.Stage1SectionName(), "Stage1_All");

  std::string report;
  ASSERT_TRUE(launcher_.WaitForClientStart(report, 20000));
  std::string a, b;
  EXPECT_TRUE(ReadWholeFile(Path("Data\\a.txt"), a));
  EXPECT_TRUE(ReadWholeFile(Path("Data\\b.txt"), b));
  EXPECT_EQ(a, "client package a\r\n");
  EXPECT_EQ(b, "client package b\r\n");
  EXPECT_EQ(Recorded("Stage0", "0"), "0");
  EXPECT_EQ(Recorded("Stage0", "1"), "1");
  EXPECT_FALSE(Exists("client-a.7z"));
  EXPECT_FALSE(Exists("client-b.7z"));
  downloads.WaitForLines(2, 5000);
  std::vector<std::string> fetched = Packages(downloads.Lines());
  std::sort(fetched.begin(), fetched.end());
  EXPECT_EQ(fetched, (std::vector<std::string>{PackageRequest("client-a.7z"), PackageRequest("client-b.7z")}));
  EXPECT_EQ(ReportValue(report, "Stage1SectionName"), "Stage1_All");

  ASSERT_TRUE(launcher_.EndClientAndReturn(15000));
  EXPECT_EQ(probe_.LayoutMode(), 0);
  EXPECT_FALSE(::IsWindowVisible(probe_.TotalBar().Hwnd()));

  // The same list again: everything is recorded, the client starts at once.
  AccessLogTail second("downloads.log");
  ASSERT_EQ(launcher_.Login(), S_OK);
  ASSERT_TRUE(launcher_.WaitForClientStart(report, 20000));
  EXPECT_EQ(probe_.ProgressSlots().Count(), 0);
  EXPECT_EQ(probe_.LayoutMode(), 0);
  EXPECT_TRUE(Packages(second.Lines()).empty());
  ASSERT_TRUE(launcher_.EndClientAndReturn(15000));

  // A changed tag is fetched again, and only that one.
  std::string changed = kTwoPackages;
  changed.replace(changed.find("1=1|"), 4, "1=1b|");
  ASSERT_TRUE(launcher_.PublishList(changed));
  ::DeleteFileA(Path("Data\\b.txt").c_str());
  AccessLogTail third("downloads.log");
  ASSERT_EQ(launcher_.Login(), S_OK);
  ASSERT_TRUE(launcher_.WaitForClientStart(report, 20000));
  third.WaitForLines(1, 5000);
  EXPECT_EQ(Packages(third.Lines()), (std::vector<std::string>{PackageRequest("client-b.7z")}));
  EXPECT_TRUE(Exists("Data\\b.txt"));
  EXPECT_EQ(Recorded("Stage0", "0"), "0");
  EXPECT_EQ(Recorded("Stage0", "1"), "1b");
  ASSERT_TRUE(launcher_.EndClientAndReturn(15000));
}

TEST_F(StagedUpdate, ListedFileIsDeletedOncePerTag) {
  ASSERT_TRUE(WriteWholeFile(Path("Data\\old.dat"), "old"));
  ASSERT_TRUE(launcher_.PublishList("[Delete_All]\r\n0=7|Data\\old.dat\r\n"));
  PlayOnce();
  EXPECT_FALSE(Exists("Data\\old.dat"));
  EXPECT_EQ(Recorded("Delete", "0"), "7");

  ASSERT_TRUE(WriteWholeFile(Path("Data\\old.dat"), "old"));
  PlayOnce();
  EXPECT_TRUE(Exists("Data\\old.dat")) << "the same tag deletes nothing again";

  ASSERT_TRUE(launcher_.PublishList("[Delete_All]\r\n0=8|Data\\old.dat\r\n"));
  PlayOnce();
  EXPECT_FALSE(Exists("Data\\old.dat")) << "a new tag deletes it again";
  EXPECT_EQ(Recorded("Delete", "0"), "8");
}

TEST_F(StagedUpdate, CancelWhileAnotherClientRunsStartsWithoutUpdating) {
  ASSERT_TRUE(WriteWholeFile(Path("Data\\old.dat"), "old"));
  ASSERT_TRUE(launcher_.PublishList("[Delete_All]\r\n0=9|Data\\old.dat\r\n[Stage0_All]\r\n0=0|" + kPackages +
                                    "client-a.7z|100\r\n"));
  ScratchFolder scratch("other-client");
  std::string otherReport;
  std::unique_ptr<StartedProcess> other = StartOtherClient(scratch / "other.txt", otherReport);
  ASSERT_FALSE(otherReport.empty());
  AccessLogTail downloads("downloads.log");

  MessageBoxAnswerer answerer(IDCANCEL);
  ASSERT_EQ(launcher_.Login(), S_OK);
  std::string report;
  ASSERT_TRUE(launcher_.WaitForClientStart(report, 20000));
  ASSERT_TRUE(answerer.Answered(5000));
  EXPECT_EQ(answerer.Caption(), L"Zorvath");
  EXPECT_EQ(answerer.Text(), kQuestion);

  EXPECT_TRUE(other->Running());
  EXPECT_EQ(CountStandIns(), 2);
  EXPECT_EQ(probe_.LayoutMode(), 0);
  launcher_.Loop().PumpFor(300);
  EXPECT_TRUE(Packages(downloads.Lines()).empty());
  EXPECT_FALSE(Exists("Data\\a.txt"));
  EXPECT_EQ(Recorded("Stage0", "0"), "");
  // Deletions come first, whatever the player answers.
  EXPECT_FALSE(Exists("Data\\old.dat"));
  EXPECT_EQ(Recorded("Delete", "0"), "9");
  ASSERT_TRUE(launcher_.EndClientAndReturn(15000));
}

TEST_F(StagedUpdate, OkWhileAnotherClientRunsEndsItAndUpdates) {
  ASSERT_TRUE(launcher_.PublishList("[Stage0_All]\r\n0=0|" + kPackages + "client-a.7z|100\r\n"));
  ScratchFolder scratch("other-client");
  std::string otherReport;
  std::unique_ptr<StartedProcess> other = StartOtherClient(scratch / "other.txt", otherReport);
  ASSERT_FALSE(otherReport.empty());
  AccessLogTail downloads("downloads.log");

  MessageBoxAnswerer answerer(IDOK);
  ASSERT_EQ(launcher_.Login(), S_OK);
  std::string report;
  ASSERT_TRUE(launcher_.WaitForClientStart(report, 20000));
  ASSERT_TRUE(answerer.Answered(5000));
  EXPECT_NE(other->WaitForExit(5000), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(CountStandIns(), 1);
  downloads.WaitForLines(1, 5000);
  EXPECT_EQ(Packages(downloads.Lines()), (std::vector<std::string>{PackageRequest("client-a.7z")}));
  EXPECT_TRUE(Exists("Data\\a.txt"));
  EXPECT_EQ(Recorded("Stage0", "0"), "0");
  ASSERT_TRUE(launcher_.EndClientAndReturn(15000));
}

TEST_F(StagedUpdate, PackageSectionWithoutKeyZeroStartsTheClientAtOnce) {
  ASSERT_TRUE(launcher_.PublishList("[Stage0_All]\r\n1=1|" + kPackages + "client-b.7z|300\r\n"));
  AccessLogTail downloads("downloads.log");
  ASSERT_EQ(launcher_.Login(), S_OK);
  std::string report;
  ASSERT_TRUE(launcher_.WaitForClientStart(report, 20000));
  EXPECT_EQ(probe_.LayoutMode(), 0);
  EXPECT_TRUE(Packages(downloads.Lines()).empty());
  EXPECT_FALSE(Exists("Data\\b.txt"));
  ASSERT_TRUE(launcher_.EndClientAndReturn(15000));
}

TEST_F(StagedUpdate, LowerBarShowsBytesReceivedOverTheListedSizes) {
  // 200 bytes arrive for a package listed as 100; the one listed as 300 is missing on the
  // server and keeps being retried, so the batch rests at 200 of 400.
  const std::string served = OperatorSitePath("downloads/packages/half.bin");
  ASSERT_TRUE(WriteWholeFile(served, std::string(200, 'h')));
  ASSERT_TRUE(launcher_.PublishList("[Stage0_All]\r\n0=h|" + kPackages + "half.bin|100\r\n1=m|" + kPackages +
                                    "missing.7z|300\r\n"));
  ASSERT_EQ(launcher_.Login(), S_OK);
  EXPECT_TRUE(launcher_.Loop().PumpUntil([&] { return probe_.TotalBar().Position() == 50; }, 10000));
  EXPECT_EQ(probe_.TotalBarPercent(), 50);
  EXPECT_EQ(probe_.LayoutMode(), 1);
  EXPECT_TRUE(::IsWindowVisible(launcher_.Hwnd()));
  EXPECT_EQ(CountStandIns(), 0);

  // Reopening the page gives the batch up; the window takes its login look back.
  EXPECT_TRUE(launcher_.PublishList("[LoginUp]\r\nVer=2.6\r\n", kLoginPageClientEnded));
  EXPECT_EQ(probe_.LayoutMode(), 0);
  ::DeleteFileA(served.c_str());
  ::DeleteFileA(Path("half.bin").c_str());
}

}  // namespace
