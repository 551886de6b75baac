#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>

#include "TestFiles_win.h"
#include "launcher/system/MachineCode_win.h"
#include "launcher/system/Paths_win.h"
#include "launcher/system/WindowsVersion_win.h"
#include "launcher/system/ZoneIdentifier_win.h"

namespace {

TEST(MachineCode, TwelveHexDigitsOrUnchanged) {
  std::string code = "unchanged";
  GetMachineCode(code);
  if (code == "unchanged") GTEST_SKIP() << "no network adapter here";
  ASSERT_EQ(code.size(), 12u);
  for (char c : code) EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F')) << code;
}

TEST(WindowsVersion, AnswersFollowTheReportedVersion) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  DWORD v = ::GetVersion();
#pragma GCC diagnostic pop
  unsigned major = v & 0xFF, minor = (v >> 8) & 0xFF;
  EXPECT_EQ(IsWindowsVersionAtLeast(false), major >= 6);
  EXPECT_EQ(IsWindowsVersionAtLeast(true), major >= 6 && minor != 0);
}

TEST(ZoneIdentifier, MarkRemovedFileKept) {
  ScratchFolder dir("zone");
  std::string exe = dir / "LoginTarn.exe";
  ASSERT_TRUE(WriteWholeFile(exe, "MZ program bytes"));
  ASSERT_TRUE(WriteWholeFile(exe + ":Zone.Identifier", "[ZoneTransfer]\r\nZoneId=3\r\n"));
  ASSERT_NE(::GetFileAttributesA((exe + ":Zone.Identifier").c_str()), INVALID_FILE_ATTRIBUTES);

  RemoveZoneIdentifier(exe);
  EXPECT_EQ(::GetFileAttributesA((exe + ":Zone.Identifier").c_str()), INVALID_FILE_ATTRIBUTES);
  std::string content;
  ASSERT_TRUE(ReadWholeFile(exe, content));
  EXPECT_EQ(content, "MZ program bytes");

  // Without a mark nothing changes; an empty path does nothing.
  RemoveZoneIdentifier(exe);
  RemoveZoneIdentifier("");
  ASSERT_TRUE(ReadWholeFile(exe, content));
  EXPECT_EQ(content, "MZ program bytes");
}

TEST(Paths, OwnFolderNameAndSettingsFile) {
  std::string dir, name, withExt, settings;
  ASSERT_TRUE(GetModuleDirectory(dir, &name, false));
  ASSERT_TRUE(GetModuleDirectory(dir, &withExt, true));
  EXPECT_EQ(dir.back(), '\\');
  EXPECT_EQ(withExt, name + ".exe");
  ASSERT_TRUE(GetSettingsFilePath(settings));
  EXPECT_EQ(settings, dir + name + ".ini");
  EXPECT_EQ(GetExecutablePath(), dir + withExt);

  std::string temp;
  ASSERT_TRUE(GetTempDirectory(temp));
  EXPECT_EQ(temp.back(), '\\');
}

}  // namespace
