// The launcher replacing itself with real processes: LoginTarn.exe in a game directory
// fetches the operator site's list, and when the list names a newer launcher, fetches the
// launcher package (a marked copy of this build as "RidaVadoz.new"), which ends the old
// launcher, takes its place and starts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "LauncherProcess_win.h"
#include "Endpoints.h"
#include "UpdateTestSupport_win.h"

namespace {

const char kMark[] = "ZORVATH-TEST-MARKED-BUILD";
const char kPackageRequest[] = "GET /packages/launcher.7z 200";
const char kListRequest[] = "GET /UpdataAll/Updata_Brannock/list.txt 200";
const char kNoUpdateList[] = "[LoginUp]\r\nVer=2.6\r\n";

std::string ListNaming(const char* version) {
  return std::string("[LoginUp]\r\nVer=") + version + "\r\nUrl=" LOGINTARN_DOWNLOADS "/packages/launcher.7z\r\n";
}

size_t CountLines(const std::vector<std::string>& lines, const char* text) {
  size_t n = 0;
  for (const std::string& line : lines) n += line == text;
  return n;
}

// Waits up to 30 s for a request line in the log.
bool WaitForRequest(const AccessLogTail& log, const char* line) {
  for (int i = 0; i < 600; ++i, ::Sleep(50)) {
    if (CountLines(log.Lines(), line) > 0) return true;
  }
  return false;
}

bool EndsWithMark(const std::string& path) {
  std::string bytes;
  return ReadWholeFile(path, bytes) && bytes.find(kMark) != std::string::npos;
}

// A visible "Zorvath" window of some process running from `path`, other than `notThis`.
HWND LauncherWindowRunningFrom(const std::string& path, DWORD notThis, DWORD timeoutMs, DWORD& processId) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  do {
    for (unsigned long id : ProcessesOf(path)) {
      if (id == notThis) continue;
      if (HWND window = WaitForTopLevelWindow(id, L"Zorvath", 0)) {
        processId = id;
        return window;
      }
    }
    ::Sleep(100);
  } while (::GetTickCount64() < deadline);
  return nullptr;
}

void CloseLauncherAt(const std::string& path) {
  DWORD id = 0;
  if (HWND window = LauncherWindowRunningFrom(path, 0, 0, id)) ::PostMessageW(window, WM_CLOSE, 0, 0);
  for (int i = 0; i < 150 && !ProcessesOf(path).empty(); ++i) ::Sleep(100);
}

class LauncherSelfUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeGameDirectory(game_.Path());
    exe_ = game_ / "LoginTarn.exe";
    ASSERT_TRUE(::CopyFileA((TestProgramDirectory() + "LoginTarn.exe").c_str(), exe_.c_str(), FALSE));
  }
  void TearDown() override {
    WriteSiteUpdateList(kNoUpdateList);
    CloseLauncherAt(exe_);
    for (unsigned long id : ProcessesOf(exe_)) {
      winlib::UniqueKernelHandle p(::OpenProcess(PROCESS_TERMINATE, FALSE, id));
      if (p) ::TerminateProcess(p.Get(), 1);
    }
  }

  ScratchFolder game_{"selfupdate_process"};
  std::string exe_;
};

TEST_F(LauncherSelfUpdate, NewerVersionReplacesTheRunningLauncherWithTheMarkedBuild) {
  ASSERT_TRUE(WriteSiteUpdateList(ListNaming("2.7")));
  AccessLogTail downloads("downloads.log");
  ProcessUnderTest old;
  ASSERT_TRUE(old.Start(exe_));

  // Once the package is out, the list stops naming it: the replaced launcher reports the
  // same version and would fetch it again.
  ASSERT_TRUE(WaitForRequest(downloads, kPackageRequest)) << "the launcher package was never fetched";
  ASSERT_TRUE(WriteSiteUpdateList(kNoUpdateList));

  EXPECT_TRUE(old.WaitForExit(20000)) << "the old launcher still runs";
  DWORD newId = 0;
  HWND window = LauncherWindowRunningFrom(exe_, old.Id(), 30000, newId);
  ASSERT_NE(window, nullptr) << "no launcher window came back from " << exe_;
  EXPECT_TRUE(EndsWithMark(exe_)) << "LoginTarn.exe is not the marked build";
  EXPECT_EQ(ProcessesOf(game_ / "RidaVadoz.new"), std::vector<unsigned long>()) << "the new build's stage still runs";
  EXPECT_EQ(CountLines(downloads.Lines(), kPackageRequest), 1u);
}

TEST_F(LauncherSelfUpdate, SameOrTextuallyOlderVersionDownloadsNothing) {
  // Versions compare as text: "2.10" sorts before "2.6".
  for (const char* version : {"2.6", "2.10"}) {
    SCOPED_TRACE(version);
    ASSERT_TRUE(WriteSiteUpdateList(ListNaming(version)));
    AccessLogTail downloads("downloads.log");
    ProcessUnderTest launcher;
    ASSERT_TRUE(launcher.Start(exe_));
    ASSERT_TRUE(WaitForRequest(downloads, kListRequest)) << "the update list was never fetched";
    ::Sleep(2000);  // time in which a package request would have come
    EXPECT_EQ(CountLines(downloads.Lines(), kPackageRequest), 0u);
    EXPECT_TRUE(launcher.Running());
    EXPECT_FALSE(EndsWithMark(exe_));
    CloseLauncherAt(exe_);
    EXPECT_TRUE(launcher.WaitForExit(15000));
  }
}

}  // namespace
