#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "LauncherWindowProbe_win.h"
#include "launcher/core/Messages.h"

namespace {

std::string TestDirectory() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.rfind('\\') + 1);
}

struct ShellCall {
  std::string verb, file, parameters;
  INT show;
};
std::vector<ShellCall> shellCalls;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR, INT show) {
  shellCalls.push_back({verb ? verb : "", file ? file : "", parameters ? parameters : "", show});
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

int Count(const std::vector<PostedMessage>& posted, UINT message) {
  int n = 0;
  for (const PostedMessage& m : posted) n += m.message == message;
  return n;
}

// One window for the whole suite (destroying a top-level window takes seconds under
// Xvfb); every test sets the state it needs first.
class LauncherMessagesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A game directory: the window runs in place instead of installing itself elsewhere.
    for (const char* sub : {"Data", "Map", "Wav"}) ::CreateDirectoryA((TestDirectory() + sub).c_str(), nullptr);
    frame_ = new LauncherWindowFixture;
    window_ = new LauncherWindow;
    ASSERT_TRUE(window_->CreateLauncherWindow());
  }
  static void TearDownTestSuite() {
    delete window_;
    delete frame_;
  }
  void SetUp() override {
    hwnd_ = window_->Hwnd();
    ASSERT_NE(hwnd_, nullptr);
    ::ShowWindow(hwnd_, SW_SHOW);
    TakePosted(hwnd_);
    probe_.SetShellExecute(&RecordShellExecute);
    probe_.UpdatePhase() = 0;
    probe_.UpdateListReady() = false;
    probe_.FileBarPercent() = 0;
    probe_.TotalBarPercent() = 0;
    probe_.ProgressSlots().Clear();
    shellCalls.clear();
  }
  void TearDown() override { TakePosted(hwnd_); }

  void EnterDownloadPhase(int slots) {
    probe_.UpdatePhase() = 3;
    probe_.ProgressSlots().Clear();
    for (int i = 0; i < slots; ++i) probe_.ProgressSlots().Add(i);
  }

  static LauncherWindowFixture* frame_;
  static LauncherWindow* window_;
  LauncherWindowProbe probe_{*window_};
  HWND hwnd_ = nullptr;
};

LauncherWindowFixture* LauncherMessagesTest::frame_ = nullptr;
LauncherWindow* LauncherMessagesTest::window_ = nullptr;

TEST_F(LauncherMessagesTest, MessageNumbersAreTheWindowsInterface) {
  const unsigned expected[] = {1126, 1143, 1160, 1177, 1194, 1211, 1228, 1245, 1262, 1279};
  const unsigned actual[] = {UM_STORE_TEXT,     UM_CLIENT_PROCESS, UM_LAUNCH_CLIENT, UM_LOGIN_PAGE,
                             UM_PAGE_LOGIN,     UM_RUN_UPDATE,     UM_ITEM_PROGRESS, UM_ITEM_DONE,
                             UM_TOTAL_PROGRESS, UM_QUEUE_DONE};
  for (int k = 0; k < 10; ++k) EXPECT_EQ(actual[k], expected[k]) << k;
}

TEST_F(LauncherMessagesTest, ProgressAndBatchMessagesOutsideClientDownloadChangeNothing) {
  for (int phase : {0, 1, 2}) {
    EnterDownloadPhase(2);
    probe_.UpdatePhase() = phase;
    probe_.FileBarPercent() = 0;
    probe_.TotalBarPercent() = 0;
    ::SendMessageA(hwnd_, UM_ITEM_PROGRESS, 0, 50);
    ::SendMessageA(hwnd_, UM_TOTAL_PROGRESS, 50, 100);
    ::SendMessageA(hwnd_, UM_QUEUE_DONE, 0, 1);
    EXPECT_EQ(probe_.FileBarPercent(), 0) << phase;
    EXPECT_EQ(probe_.ProgressSlots().PercentAt(0), 0) << phase;
    EXPECT_EQ(probe_.TotalBarPercent(), 0) << phase;
    EXPECT_EQ(Count(TakePosted(hwnd_), UM_LAUNCH_CLIENT), 0) << phase;
  }
}

