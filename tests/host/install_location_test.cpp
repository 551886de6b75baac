#include <gtest/gtest.h>

#include <cstdint>

#include "launcher/system/InstallLocation.h"

namespace {

constexpr unsigned kRemovable = 2, kFixed = 3, kRemote = 4, kOptical = 5, kRam = 6;
constexpr std::uint64_t kGb = 1024ull * 1024 * 1024;

DriveInfo Fixed(const char* root, std::uint64_t bytes) { return {root, kFixed, true, bytes}; }

TEST(InstallLocation, DriveChoice) {
  struct Case {
    const char* what;
    std::vector<DriveInfo> drives;
    const char* systemRoot;
    const char* expected;
  } cases[] = {
      {"only the system drive is fixed", {Fixed("C:\\", 80 * kGb)}, "C:\\", "C:\\"},
      {"two equal drives: the earlier wins",
       {Fixed("C:\\", 10 * kGb), Fixed("D:\\", 40 * kGb), Fixed("E:\\", 40 * kGb)},
       "C:\\",
       "D:\\"},
      {"the most space wins, whatever the order",
       {Fixed("C:\\", 10 * kGb), Fixed("D:\\", 5 * kGb), Fixed("E:\\", 9 * kGb), Fixed("F:\\", 7 * kGb)},
       "C:\\",
       "E:\\"},
      {"the system drive never wins, even with the most space",
       {Fixed("C:\\", 900 * kGb), Fixed("D:\\", 1)},
       "C:\\",
       "D:\\"},
      {"no bytes available: never chosen", {Fixed("C:\\", 10 * kGb), Fixed("D:\\", 0)}, "C:\\", "C:\\"},
      {"a drive without a free-space answer is no candidate",
       {Fixed("C:\\", 10 * kGb), {"D:\\", kFixed, false, 50 * kGb}, Fixed("E:\\", 1 * kGb)},
       "C:\\",
       "E:\\"},
      {"network, removable, optical and RAM drives never win",
       {Fixed("C:\\", 10 * kGb),
        {"D:\\", kRemovable, true, 900 * kGb},
        {"E:\\", kRemote, true, 900 * kGb},
        {"F:\\", kOptical, true, 900 * kGb},
        {"G:\\", kRam, true, 900 * kGb}},
       "C:\\",
       "C:\\"},
      {"more than 4 GB compared without loss",
       {Fixed("D:\\", (1ull << 32) + 1), Fixed("E:\\", 1ull << 32)},
       "C:\\",
       "D:\\"},
      {"the system root is compared byte for byte", {Fixed("C:\\", 90 * kGb), Fixed("D:\\", 10 * kGb)}, "c:\\", "C:\\"},
      {"system on another drive", {Fixed("C:\\", 30 * kGb), Fixed("D:\\", 90 * kGb)}, "D:\\", "C:\\"},
      {"no drives at all", {}, "C:\\", "C:\\"},
      {"no drives and no system root", {}, "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseInstallRoot(c.drives, c.systemRoot), c.expected) << c.what;
}

TEST(InstallLocation, SystemRoot) {
  EXPECT_EQ(SystemRootOf("C:\\windows\\system32"), "C:\\");
  EXPECT_EQ(SystemRootOf("D:\\"), "D:\\");
  EXPECT_EQ(SystemRootOf("\\\\server\\share\\system32"), "\\");
  EXPECT_EQ(SystemRootOf("nowhere"), "");
  EXPECT_EQ(SystemRootOf(""), "");
}

TEST(InstallLocation, InstallDirectoryEndsInSeparator) {
  EXPECT_EQ(InstallDirectoryFor("D:\\", "BrannockZorvath"), "D:\\BrannockZorvath\\");
  EXPECT_EQ(InstallDirectoryFor("D:\\", ""), "D:\\Zorvath\\");
  EXPECT_EQ(InstallDirectoryFor("D:\\", "Games\\Zorvath"), "D:\\Games\\Zorvath\\");
  // No root at all: the name stays relative.
  EXPECT_EQ(InstallDirectoryFor("", "BrannockZorvath"), "BrannockZorvath\\");
}

TEST(InstallLocation, DriveStrings) {
  const char list[] = "C:\\\0D:\\\0Z:\\\0";  // the literal adds the second terminator
  EXPECT_EQ(SplitDriveStrings(list, sizeof list - 1), (std::vector<std::string>{"C:\\", "D:\\", "Z:\\"}));
  EXPECT_TRUE(SplitDriveStrings("\0", 1).empty());
  EXPECT_TRUE(SplitDriveStrings("", 0).empty());
  // A list cut without its terminators still yields what it holds, and no more.
  const char cut[] = {'C', ':', '\\', '\0', 'D', ':'};
  EXPECT_EQ(SplitDriveStrings(cut, sizeof cut), (std::vector<std::string>{"C:\\", "D:"}));
}

TEST(InstallLocation, PositionIsTheSecondNamePart) {
  EXPECT_EQ(PositionFromNameParts({"LoginTarn", "77"}), "77");
  EXPECT_EQ(PositionFromNameParts({"a", "", "b"}), "");
  EXPECT_EQ(PositionFromNameParts({"LoginTarn"}), "");
  EXPECT_EQ(PositionFromNameParts({}), "");
}

}  // namespace
