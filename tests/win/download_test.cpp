#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "DownloadRecorder_win.h"
#include "TestFiles_win.h"
#include "launcher/core/Messages.h"
#include "launcher/update/DownloadQueue_win.h"
#include "launcher/update/UpdateList_win.h"

namespace {

constexpr DWORD kWaitMs = 15000;

class DownloadTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server.Ready()) << "the test server fixture did not run"; }

  // A unique tag per request so the server's log tells this test's requests apart.
  std::string Tag(const char* what) {
    static int serial = 0;
    return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" + what + "-" +
           std::to_string(++serial);
  }

  bool WaitFor(UINT msg, std::size_t count = 1, DWORD timeoutMs = kWaitMs) {
    return PumpUntil([&] { return window.CountOf(msg) >= count; }, timeoutMs);
  }

  TestServer server;
  RecorderWindow window;
  ScratchFolder folder{"download"};
};

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST_F(DownloadTest, FetchesBodyAndReportsProgress) {
  const std::size_t size = 200000;  // four chunks at most
  std::string tag = Tag("body");
  std::string target = folder / "body.bin";
  DownloadQueue queue(window.Hwnd());
  ASSERT_EQ(queue.Add(server.Url("/body/200000/" + tag + "?secret=1&b=2").c_str(), target.c_str(), 150000, "the note",
                      kClientPackageItem),
            0);
  queue.Start();
  ASSERT_TRUE(WaitFor(UM_QUEUE_DONE));

  auto done = window.Of(UM_ITEM_DONE);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0].item.state, DownloadState::Done);
  EXPECT_EQ(done[0].item.code, kDownloadOk);
  EXPECT_EQ(done[0].item.size, static_cast<std::int64_t>(size));  // the server's length replaces the declared one
  EXPECT_EQ(done[0].item.received, static_cast<std::int64_t>(size));
  EXPECT_STREQ(done[0].item.note, "the note");
  EXPECT_EQ(done[0].item.kind, kClientPackageItem);
  EXPECT_EQ(window.Of(UM_QUEUE_DONE)[0].lParam, 1);

  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(target, bytes));
  EXPECT_EQ(bytes, PatternBytes(size));

  // One progress pair per chunk; the item's percent ends at 100, the batch's counts are
  // received over declared.
  auto items = window.Of(UM_ITEM_PROGRESS);
  auto totals = window.Of(UM_TOTAL_PROGRESS);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items.size(), totals.size());
  EXPECT_EQ(items.back().wParam, 0u);
  EXPECT_EQ(items.back().lParam, 100);
  for (std::size_t i = 1; i < items.size(); ++i) EXPECT_GE(items[i].lParam, items[i - 1].lParam);
  EXPECT_EQ(totals.back().wParam, size);
  EXPECT_EQ(totals.back().lParam, 150000);

  // What went over the wire: the path without its query, the fixed agent, nothing else.
  auto requests = server.Requests(tag);
  ASSERT_EQ(requests.size(), 1u);
  const std::string& r = requests[0];
  EXPECT_EQ(r.substr(0, r.find('\n')), "REQUEST GET /body/200000/" + tag + " HTTP/1.1");
  EXPECT_NE(r.find("User-Agent: Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.0)\n"), std::string::npos) << r;
  EXPECT_NE(r.find("Accept: */*"), std::string::npos) << r;
  EXPECT_EQ(r.find("Range:"), std::string::npos) << r;
  EXPECT_EQ(r.find("secret"), std::string::npos) << r;
}

