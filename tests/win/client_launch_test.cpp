#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "launcher/core/LauncherSettings.h"
#include "launcher/core/LoginArguments.h"
#include "launcher/system/ClientLaunchBlock_win.h"
#include "launcher/system/ClientLaunchLayout.h"
#include "launcher/system/GameClientLaunch_win.h"
#include "win/TestFiles_win.h"
#include "winlib/Handles_win.h"

namespace {

constexpr char kStandInClass[] = "ZorvathClientStandIn";

LauncherSettings Settings() {
  LauncherSettings s;
  s.PayUrl1 = "http://127.0.0.1:18601/pay1";
  s.HomeUrl = "http://127.0.0.1:18601/";
  s.AntiAddictionUrl = "http://127.0.0.1:18601/aa";
  s.ServiceUrl = "http://127.0.0.1:18601/service";
  return s;
}

LoginArguments Arguments(const wchar_t* host) {
  return LoginArguments{{L"player01", host, L"8000", L"42", L"five", L"token-six", L"s12"}};
}

const HWND kWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x0001022A));

ClientLaunchFields Expected(const char* resolved) {
  ClientLaunchFields f;
  f.Argument1 = "player01";
  f.HostAddress = resolved;
  f.Argument3 = "8000";
  f.Argument4 = "42";
  f.Argument5 = "five";
  f.Argument6 = "token-six";
  f.ServerId = "s12";
  f.ExecutablePath = "C:\\Zorvath\\LoginTarn.exe";
  f.Version = "2.6";
  f.WindowHandle = 0x0001022A;
  LauncherSettings s = Settings();
  f.PayUrl1 = s.PayUrl1;
  f.HomeUrl = s.HomeUrl;
  f.AntiAddictionUrl = s.AntiAddictionUrl;
  f.ServiceUrl = s.ServiceUrl;
  return f;
}

std::string Hex(const unsigned char* bytes, size_t n) {
  std::string out;
  char two[3];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(two, sizeof two, "%02x", bytes[i]);
    out += two;
  }
  return out;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, sizeof path);
  std::string p = path;
  return p.substr(0, p.find_last_of('\\') + 1);
}

std::string ReportValue(const std::string& report, const std::string& key) {
  size_t at = report.find(key + "=");
  if (at == std::string::npos) return "(absent)";
  size_t start = at + key.size() + 1;
  return report.substr(start, report.find('\n', start) - start);
}

bool WaitForReport(const std::string& path, std::string& report) {
  for (int i = 0; i < 200; ++i) {
    if (ReadWholeFile(path, report)) return true;
    ::Sleep(50);
  }
  return false;
}

// Ends the running stand-in through its window; true once it is gone.
bool EndStandIn() {
  HWND window = ::FindWindowExA(HWND_MESSAGE, nullptr, kStandInClass, nullptr);
  if (window == nullptr) return false;
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  for (int i = 0; i < 200; ++i) {
    if (::FindWindowExA(HWND_MESSAGE, nullptr, kStandInClass, nullptr) == nullptr) return true;
    ::Sleep(50);
  }
  return false;
}

class ClientLaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = MapClientLaunchBlock();
    ASSERT_NE(view_, nullptr);
    std::memset(view_, 0xCC, kClientLaunchBlockSize);
  }
  void TearDown() override { UnmapClientLaunchBlock(view_); }
  unsigned char* view_ = nullptr;
};

TEST_F(ClientLaunchTest, FillWritesTheExactBytes) {
  LoginArguments arguments = Arguments(L"127.0.0.1");
  std::string serverId = "old";
  ASSERT_TRUE(FillClientLaunchBlock(view_, &arguments, Settings(), "C:\\Zorvath\\LoginTarn.exe", kWindow, serverId));
  EXPECT_EQ(serverId, "s12");

  unsigned char expected[kClientLaunchBlockSize];
  EncodeClientLaunchBlock(Expected("127.0.0.1"), expected);
  EXPECT_EQ(Hex(view_, kClientLaunchBlockSize), Hex(expected, sizeof expected));
  // A few bytes spelled out, independent of the encoder.
  EXPECT_EQ(std::string(reinterpret_cast<char*>(view_), 4), std::string("\x03s12", 4));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(view_ + 31), 10), std::string("\x09"
                                                                              "127.0.0.1",
                                                                              10));
  EXPECT_EQ(view_[48] | view_[49] << 8, 8000);
  EXPECT_EQ(view_[51], 1);
  EXPECT_EQ(view_[488], 0x2A);
  EXPECT_EQ(view_[489], 0x02);
  EXPECT_EQ(view_[490], 0x01);
}

