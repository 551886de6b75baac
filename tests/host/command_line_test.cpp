#include <gtest/gtest.h>

#include "launcher/system/CommandLine.h"

namespace {

TEST(CommandLine, DirectStart) {
  struct Case {
    const char* path;
    std::vector<std::string> args;
    const char* line;
  } cases[] = {
      {"C:\\Game\\Client.exe", {}, "C:\\Game\\Client.exe"},
      {"D:\\G\\RidaVadoz.new", {"D:\\G\\LoginTarn.exe"}, "D:\\G\\RidaVadoz.new \"D:\\G\\LoginTarn.exe\""},
      // A blank in the path would split it into program and arguments: it is quoted.
      {"C:\\Program Files\\G\\LoginTarn.exe", {}, "\"C:\\Program Files\\G\\LoginTarn.exe\""},
      {"a.exe", {"x", "y z"}, "a.exe \"x\" \"y z\""},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildProcessCommandLine(c.path, c.args), c.line) << c.path;
}

TEST(CommandLine, WorkingDirectory) {
  EXPECT_EQ(WorkingDirectoryOf("D:\\BrannockZorvath\\LoginTarn.exe"), "D:\\BrannockZorvath");
  EXPECT_EQ(WorkingDirectoryOf("LoginTarn.exe"), "");
}

TEST(CommandLine, HiddenCommand) {
  EXPECT_EQ(BuildHiddenCommandLine("netsh", "interface tcp set global autotuninglevel=disabled"),
            "cmd.exe /c \"\"netsh\" interface tcp set global autotuninglevel=disabled\"");
  EXPECT_EQ(BuildHiddenCommandLine("P", ""), "cmd.exe /c \"\"P\"\"");
}

}  // namespace