TEST_F(DownloadTest, RefusedAnswersFailWithoutFile) {
  struct Case {
    const char* name;
    std::string path;
  } cases[] = {
      {"not_found", "/missing/"},
      {"no_length", "/nolength/5000/"},
      {"zero_length", "/zerolength/"},
  };
  DebugOutputCapture traces;
  for (const Case& c : cases) {
    RecorderWindow w;
    std::string tag = Tag(c.name);
    std::string target = folder / (std::string(c.name) + ".bin");
    DownloadQueue queue(w.Hwnd());
    ASSERT_EQ(queue.Add(server.Url(c.path + tag).c_str(), target.c_str(), 0, nullptr, kClientPackageItem), 0);
    queue.Start();
    ASSERT_TRUE(PumpUntil([&] { return w.CountOf(UM_QUEUE_DONE) >= 1; }, kWaitMs)) << c.name;
    queue.Stop();
    auto done = w.Of(UM_ITEM_DONE);
    ASSERT_EQ(done.size(), 1u) << c.name;
    EXPECT_EQ(done[0].item.state, DownloadState::Failed) << c.name;
    EXPECT_EQ(done[0].item.code, kDownloadFailed) << c.name;
    EXPECT_EQ(w.Of(UM_QUEUE_DONE)[0].lParam, 0) << c.name;
    EXPECT_EQ(w.CountOf(UM_ITEM_PROGRESS), 0u) << c.name;
    EXPECT_FALSE(Exists(target)) << c.name;
    EXPECT_EQ(server.Requests(tag).size(), 1u) << c.name;
  }
  // One trace per failed attempt; nothing was read, so every count is 0.
  int failures = 0;
  for (const std::string& t : traces.Texts()) {
    if (t.rfind("ErrorCode=", 0) != 0) continue;
    EXPECT_EQ(t, "ErrorCode=-1, FileSize=0, RealFileSize=0, DownloadedSize=0");
    ++failures;
  }
  EXPECT_EQ(failures, 3);
}

TEST_F(DownloadTest, UnusableUrlsFailInsteadOfHanging) {
  // The URL splitter's output never reaches the network: such items end Failed with -1.
  const char* urls[] = {"", "not a url", "http://", "http:///nohost"};
  for (const char* url : urls) {
    RecorderWindow w;
    DownloadQueue queue(w.Hwnd());
    ASSERT_EQ(queue.Add(url, (folder / "never.bin").c_str(), 0, nullptr, kClientPackageItem), 0);
    queue.Start();
    ASSERT_TRUE(PumpUntil([&] { return w.CountOf(UM_QUEUE_DONE) >= 1; }, kWaitMs)) << url;
    queue.Stop();
    auto done = w.Of(UM_ITEM_DONE);
    ASSERT_EQ(done.size(), 1u) << url;
    EXPECT_EQ(done[0].item.state, DownloadState::Failed) << url;
    EXPECT_EQ(done[0].item.code, kDownloadFailed) << url;
    EXPECT_FALSE(Exists(folder / "never.bin")) << url;
  }
}

TEST_F(DownloadTest, ShortBodyKeepsPartialFileAndIsFetchedAgain) {
  DebugOutputCapture traces;
  std::string tag = Tag("short");
  std::string target = folder / "short.bin";
  DownloadQueue queue(window.Hwnd());
  queue.Add(server.Url("/short/100000/30000/" + tag).c_str(), target.c_str(), 0, nullptr, kClientPackageItem);
  queue.Start();
  ASSERT_TRUE(WaitFor(UM_ITEM_DONE));
  auto first = window.Of(UM_ITEM_DONE)[0];
  EXPECT_EQ(first.item.state, DownloadState::Failed);
  EXPECT_EQ(first.item.code, kDownloadShortBody);
  EXPECT_EQ(first.item.received, 30000);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(target, bytes));
  EXPECT_EQ(bytes, PatternBytes(30000));
  auto texts = traces.Texts();
  EXPECT_NE(
      std::find(texts.begin(), texts.end(), "ErrorCode=-3, FileSize=100000, RealFileSize=30000, DownloadedSize=30000"),
      texts.end());

  // Fetched again after a pause, from byte 0.
  ASSERT_TRUE(WaitFor(UM_ITEM_DONE, 2));
  auto second = window.Of(UM_ITEM_DONE)[1];
  EXPECT_EQ(second.item.code, kDownloadShortBody);
  EXPECT_GE(second.tick - first.tick, 900u);
  queue.Stop();
  auto requests = server.Requests(tag);
  ASSERT_GE(requests.size(), 2u);
  for (const std::string& r : requests) EXPECT_EQ(r.find("Range:"), std::string::npos) << r;
}