TEST_F(ClientLaunchTest, AddressThatDoesNotResolveLeavesItsFieldEmpty) {
  for (const wchar_t* host : {L"", L"no-such-host.invalid"}) {
    LoginArguments arguments = Arguments(host);
    std::string serverId;
    ASSERT_TRUE(FillClientLaunchBlock(view_, &arguments, Settings(), "C:\\Zorvath\\LoginTarn.exe", kWindow, serverId));
    unsigned char expected[kClientLaunchBlockSize];
    EncodeClientLaunchBlock(Expected(""), expected);
    EXPECT_EQ(Hex(view_, kClientLaunchBlockSize), Hex(expected, sizeof expected));
  }
  char buffer[20] = "untouched";
  EXPECT_FALSE(ResolveHostAddress("no-such-host.invalid", buffer));
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_TRUE(ResolveHostAddress("127.0.0.1", buffer));
  EXPECT_STREQ(buffer, "127.0.0.1");
}

TEST_F(ClientLaunchTest, NoViewOrNoArgumentsWritesNothing) {
  LoginArguments arguments = Arguments(L"127.0.0.1");
  std::string serverId;
  EXPECT_FALSE(FillClientLaunchBlock(nullptr, &arguments, Settings(), "x", kWindow, serverId));
  EXPECT_EQ(serverId, "s12") << "the update check still learns the chosen server";
  serverId = "kept";
  EXPECT_FALSE(FillClientLaunchBlock(view_, nullptr, Settings(), "x", kWindow, serverId));
  EXPECT_EQ(serverId, "kept");
  EXPECT_EQ(view_[0], 0xCC);
}

TEST_F(ClientLaunchTest, StandInClientReadsBackWhatTheLauncherWrote) {
  ScratchFolder scratch("client-launch");
  std::string reportPath = scratch / "report.txt";
  ::SetEnvironmentVariableA("CLIENT_STAND_IN_REPORT", reportPath.c_str());
  LoginArguments arguments = Arguments(L"127.0.0.1");
  std::string serverId;
  ASSERT_TRUE(FillClientLaunchBlock(view_, &arguments, Settings(), "C:\\Zorvath\\LoginTarn.exe", kWindow, serverId));
  std::string written = Hex(view_, kClientLaunchBlockSize);

  // From Vista on (Wine reports 6.1): through "runas", the process id stays unknown.
  unsigned long processId = 0;
  ASSERT_TRUE(StartGameClient(ProgramFolder(), true, processId));
  EXPECT_EQ(processId, 0u);
  std::string report;
  ASSERT_TRUE(WaitForReport(reportPath, report));
  EXPECT_EQ(ReportValue(report, "bytes"), written);
  EXPECT_EQ(ReportValue(report, "ServerId"), "s12");
  EXPECT_EQ(ReportValue(report, "HostAddress"), "127.0.0.1");
  EXPECT_EQ(ReportValue(report, "Port"), "8000");
  EXPECT_EQ(ReportValue(report, "Argument4"), "42");
  EXPECT_EQ(ReportValue(report, "WindowHandle"), std::to_string(0x0001022A));
  EXPECT_EQ(ReportValue(report, "ServiceUrl"), "http://127.0.0.1:18601/service");
  EXPECT_TRUE(EndStandIn());

  // Before Vista: a direct start whose process id is kept.
  ::DeleteFileA(reportPath.c_str());
  ASSERT_TRUE(StartGameClient(ProgramFolder(), false, processId));
  EXPECT_NE(processId, 0u);
  ASSERT_TRUE(WaitForReport(reportPath, report));
  EXPECT_EQ(ReportValue(report, "pid"), std::to_string(processId));
  EXPECT_EQ(ReportValue(report, "bytes"), written);
  winlib::UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  ASSERT_TRUE(process.Valid());
  EXPECT_TRUE(EndStandIn());
  EXPECT_EQ(::WaitForSingleObject(process.Get(), 5000), WAIT_OBJECT_0);
  ::SetEnvironmentVariableA("CLIENT_STAND_IN_REPORT", nullptr);
}

TEST(GameClientStart, MissingClientIsNotStarted) {
  ScratchFolder empty("no-client");
  unsigned long processId = 77;
  EXPECT_FALSE(StartGameClient(empty.Path(), false, processId));
  EXPECT_FALSE(StartGameClient(empty.Path(), true, processId));
  EXPECT_EQ(processId, 77u);
}

}  // namespace