TEST_F(LauncherMessagesTest, ItemProgressMovesTheUpperBarOnlyForTheShownSlot) {
  EnterDownloadPhase(2);
  ::SendMessageA(hwnd_, UM_ITEM_PROGRESS, 1, 70);
  EXPECT_EQ(probe_.ProgressSlots().PercentAt(1), 70);
  EXPECT_EQ(probe_.FileBarPercent(), 0);
  ::SendMessageA(hwnd_, UM_ITEM_PROGRESS, 0, 45);
  EXPECT_EQ(probe_.FileBarPercent(), 45);
  ::SendMessageA(hwnd_, UM_ITEM_PROGRESS, 7, 99);  // an item without a slot
  EXPECT_EQ(probe_.FileBarPercent(), 45);

  probe_.ProgressSlots().Clear();  // no slots at all: ignored
  ::SendMessageA(hwnd_, UM_ITEM_PROGRESS, 0, 10);
  EXPECT_EQ(probe_.FileBarPercent(), 45);
}

TEST_F(LauncherMessagesTest, TotalProgressNeverDividesByZero) {
  EnterDownloadPhase(2);
  ::SendMessageA(hwnd_, UM_TOTAL_PROGRESS, 200, 0);
  EXPECT_EQ(probe_.TotalBarPercent(), 0);
  ::SendMessageA(hwnd_, UM_TOTAL_PROGRESS, 200, 400);  // sizes 100 and 300, 200 bytes received
  EXPECT_EQ(probe_.TotalBarPercent(), 50);
  ::SendMessageA(hwnd_, UM_TOTAL_PROGRESS, 29, 100);
  EXPECT_EQ(probe_.TotalBarPercent(), 28);
}

TEST_F(LauncherMessagesTest, OnlyACompleteBatchStartsTheClient) {
  EnterDownloadPhase(1);
  ::SendMessageA(hwnd_, UM_QUEUE_DONE, 0, 0);
  EXPECT_EQ(Count(TakePosted(hwnd_), UM_LAUNCH_CLIENT), 0);
  ::SendMessageA(hwnd_, UM_QUEUE_DONE, 0, 1);
  std::vector<PostedMessage> posted = TakePosted(hwnd_);
  ASSERT_EQ(Count(posted, UM_LAUNCH_CLIENT), 1);
}

TEST_F(LauncherMessagesTest, LoginPostsExactlyOneFollowUp) {
  const wchar_t* args[7] = {L"a1", L"127.0.0.1", L"8000", L"4", L"a5", L"a6", L"s12"};
  for (bool ready : {false, true}) {
    probe_.UpdateListReady() = ready;
    ::SendMessageA(hwnd_, UM_PAGE_LOGIN, 0, reinterpret_cast<LPARAM>(args));
    std::vector<PostedMessage> posted = TakePosted(hwnd_);
    ASSERT_EQ(posted.size(), 1u) << ready;
    if (ready) {
      EXPECT_EQ(posted[0].message, UM_RUN_UPDATE);
      EXPECT_EQ(posted[0].wParam, 1u);
    } else {
      EXPECT_EQ(posted[0].message, UM_LAUNCH_CLIENT);
      EXPECT_EQ(posted[0].wParam, 0u);
    }
    EXPECT_EQ(posted[0].lParam, 0);
  }
}

TEST_F(LauncherMessagesTest, ClientProcessHidesAndOnlyClientEndShowsAgain) {
  ::SendMessageA(hwnd_, UM_CLIENT_PROCESS, 0, 4242);
  EXPECT_EQ(probe_.ClientProcessId(), 4242u);
  EXPECT_FALSE(::IsWindowVisible(hwnd_));
  ::SendMessageA(hwnd_, UM_LOGIN_PAGE, 0, kLoginPageOpen);
  EXPECT_FALSE(::IsWindowVisible(hwnd_));

  probe_.ServerId() = "s12";
  probe_.LayoutMode() = 1;
  ::SendMessageA(hwnd_, UM_LOGIN_PAGE, 0, kLoginPageClientEnded);
  EXPECT_TRUE(::IsWindowVisible(hwnd_));
  EXPECT_EQ(probe_.ClientProcessId(), 0u);
  EXPECT_EQ(probe_.ServerId(), "");
  EXPECT_EQ(probe_.LayoutMode(), 0);

  ::SendMessageA(hwnd_, UM_LOGIN_PAGE, 0, kLoginPageHide);
  EXPECT_FALSE(::IsWindowVisible(hwnd_));
}