TEST_F(DownloadTest, OtherSchemesSpeakHttpToTheirPort) {
  std::string tag = Tag("ftp");
  DownloadQueue queue(window.Hwnd());
  queue.Add(("ftp://127.0.0.1:" + std::to_string(server.Port()) + "/body/10/" + tag).c_str(),
            (folder / "ftp.bin").c_str(), 0, nullptr, kClientPackageItem);
  std::string tag21 = Tag("ftp21");
  if (server.HasPort21()) {
    queue.Add(("ftp://127.0.0.1/body/10/" + tag21).c_str(), (folder / "ftp21.bin").c_str(), 0, nullptr,
              kClientPackageItem);
  }
  queue.Start();
  ASSERT_TRUE(WaitFor(UM_QUEUE_DONE));
  EXPECT_EQ(window.Of(UM_QUEUE_DONE)[0].lParam, 1);
  auto requests = server.Requests(tag);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].substr(0, requests[0].find('\n')), "REQUEST GET /body/10/" + tag + " HTTP/1.1");
  if (!server.HasPort21()) GTEST_SKIP() << "port 21 was not free for the test server";
  auto requests21 = server.Requests(tag21);
  ASSERT_EQ(requests21.size(), 1u);
  EXPECT_NE(requests21[0].find("Host: 127.0.0.1:21\n"), std::string::npos) << requests21[0];
}

TEST_F(DownloadTest, WorkersFollowTheBatchSize) {
  struct Case {
    int items;
    int workers;
  } cases[] = {{0, 0}, {1, 1}, {6, 4}};
  for (const Case& c : cases) {
    RecorderWindow w;
    DownloadQueue queue(w.Hwnd());
    std::string tag = Tag("batch");
    for (int i = 0; i < c.items; ++i) {
      std::string name = "b" + std::to_string(i);
      ASSERT_EQ(queue.Add(server.Url("/body/3000/" + tag + "-" + name).c_str(), (folder / name).c_str(), 3000, nullptr,
                          kClientPackageItem),
                i);
    }
    queue.Start();
    EXPECT_TRUE(queue.IsRunning());
    EXPECT_EQ(queue.WorkerCount(), c.workers) << c.items;
    EXPECT_EQ(queue.BatchTotal(), 3000 * c.items);
    if (c.items == 0) continue;
    ASSERT_TRUE(PumpUntil([&] { return w.CountOf(UM_QUEUE_DONE) >= 1; }, kWaitMs)) << c.items;
    EXPECT_EQ(w.Of(UM_QUEUE_DONE).back().lParam, 1);
    EXPECT_EQ(w.CountOf(UM_ITEM_DONE), static_cast<std::size_t>(c.items));
    EXPECT_EQ(server.Requests(tag).size(), static_cast<std::size_t>(c.items));
    queue.Stop();
    EXPECT_FALSE(queue.IsRunning());
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(queue.BatchReceived(), 0);
  }
}

TEST_F(DownloadTest, AddLimits) {
  DownloadQueue queue(window.Hwnd());
  const std::string url = "http://127.0.0.1:1/x";
  const std::string path = folder / "x";
  // Fields that do not fit are refused whole: a shortened URL or path names another file.
  EXPECT_EQ(queue.Add(std::string(320, 'u').c_str(), path.c_str(), 0, nullptr, 2), -1);
  EXPECT_EQ(queue.Add(url.c_str(), std::string(260, 'p').c_str(), 0, nullptr, 2), -1);
  EXPECT_EQ(queue.Add(url.c_str(), path.c_str(), 0, std::string(320, 'n').c_str(), 2), -1);
  EXPECT_EQ(queue.Count(), 0);
  EXPECT_EQ(
      queue.Add(std::string(319, 'u').c_str(), std::string(259, 'p').c_str(), 0, std::string(319, 'n').c_str(), 2), 0);
  EXPECT_EQ(queue.Add(nullptr, nullptr, -5, nullptr, 1), 1);
  for (int i = 2; i < DownloadQueue::kMaxItems; ++i) ASSERT_EQ(queue.Add(url.c_str(), path.c_str(), 10, nullptr, 2), i);
  EXPECT_EQ(queue.Add(url.c_str(), path.c_str(), 10, nullptr, 2), -1);
  EXPECT_EQ(queue.Count(), DownloadQueue::kMaxItems);
  // Declared sizes of 0 or less count as 0.
  queue.Start();
  EXPECT_EQ(queue.BatchTotal(), 10 * (DownloadQueue::kMaxItems - 2));
  EXPECT_EQ(queue.Add(url.c_str(), path.c_str(), 10, nullptr, 2), 0);
  EXPECT_EQ(queue.Count(), DownloadQueue::kMaxItems);
  queue.Stop();
  EXPECT_EQ(queue.Count(), 0);
  EXPECT_EQ(queue.Add(url.c_str(), path.c_str(), 10, nullptr, 2), 0);
}

