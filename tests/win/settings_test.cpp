#include <gtest/gtest.h>
#include <windows.h>

#include "Endpoints.h"
#include "TestFiles_win.h"
#include "launcher/core/LauncherSettings_win.h"

namespace {

LauncherSettings LoadWith(const std::string& settingsFile) {
  LauncherSettings s;
  s.SettingsFilePath = settingsFile;
  LoadLauncherSettings(s);
  return s;
}

TEST(EmbeddedText, BuiltByteExact) {
  HRSRC info = ::FindResourceA(nullptr, MAKEINTRESOURCEA(kDefaultSettingsResource), kDataResourceType);
  ASSERT_NE(info, nullptr);
  const char* data = static_cast<const char*>(::LockResource(::LoadResource(nullptr, info)));
  std::string text(data, ::SizeofResource(nullptr, info));
  const std::string expected = std::string("LoginUrl=") + LOGINTARN_PORTAL + "/client/index/gid/42?pos=\r\n" +
                               "HomeUrl=" + LOGINTARN_PORTAL + "/tarn\r\n" +
                               "ForumUrl=" + LOGINTARN_FORUM + "/forum-166-1.html\r\n" +
                               "ServiceUrl=" + LOGINTARN_PORTAL + "/kefu\r\n" +
                               "PayUrl0=" + LOGINTARN_PORTAL + "/orders/index/gid/42\r\n" +
                               "PayUrl1=" + LOGINTARN_PORTAL + "/orders/index/gid/42?sid=%s&uid=%s\r\n" +
                               "UpdateListUrl=" + LOGINTARN_DOWNLOADS + "/UpdataAll/Updata_Brannock/list.txt\r\n" +
                               "AntiAddictionUrl=" + LOGINTARN_PORTAL + "/users/realname/flg/5\r\n" +
                               "RunDir=BrannockZorvath\r\nShortcut=Brannock-Zorvath\r\nForceUseIE=1";
  EXPECT_EQ(text, expected);
}

TEST(EmbeddedText, LoadedValues) {
  ScratchFolder dir("settings");
  LauncherSettings s = LoadWith(dir / "absent.ini");
  EXPECT_EQ(s.LoginUrl, std::string(LOGINTARN_PORTAL) + "/client/index/gid/42?pos=");
  EXPECT_EQ(s.UpdateListUrl, std::string(LOGINTARN_DOWNLOADS) + "/UpdataAll/Updata_Brannock/list.txt");
  EXPECT_EQ(s.RunDir, "BrannockZorvath");
  EXPECT_EQ(s.Shortcut, "Brannock-Zorvath");
  EXPECT_EQ(s.ForceUseIE, 1);
  EXPECT_EQ(s.OpenStatistics, 1);
  EXPECT_EQ(s.RunAtCurrent, 0);
  EXPECT_EQ(s.MachineCodeParam, "");
  EXPECT_EQ(s.Channel, "");
  EXPECT_EQ(s.PartnerQuery, "");
  EXPECT_EQ(s.pos, "");
}

TEST(EmbeddedText, MissingResourceGivesNoLines) {
  TextLines lines;
  EXPECT_FALSE(LoadResourceLines(kDataResourceType, 9999, lines));
  EXPECT_TRUE(lines.empty());
}

TEST(SettingsFile, DistributionValues) {
  ScratchFolder dir("settings");
  struct Case {
    const char* name;
    std::string content;
    std::string channel, partner, pos;
  } cases[] = {
      {"only_pos", "[App]\r\npos=7\r\n", "", "", "7"},
      {"all", "[App]\r\nChannel=abc\r\n78zen=x=1\r\npos=3\r\n", "abc", "x=1", "3"},
      {"other_section", "[Other]\r\nChannel=abc\r\n", "", "", ""},
      {"keys_missing", "[App]\r\nRun=1\r\n", "", "", ""},
      {"long", "[App]\r\nChannel=" + std::string(300, 'c') + "\r\n", std::string(254, 'c'), "", ""},
      {"gbk", "[App]\r\nChannel=\xC7\xFE\xB5\xC0\r\n", "\xC7\xFE\xB5\xC0", "", ""},
  };
  for (const Case& c : cases) {
    std::string path = dir / (std::string(c.name) + ".ini");
    ASSERT_TRUE(WriteWholeFile(path, c.content));
    LauncherSettings s = LoadWith(path);
    EXPECT_EQ(s.Channel, c.channel) << c.name;
    EXPECT_EQ(s.PartnerQuery, c.partner) << c.name;
    EXPECT_EQ(s.pos, c.pos) << c.name;
    // The file never changes an address or a switch.
    EXPECT_EQ(s.ForceUseIE, 1) << c.name;
  }
}

TEST(SettingsFile, GarbageAndHugeFilesFailOnlyThemselves) {
  ScratchFolder dir("settings");
  std::string garbage;
  unsigned seed = 12345;
  for (int i = 0; i < 64 * 1024; ++i) {
    seed = seed * 1103515245u + 12345u;
    garbage.push_back(static_cast<char>(seed >> 16));
  }
  ASSERT_TRUE(WriteWholeFile(dir / "garbage.ini", garbage));
  LauncherSettings s = LoadWith(dir / "garbage.ini");
  EXPECT_LE(s.Channel.size(), 254u);
  EXPECT_EQ(s.RunDir, "BrannockZorvath");

  std::string huge = "[App]\r\n";
  while (huge.size() < 1024 * 1024) huge += "filler=" + std::string(100, 'f') + "\r\n";
  huge += "pos=9\r\n";
  ASSERT_TRUE(WriteWholeFile(dir / "huge.ini", huge));
  LauncherSettings h = LoadWith(dir / "huge.ini");
  EXPECT_LE(h.pos.size(), 254u);
  EXPECT_EQ(h.LoginUrl, std::string(LOGINTARN_PORTAL) + "/client/index/gid/42?pos=");
}

TEST(SettingsFile, RunMarkerCreatesTheFile) {
  ScratchFolder dir("settings");
  std::string path = dir / "LoginTarn.ini";
  ASSERT_TRUE(WriteRunMarker(path));
  char value[8] = {};
  ::GetPrivateProfileStringA("App", "Run", "", value, sizeof value, path.c_str());
  EXPECT_STREQ(value, "1");
  // An existing value of another key survives.
  ::WritePrivateProfileStringA("App", "pos", "12", path.c_str());
  ASSERT_TRUE(WriteRunMarker(path));
  ::GetPrivateProfileStringA("App", "pos", "", value, sizeof value, path.c_str());
  EXPECT_STREQ(value, "12");
}

}  // namespace
