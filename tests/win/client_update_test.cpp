#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Endpoints.h"
#include "DownloadRecorder_win.h"
#include "TestFiles_win.h"
#include "UpdateTestSupport_win.h"
#include "launcher/core/Messages.h"
#include "launcher/update/ClientUpdate_win.h"
#include "launcher/update/DownloadQueue_win.h"
#include "launcher/update/LauncherUpdate_win.h"
#include "launcher/update/UpdateList_win.h"

namespace {

const std::string kPackages = std::string(LOGINTARN_DOWNLOADS) + "/packages/";

// A game directory with its update list and local record.
struct GameFolder {
  ScratchFolder scratch{"clientupdate"};
  std::string game = scratch / "game\\";
  std::string list = scratch / "tarnUpdateList.ini";
  std::string record = game + "ExpData\\Updata.ini";
  GameFolder() {
    ::CreateDirectoryA(game.c_str(), nullptr);
    ::CreateDirectoryA((game + "ExpData").c_str(), nullptr);
    ::CreateDirectoryA((game + "Data").c_str(), nullptr);
  }
  bool Exists(const std::string& relative) const {
    return ::GetFileAttributesA((game + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::string Recorded(const char* section, int number) const { return ReadRecordedTag(record, section, number); }
};

void ApplyCheck(const GameFolder& g) {
  ApplyDeletions(ReadClientUpdatePlan(g.list, g.record, "All"), g.game, g.record);
}

TEST(ClientUpdateFiles, DeletionsHappenOncePerTagAndStayInsideTheFolder) {
  GameFolder g;
  std::string outside = g.scratch / "outside.dat";
  ASSERT_TRUE(WriteWholeFile(outside, "x"));
  ASSERT_TRUE(WriteWholeFile(g.game + "Data\\old.dat", "x"));
  ASSERT_TRUE(WriteWholeFile(g.list, "[Delete_All]\r\n0=7|Data\\old.dat\r\n1=9|..\\outside.dat\r\n2=3|" + outside +
                                         "\r\n3=4|Data\\missing.dat\r\n"));
  ApplyCheck(g);
  EXPECT_FALSE(g.Exists("Data\\old.dat"));
  EXPECT_TRUE(::GetFileAttributesA(outside.c_str()) != INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(g.Recorded("Delete", 0), "7");
  EXPECT_EQ(g.Recorded("Delete", 1), "");  // neither deleted nor recorded
  EXPECT_EQ(g.Recorded("Delete", 2), "");
  EXPECT_EQ(g.Recorded("Delete", 3), "4");  // a file already gone still counts as deleted

  ASSERT_TRUE(WriteWholeFile(g.game + "Data\\old.dat", "x"));
  ApplyCheck(g);
  EXPECT_TRUE(g.Exists("Data\\old.dat")) << "the same tag deletes nothing again";

  ASSERT_TRUE(WriteWholeFile(g.list, "[Delete_All]\r\n0=8|Data\\old.dat\r\n"));
  ApplyCheck(g);
  EXPECT_FALSE(g.Exists("Data\\old.dat")) << "a new tag deletes it again";
  EXPECT_EQ(g.Recorded("Delete", 0), "8");
}

TEST(ClientUpdateFiles, PackagesComparedWithTheRecord) {
  GameFolder g;
  ASSERT_TRUE(WritePrivateProfileStringA("Stage0", "0", "1.0.1", g.record.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Stage0", "1", "1.0.1", g.record.c_str()));
  ASSERT_TRUE(WriteWholeFile(g.list,
                             "[Stage0_All]\r\n0=1.0.1|http://h/p/a.7z|100\r\n1=1.0.2|http://h/p/b.7z|300\r\n"
                             "[Stage0_Old]\r\n1=1.0.0|http://h/p/c.7z|5\r\n"));
  ClientUpdatePlan plan = ReadClientUpdatePlan(g.list, g.record, "All");
  ASSERT_EQ(plan.packages.size(), 1u);
  EXPECT_EQ(plan.packages[0].note, "1=1.0.2");
  EXPECT_EQ(plan.packages[0].fileName, "b.7z");
  // Key 0 missing: the section is empty as far as the launcher can see.
  EXPECT_TRUE(ReadClientUpdatePlan(g.list, g.record, "Old").packages.empty());
  EXPECT_EQ(Stage1SectionOf("Old"), "Stage1_Old");
}

TEST(ClientUpdateFiles, PackageThatCannotBeUnpackedStaysUnrecorded) {
  GameFolder g;
  DownloadItem item{};
  std::string archive = g.game + "broken.7z";
  ASSERT_TRUE(WriteWholeFile(archive, "not an archive"));
  lstrcpynA(item.targetPath, archive.c_str(), sizeof item.targetPath);
  lstrcpynA(item.note, "0=1.0.2", sizeof item.note);
  EXPECT_FALSE(FinishClientPackage(item, g.game, g.record));
  EXPECT_TRUE(g.Exists("broken.7z"));
  EXPECT_EQ(g.Recorded("Stage0", 0), "");
}

// The end of the queue's batch: its lParam, or -1 when it did not come in time.
int WaitForBatch(RecorderWindow& window, DWORD timeoutMs) {
  if (!PumpUntil([&] { return window.CountOf(UM_QUEUE_DONE) > 0; }, timeoutMs)) return -1;
  return static_cast<int>(window.Of(UM_QUEUE_DONE).front().lParam);
}

TEST(ClientUpdateFiles, QueuedPackagesAreUnpackedRecordedAndDeleted) {
  GameFolder g;
  ASSERT_TRUE(WriteWholeFile(g.list, "[Stage0_All]\r\n0=0|" + kPackages + "client-a.7z|100\r\n1=1|" + kPackages +
                                         "client-b.7z|300\r\n2=2|" + kPackages + "|1\r\n"));
  ClientUpdatePlan plan = ReadClientUpdatePlan(g.list, g.record, "All");
  RecorderWindow window;
  DownloadQueue queue(window.Hwnd());
  std::vector<int> indices = QueueClientPackages(queue, plan, g.game);
  EXPECT_EQ(indices, (std::vector<int>{0, 1}));
  window.onItemDone = [&](DownloadItem& item) {
    if (item.state == DownloadState::Done) FinishClientPackage(item, g.game, g.record);
  };
  queue.Start();
  EXPECT_EQ(WaitForBatch(window, 20000), 1);
  queue.Stop();
  EXPECT_TRUE(g.Exists("Data\\a.txt"));
  EXPECT_TRUE(g.Exists("Data\\b.txt"));
  EXPECT_FALSE(g.Exists("client-a.7z"));
  EXPECT_FALSE(g.Exists("client-b.7z"));
  EXPECT_EQ(g.Recorded("Stage0", 0), "0");
  EXPECT_EQ(g.Recorded("Stage0", 1), "1");
  EXPECT_TRUE(ReadClientUpdatePlan(g.list, g.record, "All").packages.empty());
}

TEST(LauncherUpdateFiles, NewerVersionIsFetchedUnpackedAndStarted) {
  // Not newer as text, or newer but with nowhere to fetch it from: nothing is queued.
  struct Case {
    const char* ver;
    bool withUrl;
  } cases[] = {{"2.6", true}, {"2.10", true}, {"2.7", false}};
  GameFolder g;
  RecorderWindow window;
  DownloadQueue queue(window.Hwnd());
  for (const Case& c : cases) {
    std::string url = c.withUrl ? "Url=" + kPackages + "stage.7z\r\n" : "";
    ASSERT_TRUE(WriteWholeFile(g.list, std::string("[LoginUp]\r\nVer=") + c.ver + "\r\n" + url));
    int phase = 0;
    EXPECT_FALSE(QueueLauncherPackage(queue, g.list, g.game, phase)) << c.ver;
    EXPECT_EQ(phase, 0);
    EXPECT_EQ(queue.Count(), 0);
  }

  // The running launcher: the idle program under the launcher's name.
  std::string launcher = g.game + "LoginTarn.exe";
  ASSERT_TRUE(::CopyFileA((TestProgramDirectory() + "win_idle_process.exe").c_str(), launcher.c_str(), FALSE));
  StartedProcess running(launcher, {});
  ASSERT_TRUE(running.Running());

  AccessLogTail downloads("downloads.log");
  ASSERT_TRUE(WriteWholeFile(g.list, "[LoginUp]\r\nVer=2.7\r\nUrl=" + kPackages + "stage.7z\r\n"));
  int phase = 0;
  ASSERT_TRUE(QueueLauncherPackage(queue, g.list, g.game, phase));
  EXPECT_EQ(phase, 2);
  bool started = false;
  window.onItemDone = [&](DownloadItem& item) {
    EXPECT_EQ(item.kind, kLauncherPackageItem);
    if (item.state == DownloadState::Done) started = FinishLauncherPackage(item, g.game, launcher);
  };
  EXPECT_EQ(WaitForBatch(window, 20000), 1);
  queue.Stop();
  EXPECT_TRUE(started);
  EXPECT_EQ(downloads.Lines(), (std::vector<std::string>{"GET /packages/stage.7z 200"}));
  EXPECT_FALSE(g.Exists("stage.7z"));
  // The started build ends the running launcher and takes its place.
  EXPECT_NE(running.WaitForExit(15000), static_cast<DWORD>(STILL_ACTIVE));
  std::string stage = g.game + "RidaVadoz.new";
  for (int i = 0; i < 150 && !SameBytes(launcher, stage); ++i) ::Sleep(100);
  EXPECT_TRUE(SameBytes(launcher, stage));
}

}  // namespace