TEST_F(DownloadTest, RetriedItemReportsBatchEndEachTime) {
  std::string good = Tag("good");
  std::string flaky = Tag("flaky");
  DownloadQueue queue(window.Hwnd());
  queue.Add(server.Url("/body/1000/" + good).c_str(), (folder / "good").c_str(), 1000, nullptr, kClientPackageItem);
  queue.Add(server.Url("/flaky/" + flaky + "/2/100000/x").c_str(), (folder / "flaky").c_str(), 100000, nullptr,
            kClientPackageItem);
  queue.Start();
  ASSERT_TRUE(PumpUntil(
      [&] {
        auto ends = window.Of(UM_QUEUE_DONE);
        return !ends.empty() && ends.back().lParam == 1;
      },
      kWaitMs));
  queue.Stop();

  auto ends = window.Of(UM_QUEUE_DONE);
  ASSERT_GE(ends.size(), 3u);
  for (std::size_t i = 0; i + 1 < ends.size(); ++i) EXPECT_EQ(ends[i].lParam, 0) << i;
  EXPECT_EQ(server.Requests(flaky).size(), 3u);

  // Attempts at the failing item are spaced out rather than hammering the server.
  std::vector<ReceivedMessage> flakyDone;
  for (const ReceivedMessage& m : window.Of(UM_ITEM_DONE)) {
    if (m.item.index == 1) flakyDone.push_back(m);
  }
  ASSERT_EQ(flakyDone.size(), 3u);
  EXPECT_EQ(flakyDone[0].item.code, kDownloadShortBody);
  EXPECT_EQ(flakyDone[2].item.state, DownloadState::Done);
  EXPECT_GE(flakyDone[1].tick - flakyDone[0].tick, 900u);
  EXPECT_GE(flakyDone[2].tick - flakyDone[1].tick, 1800u);

  // Bytes of failed attempts stay counted: the batch passes its declared total.
  auto totals = window.Of(UM_TOTAL_PROGRESS);
  ASSERT_FALSE(totals.empty());
  EXPECT_EQ(totals.back().wParam, 1000u + 50000u * 2 + 100000u);
  EXPECT_EQ(totals.back().lParam, 101000);
}

TEST_F(DownloadTest, FailedUpdateListEmptiesTheBatch) {
  std::string tag = Tag("list");
  DownloadQueue queue(window.Hwnd());
  queue.Add(server.Url("/missing/" + tag).c_str(), (folder / "list.ini").c_str(), 0, nullptr, kUpdateListItem);
  queue.Start();
  ASSERT_TRUE(WaitFor(UM_QUEUE_DONE));
  EXPECT_EQ(window.Of(UM_ITEM_DONE)[0].item.state, DownloadState::Failed);
  EXPECT_EQ(window.Of(UM_QUEUE_DONE)[0].lParam, 1);
  EXPECT_EQ(queue.Count(), 0);
  PumpFor(1500);  // longer than the first retry pause: nothing is fetched again
  EXPECT_EQ(server.Requests(tag).size(), 1u);
  EXPECT_EQ(window.CountOf(UM_ITEM_DONE), 1u);
  queue.Stop();
}

TEST_F(DownloadTest, LengthsBeyondTwoGigabytesDoNotWrap) {
  const std::int64_t declared = 3000000000LL;
  std::string tag = Tag("huge");
  DownloadQueue queue(window.Hwnd());
  queue.Add(server.Url("/short/3000000000/200000/" + tag).c_str(), (folder / "huge.bin").c_str(), declared, nullptr,
            kClientPackageItem);
  queue.Start();
  EXPECT_EQ(queue.BatchTotal(), declared);
  ASSERT_TRUE(WaitFor(UM_ITEM_DONE));
  queue.Stop();
  auto done = window.Of(UM_ITEM_DONE)[0];
  EXPECT_EQ(done.item.size, declared);
  EXPECT_EQ(done.item.received, 200000);
  EXPECT_EQ(done.item.code, kDownloadShortBody);
  // Both counts travel scaled into 31 bits and keep their ratio.
  auto totals = window.Of(UM_TOTAL_PROGRESS);
  ASSERT_FALSE(totals.empty());
  const ReceivedMessage& last = totals.back();
  EXPECT_GT(last.lParam, 0);
  EXPECT_LE(last.lParam, 0x7FFFFFFF);
  double ratio = static_cast<double>(last.wParam) / static_cast<double>(last.lParam);
  EXPECT_NEAR(ratio, 200000.0 / 3000000000.0, 1e-6);
  for (const ReceivedMessage& m : window.Of(UM_ITEM_PROGRESS)) EXPECT_EQ(m.lParam, 0);
}