TEST_F(LauncherMessagesTest, StoredTextIsCopied) {
  char text[] = "hello";
  ::SendMessageA(hwnd_, UM_STORE_TEXT, 0, reinterpret_cast<LPARAM>(text));
  text[0] = 'j';
  EXPECT_EQ(probe_.StoredText(), "hello");
  ::SendMessageA(hwnd_, UM_STORE_TEXT, 0, 0);
  EXPECT_EQ(probe_.StoredText(), "");
}

TEST_F(LauncherMessagesTest, ClientWatchTickWithoutClientReopensTheLoginPage) {
  probe_.ClientProcessId() = 0x7FFFFFF0;  // no such process
  ::SendMessageA(hwnd_, WM_TIMER, kClientWatchTimer, 0);
  std::vector<PostedMessage> posted = TakePosted(hwnd_);
  ASSERT_EQ(Count(posted, UM_LOGIN_PAGE), 1);
  EXPECT_EQ(posted[0].lParam, static_cast<LPARAM>(kLoginPageClientEnded));
}

TEST_F(LauncherMessagesTest, ConnectionPollOpensThePageOnceOnline) {
  ::SetTimer(hwnd_, kConnectionPollTimer, 100000, nullptr);
  ::SendMessageA(hwnd_, WM_TIMER, kConnectionPollTimer, 0);
  std::vector<PostedMessage> posted = TakePosted(hwnd_);
  ASSERT_EQ(Count(posted, UM_LOGIN_PAGE), 1);  // Wine reports a connection
  EXPECT_EQ(posted[0].lParam, static_cast<LPARAM>(kLoginPageOpen));
  EXPECT_FALSE(::KillTimer(hwnd_, kConnectionPollTimer));  // already gone
}

TEST_F(LauncherMessagesTest, CloseAndMinimiseButtonsGoThroughSystemCommands) {
  ::SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(kCmdClose, BN_CLICKED), 0);
  ::SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(kCmdMinimize, 1), 0);
  std::vector<PostedMessage> posted = TakePosted(hwnd_);
  ASSERT_EQ(posted.size(), 2u);
  EXPECT_EQ(posted[0].message, static_cast<UINT>(WM_SYSCOMMAND));
  EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(SC_CLOSE));
  EXPECT_EQ(posted[1].wParam, static_cast<WPARAM>(SC_MINIMIZE));
}

TEST_F(LauncherMessagesTest, LinkButtonsOpenTheirAddress) {
  LauncherSettings& s = probe_.Settings();
  s.HomeUrl = "http://h/";
  s.ForumUrl = "http://f/";
  s.ServiceUrl = "http://s/";
  s.PayUrl0 = "";
  s.ForceUseIE = 1;
  ::SendMessageA(hwnd_, WM_COMMAND, kCmdHome, 0);
  ::SendMessageA(hwnd_, WM_COMMAND, kCmdPay, 0);  // empty address: nothing
  s.ForceUseIE = 0;
  ::SendMessageA(hwnd_, WM_COMMAND, kCmdForum, 0);
  ::SendMessageA(hwnd_, WM_COMMAND, kCmdService, 0);
  ASSERT_EQ(shellCalls.size(), 3u);
  EXPECT_EQ(shellCalls[0].verb, "open");
  EXPECT_EQ(shellCalls[0].file, "iexplore.exe");
  EXPECT_EQ(shellCalls[0].parameters, "http://h/");
  EXPECT_EQ(shellCalls[0].show, SW_SHOWNORMAL);
  EXPECT_EQ(shellCalls[1].file, "http://f/");
  EXPECT_EQ(shellCalls[1].parameters, "");
  EXPECT_EQ(shellCalls[2].file, "http://s/");
}

TEST_F(LauncherMessagesTest, PathsOfTheUpdateFiles) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(probe_.UpdateListPath(), std::string(temp) + "tarnUpdateList.ini");
  EXPECT_EQ(probe_.LocalRecordPath(), TestDirectory() + "ExpData\\Updata.ini");
}

}  // namespace
