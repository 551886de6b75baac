// The login road with the real window, its message loop, the download server and the
// client stand-in: the page's login call, the client start, and the return to the login
// page when the client ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "LauncherUnderTest_win.h"
#include "UpdateTestSupport_win.h"
#include "launcher/system/ClientLaunchLayout.h"
#include "winlib/OleOwners_win.h"

namespace {

constexpr char kListRequest[] = "GET /UpdataAll/Updata_Brannock/list.txt 200";

std::string Hex(const unsigned char* bytes, std::size_t n) {
  std::string out;
  char two[3];
  for (std::size_t i = 0; i < n; ++i) {
    std::snprintf(two, sizeof two, "%02x", bytes[i]);
    out += two;
  }
  return out;
}

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string BrowserLocation(IWebBrowser2* browser) {
  if (browser == nullptr) return "(no browser)";
  winlib::UniqueBstr url;
  if (FAILED(browser->get_LocationURL(url.Put())) || url.Get() == nullptr) return "";
  char text[1024] = {};
  ::WideCharToMultiByte(CP_ACP, 0, url.Get(), -1, text, sizeof text, nullptr, nullptr);
  return text;
}

TEST(LoginRoad, ClientGetsTheBlockAndTheLauncherComesBackWithAFreshPage) {
  LauncherUnderTest& launcher = LauncherUnderTest::Get();
  LauncherWindowProbe& probe = launcher.Probe();
  AccessLogTail downloads("downloads.log");
  ASSERT_TRUE(launcher.PublishList("[LoginUp]\r\nVer=2.6\r\n"));

  ASSERT_EQ(launcher.Login(), S_OK);
  std::string report;
  ASSERT_TRUE(launcher.WaitForClientStart(report, 15000));
  EXPECT_FALSE(::IsWindowVisible(launcher.Hwnd()));

  // What the client reads is exactly what the launcher was given, placed by the layout.
  const LauncherSettings& settings = probe.Settings();
  ClientLaunchFields fields;
  fields.Argument1 = "player01";
  fields.HostAddress = "127.0.0.1";
  fields.Argument3 = "8000";
  fields.Argument4 = "42";
  fields.Argument5 = "five";
  fields.Argument6 = "token-six";
  fields.ServerId = "s12";
  fields.ExecutablePath = ProgramPath();
  fields.Version = "2.6";
  fields.WindowHandle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(launcher.Hwnd()));
  fields.PayUrl1 = settings.PayUrl1;
  fields.HomeUrl = settings.HomeUrl;
  fields.AntiAddictionUrl = settings.AntiAddictionUrl;
  fields.ServiceUrl = settings.ServiceUrl;
  unsigned char expected[kClientLaunchBlockSize] = {};
  EncodeClientLaunchBlock(fields, expected);
  // The list was fetched, so the version check ran before the start and named stage 1.
  WriteStage1SectionName("Stage1_All", expected);
  EXPECT_EQ(ReportValue(report, "bytes"), Hex(expected, sizeof expected));
  EXPECT_EQ(ReportValue(report, "ServerId"), "s12");
  EXPECT_EQ(ReportValue(report, "Port"), "8000");
  EXPECT_EQ(ReportValue(report, "Stage1SectionName"), "Stage1_All");
  EXPECT_EQ(ReportValue(report, "ExecutablePath"), ProgramPath());
  EXPECT_EQ(probe.ServerId(), "s12");

  ASSERT_TRUE(launcher.EndClientAndReturn(15000));
  EXPECT_TRUE(::IsWindowVisible(launcher.Hwnd()));
  EXPECT_EQ(probe.LayoutMode(), 0);
  EXPECT_EQ(probe.ClientProcessId(), 0u);
  EXPECT_EQ(probe.ServerId(), "");
  EXPECT_EQ(BrowserLocation(probe.Browser()), settings.LoginUrl);
  // Once for the page opened before the login, once more after the client ended.
  std::vector<std::string> lines = downloads.WaitForLines(2, 5000);
  EXPECT_GE(std::count(lines.begin(), lines.end(), kListRequest), 2);
}

}  // namespace