TEST_F(DownloadTest, StopDuringSlowReadReturnsPromptly) {
  std::string tag = Tag("slow");
  DownloadQueue queue(window.Hwnd());
  queue.Add(server.Url("/slow/200000/20000/" + tag).c_str(), (folder / "slow.bin").c_str(), 0, nullptr,
            kClientPackageItem);
  queue.Start();
  ASSERT_TRUE(WaitFor(UM_ITEM_PROGRESS));
  ULONGLONG before = ::GetTickCount64();
  queue.Stop();
  ULONGLONG took = ::GetTickCount64() - before;
  // Far below the server's 20 s pause. Closing the request releases the read on Windows;
  // Wine keeps it blocked, and only then is the worker ended by force.
  EXPECT_LT(took, 5000u);
  EXPECT_LE(queue.TerminatedWorkers(), 1);
  EXPECT_FALSE(queue.IsRunning());
  EXPECT_EQ(queue.Count(), 0);

  // Whatever ended the worker left nothing behind that blocks the next batch.
  std::string next = Tag("after");
  ASSERT_EQ(queue.Add(server.Url("/body/70000/" + next).c_str(), (folder / "after.bin").c_str(), 0, nullptr,
                      kClientPackageItem),
            0);
  queue.Start();
  ASSERT_TRUE(WaitFor(UM_QUEUE_DONE));
  EXPECT_EQ(window.Of(UM_QUEUE_DONE).back().lParam, 1);
  queue.Stop();
}

TEST_F(DownloadTest, StopLetsAWorkerBlockedInItemDoneFinish) {
  DownloadQueue queue(window.Hwnd());
  std::vector<bool> stoppingSeen;
  window.onItemDone = [&](DownloadItem&) { stoppingSeen.push_back(queue.IsStopping()); };
  queue.Add(server.Url("/body/10/" + Tag("blocked")).c_str(), (folder / "blocked.bin").c_str(), 0, nullptr,
            kClientPackageItem);
  queue.Start();
  // Not pumping: the worker finishes and waits in its synchronous item-finished message.
  ::Sleep(1000);
  queue.Stop();
  EXPECT_EQ(queue.TerminatedWorkers(), 0);
  // The message was handled during Stop, marked as belonging to a stopping queue.
  ASSERT_EQ(stoppingSeen.size(), 1u);
  EXPECT_TRUE(stoppingSeen[0]);
}

TEST_F(DownloadTest, StopFromTheItemDoneHandler) {
  DownloadQueue queue(window.Hwnd());
  window.onItemDone = [&](DownloadItem&) { queue.Stop(); };
  queue.Add(server.Url("/body/10/" + Tag("inner")).c_str(), (folder / "inner.bin").c_str(), 0, nullptr,
            kClientPackageItem);
  queue.Start();
  ASSERT_TRUE(PumpUntil([&] { return !queue.IsRunning(); }, kWaitMs));
  EXPECT_EQ(queue.TerminatedWorkers(), 0);
  EXPECT_EQ(queue.Count(), 0);
}

class UpdateListTest : public DownloadTest {};

