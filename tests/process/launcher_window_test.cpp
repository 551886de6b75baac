#include <gtest/gtest.h>
#include <windows.h>

#include "LauncherProcess_win.h"
#include "TestFiles_win.h"
#include "launcher/core/Messages.h"

namespace {

// Each test runs its own copy of the launcher inside a game directory, so the files it
// writes beside itself stay in the test's folder.
class LauncherWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeGameDirectory(folder_.Path());
    exe_ = folder_ / "LoginTarn.exe";
    ASSERT_TRUE(::CopyFileA((TestProgramDirectory() + "LoginTarn.exe").c_str(), exe_.c_str(), FALSE));
    ASSERT_TRUE(launcher_.Start(exe_));
    window_ = WaitForTopLevelWindow(launcher_.Id(), L"Zorvath", 20000);
    ASSERT_NE(window_, nullptr) << "no visible window titled Zorvath";
  }
  void TearDown() override { launcher_.Kill(); }

  ScratchFolder folder_{"window"};
  std::string exe_;
  ProcessUnderTest launcher_;
  HWND window_ = nullptr;
};

TEST_F(LauncherWindowTest, BorderlessTopLevelWindowThatClosesOnWmCloseWithoutAsking) {
  LONG style = ::GetWindowLongW(window_, GWL_STYLE);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_FALSE(style & WS_CAPTION) << std::hex << style;
  EXPECT_FALSE(style & WS_THICKFRAME) << std::hex << style;
  EXPECT_EQ(::GetParent(window_), nullptr);
  EXPECT_TRUE(::GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW);

  // The run marker is written beside the launcher.
  char run[4] = {};
  ::GetPrivateProfileStringA("App", "Run", "", run, sizeof run, (folder_ / "LoginTarn.ini").c_str());
  EXPECT_STREQ(run, "1");

  ::PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(launcher_.WaitForExit(15000));
  EXPECT_EQ(launcher_.ExitCode(), 0u);  // a crash at shutdown would end it too
  EXPECT_EQ(WaitForMessageBox(launcher_.Id(), 0), nullptr);
}

TEST_F(LauncherWindowTest, SystemCloseAsksAndOnlyOkCloses) {
  ::PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND box = WaitForMessageBox(launcher_.Id(), 10000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowTextOf(box), L"Zorvath");
  EXPECT_EQ(MessageBoxText(box), L"您真的要退出Zorvath吗?");
  EXPECT_EQ(::GetWindow(box, GW_OWNER), window_);
  AnswerMessageBox(box, IDCANCEL);
  EXPECT_FALSE(launcher_.WaitForExit(1500));
  EXPECT_TRUE(::IsWindowVisible(window_));

  ::PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  box = WaitForMessageBox(launcher_.Id(), 10000);
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(launcher_.WaitForExit(15000));
  EXPECT_EQ(launcher_.ExitCode(), 0u);
}

TEST_F(LauncherWindowTest, AnotherProgramHidesItThroughItsMessages) {
  // The game client names itself with UM_CLIENT_PROCESS; this test program plays the client.
  ASSERT_TRUE(::PostMessageW(window_, UM_CLIENT_PROCESS, 0, static_cast<LPARAM>(::GetCurrentProcessId())));
  for (int i = 0; i < 100 && ::IsWindowVisible(window_); ++i) ::Sleep(50);
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_TRUE(launcher_.Running());

  ::ShowWindow(window_, SW_SHOW);
  ASSERT_TRUE(::IsWindowVisible(window_));
  ASSERT_TRUE(::PostMessageW(window_, UM_LOGIN_PAGE, 0, kLoginPageHide));
  for (int i = 0; i < 100 && ::IsWindowVisible(window_); ++i) ::Sleep(50);
  EXPECT_FALSE(::IsWindowVisible(window_));
}

TEST_F(LauncherWindowTest, CloseButtonAsksBeforeClosing) {
  ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(kCmdClose, BN_CLICKED), 0);
  HWND box = WaitForMessageBox(launcher_.Id(), 10000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"您真的要退出Zorvath吗?");
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(launcher_.WaitForExit(15000));
}

TEST(NetworkTuning, HiddenCommandStartedWithoutWaiting) {
  ScratchFolder folder("tuning");
  MakeGameDirectory(folder.Path());
  std::string exe = folder / "LoginTarn.exe";
  ASSERT_TRUE(::CopyFileA((TestProgramDirectory() + "LoginTarn.exe").c_str(), exe.c_str(), FALSE));
  ASSERT_TRUE(::CopyFileA((TestProgramDirectory() + "fake_command.exe").c_str(), (folder / "cmd.exe").c_str(), FALSE));
  ProcessUnderTest launcher;
  ASSERT_TRUE(launcher.Start(exe));
  HWND window = WaitForTopLevelWindow(launcher.Id(), L"Zorvath", 20000);
  ASSERT_NE(window, nullptr);

  std::string report;
  for (int i = 0; i < 100 && !ReadWholeFile(folder / "command-report.txt", report); ++i) ::Sleep(100);
  ASSERT_FALSE(report.empty()) << "the network command was not started";
  EXPECT_EQ(report, "cmd.exe /c \"\"netsh\" interface tcp set global autotuninglevel=disabled\"\n" +
                        std::to_string(STARTF_USESHOWWINDOW) + "\n" + std::to_string(SW_HIDE) + "\n");
  // The command still runs (it stays six seconds) while the launcher answers at once.
  DWORD_PTR answer = 0;
  EXPECT_TRUE(::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer));
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(launcher.WaitForExit(15000));
  ::Sleep(6000);  // let the stand-in end before the folder goes
}

}  // namespace
