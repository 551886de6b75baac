#include <gtest/gtest.h>

#include "launcher/core/NameParts.h"
#include "launcher/core/StartupRole.h"
#include "launcher/system/MachineCode.h"
#include "launcher/system/PathRules.h"
#include "launcher/system/WindowsVersion.h"

namespace {

using Parts = std::vector<std::string>;

TEST(NameParts, SplitAtUnderscore) {
  struct Case {
    const char* name;
    Parts parts;
  } cases[] = {
      {"LoginTarn", {"LoginTarn"}},
      {"LoginTarn_12", {"LoginTarn", "12"}},
      {"LoginTarn_7", {"LoginTarn", "7"}},
      {"LoginTarn_", {"LoginTarn"}},
      {"a__b", {"a", "", "b"}},
      {"_x", {"", "x"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitNameParts(c.name), c.parts) << c.name;
}

TEST(StartupRole, CommandLineRoles) {
  EXPECT_TRUE(HasUrlOverride({"-url", "http://x"}));
  EXPECT_TRUE(HasUrlOverride({"-URL", "http://x"}));
  EXPECT_FALSE(HasUrlOverride({"-url", "http://x", "extra"}));
  EXPECT_FALSE(HasUrlOverride({"-uri", "http://x"}));
  EXPECT_FALSE(HasUrlOverride({"-url"}));

  EXPECT_TRUE(IsSelfUpdateStage({"C:\\G\\LoginTarn.exe"}, "RidaVadoz.new"));
  EXPECT_TRUE(IsSelfUpdateStage({"C:\\G\\LoginTarn.exe"}, "ridavadoz.NEW"));
  EXPECT_FALSE(IsSelfUpdateStage({"a", "b"}, "RidaVadoz.new"));
  EXPECT_FALSE(IsSelfUpdateStage({}, "RidaVadoz.new"));
  EXPECT_FALSE(IsSelfUpdateStage({"C:\\G\\LoginTarn.exe"}, "LoginTarn.exe"));
}

TEST(MachineCode, Format) {
  const unsigned char address[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  EXPECT_EQ(FormatMachineCode(address), "001A2B3C4D5E");
  const unsigned char high[6] = {0xFF, 0xEE, 0x0A, 0xB0, 0x01, 0x10};
  EXPECT_EQ(FormatMachineCode(high), "FFEE0AB00110");
  EXPECT_EQ(std::string(kMachineCodeFallback).size(), 12u);
}

TEST(WindowsVersion, TwoQuestions) {
  struct Case {
    unsigned major, minor;
    bool vista, win7;
  } cases[] = {{5, 1, false, false}, {6, 0, true, false}, {6, 1, true, true}, {6, 2, true, true}, {10, 0, true, false}};
  for (const Case& c : cases) {
    // GetVersion also carries the build number in the high word; it must not matter.
    std::uint32_t v = c.major | (c.minor << 8) | (7601u << 16);
    EXPECT_EQ(VersionAtLeast(v, false), c.vista) << c.major << "." << c.minor;
    EXPECT_EQ(VersionAtLeast(v, true), c.win7) << c.major << "." << c.minor;
  }
}

TEST(PathRules, SettingsPath) {
  std::string out;
  EXPECT_TRUE(SettingsPathFor("D:\\X\\LoginTarn.exe", out));
  EXPECT_EQ(out, "D:\\X\\LoginTarn.ini");
  EXPECT_TRUE(SettingsPathFor("D:\\X\\LoginTarn_7.exe", out));
  EXPECT_EQ(out, "D:\\X\\LoginTarn_7.ini");
  EXPECT_TRUE(SettingsPathFor("D:\\X\\a.b.exe", out));
  EXPECT_EQ(out, "D:\\X\\a.b.ini");
  EXPECT_FALSE(SettingsPathFor("D:\\X\\noext", out));
  EXPECT_EQ(out, "D:\\X\\noext");
}

TEST(PathRules, ModulePath) {
  std::string dir, name;
  EXPECT_TRUE(SplitModulePath("D:\\X\\LoginTarn_77.exe", dir, &name, false));
  EXPECT_EQ(dir, "D:\\X\\");
  EXPECT_EQ(name, "LoginTarn_77");
  EXPECT_TRUE(SplitModulePath("D:\\X\\LoginTarn_77.exe", dir, &name, true));
  EXPECT_EQ(name, "LoginTarn_77.exe");
  EXPECT_TRUE(SplitModulePath("D:\\X\\a.b.exe", dir, &name, false));
  EXPECT_EQ(name, "a");
  name = "untouched";
  EXPECT_FALSE(SplitModulePath("nofolder.exe", dir, &name, false));
  EXPECT_EQ(dir, "nofolder.exe");
  EXPECT_EQ(name, "untouched");
}

}  // namespace