TEST_F(UpdateListTest, ArrivesInTempFolderAndIsRead) {
  const std::string list =
      "[LoginUp]\r\nVer=2.7\r\nUrl=http://h/l.7z\r\n"
      "[Versions]\r\ns1..s9=Old\r\ns5=Five\r\n"
      "[Stage0_Old]\r\n0=1.0|http://h/p/a|b.7z|1048576\r\n1=1.1|http://h/b.7z|5\r\n3=1.3|http://h/d.7z|7\r\n"
      "[Delete_Old]\r\n0=d0|Data\\x.dat\r\n";
  std::string name = Tag("list") + ".ini";
  ASSERT_TRUE(server.PutStatic(name, list));
  std::string listPath;
  ASSERT_TRUE(GetUpdateListPath(listPath));
  ASSERT_GE(listPath.size(), std::strlen(kUpdateListFileName));
  EXPECT_EQ(listPath.substr(listPath.size() - std::strlen(kUpdateListFileName)), kUpdateListFileName);
  ::DeleteFileA(listPath.c_str());

  DownloadQueue queue(window.Hwnd());
  DebugOutputCapture traces;
  bool ready = false;
  int phase = 0;
  window.onItemDone = [&](DownloadItem& item) {
    if (!queue.IsStopping() && item.kind == kUpdateListItem) OnUpdateListDone(window.Hwnd(), item, ready);
  };
  StartUpdateListDownload(queue, server.Url("/static/" + name), listPath, phase);
  EXPECT_EQ(phase, kPhaseUpdateList);
  auto texts = traces.Texts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0], "DownloadUpdateList...");
  EXPECT_EQ(texts[1], server.Url("/static/" + name));
  EXPECT_EQ(texts[2], listPath);
  ASSERT_TRUE(WaitFor(UM_RUN_UPDATE));
  EXPECT_TRUE(ready);
  auto run = window.Of(UM_RUN_UPDATE);
  ASSERT_EQ(run.size(), 1u);
  EXPECT_EQ(run[0].wParam, 0u);
  EXPECT_EQ(run[0].lParam, 0);
  queue.Stop();

  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(listPath, bytes));
  EXPECT_EQ(bytes, list);
  EXPECT_EQ(ReadListValue(listPath, kLauncherSection, "Ver"), "2.7");
  EXPECT_EQ(SelectVersionGroup(listPath, "s5"), "Old");
  EXPECT_EQ(SelectVersionGroup(listPath, "S5"), "All");
  auto stage0 = ReadNumberedValues(listPath, Stage0SectionName("Old"));
  ASSERT_EQ(stage0.size(), 2u);  // entry 3 sits after a gap
  Stage0Entry entry;
  ASSERT_TRUE(SplitStage0Entry(stage0[0], entry));
  EXPECT_EQ(entry.url, "http://h/p/a|b.7z");
  EXPECT_EQ(ReadNumberedValues(listPath, DeleteSectionName("Old")).size(), 1u);
  EXPECT_TRUE(ReadNumberedValues(listPath, Stage0SectionName("All")).empty());
  ::DeleteFileA(listPath.c_str());
}

TEST_F(UpdateListTest, FailedFetchLeavesReadyAlone) {
  struct Case {
    bool readyBefore;
  } cases[] = {{false}, {true}};
  for (const Case& c : cases) {
    RecorderWindow w;
    bool ready = c.readyBefore;
    int phase = 0;
    w.onItemDone = [&](DownloadItem& item) { OnUpdateListDone(w.Hwnd(), item, ready); };
    DownloadQueue q(w.Hwnd());
    StartUpdateListDownload(q, server.Url("/missing/" + Tag("nolist")), folder / "nolist.ini", phase);
    ASSERT_TRUE(PumpUntil([&] { return w.CountOf(UM_QUEUE_DONE) >= 1; }, kWaitMs));
    q.Stop();
    EXPECT_EQ(ready, c.readyBefore);
    EXPECT_EQ(w.CountOf(UM_RUN_UPDATE), 0u);
  }
}

TEST_F(UpdateListTest, TwoCallsLeaveOneItem) {
  DownloadQueue queue(window.Hwnd());
  int phase = 0;
  std::string tag = Tag("twice");
  StartUpdateListDownload(queue, server.Url("/slow/5000/3000/" + tag), folder / "twice.ini", phase);
  StartUpdateListDownload(queue, server.Url("/slow/5000/3000/" + tag), folder / "twice.ini", phase);
  EXPECT_EQ(queue.Count(), 1);
  EXPECT_EQ(queue.WorkerCount(), 1);
  queue.Stop();
}

TEST_F(UpdateListTest, LocalRecordRoundTrip) {
  std::string record = folder / "Updata.ini";
  EXPECT_EQ(ReadRecordedTag(record, kStage0RecordSection, 0), "");
  ASSERT_TRUE(WriteRecordedTag(record, kStage0RecordSection, 0, "1.0.7"));
  ASSERT_TRUE(WriteRecordedTag(record, kDeleteRecordSection, 0, "d0"));
  EXPECT_EQ(ReadRecordedTag(record, kStage0RecordSection, 0), "1.0.7");
  EXPECT_EQ(ReadRecordedTag(record, kDeleteRecordSection, 0), "d0");
  EXPECT_EQ(ReadRecordedTag(record, kStage0RecordSection, 1), "");
}

}  // namespace
