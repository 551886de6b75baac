#include <gtest/gtest.h>

#include <string>

#include "launcher/archive/ItemPaths.h"

namespace {

// Code page 936: lead bytes 0x81-0xFE; trail bytes include 0x5C ("\") and 0x7C ("|").
bool Gbk(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool SingleByte(unsigned char) { return false; }

TEST(ItemNames, SlashesBecomeBackslashesEverywhere) {
  std::string name = "/data/ui//a.bmp/";
  ReplaceForwardSlashes(name);
  EXPECT_EQ(name, "\\data\\ui\\\\a.bmp\\");
}

TEST(ItemNames, SafeAndHostile) {
  struct Case {
    const char* name;
    bool safe;
  } cases[] = {
      {"a.txt", true},
      {"data\\ui\\a.bmp", true},
      {"..a\\b..\\a..b", true},
      {".hidden", true},
      {"console.txt", true},
      {"COM10", true},
      {"nul2", true},
      {"\xD6\xD0\xCE\xC4.txt", true},  // 中文
      {"\x81\x5C.txt", true},          // a character whose trail byte is 0x5C
      {"\x81\x7C", true},              // ... and one whose trail byte is 0x7C
      {"", false},
      {"..\\x", false},
      {"..", false},
      {"a\\..\\..\\x", false},
      {"a\\..", false},
      {"a\\.\\b", false},
      {"a\\...\\b", false},
      {"a\\.. \\b", false},
      {"a\\\\b", false},
      {"a\\", false},
      {"C:x", false},
      {"C:\\x", false},
      {"a:b", false},
      {"a.txt:stream", false},
      {"\\x", false},
      {"\\\\server\\share\\x", false},
      {"CON", false},
      {"con", false},
      {"a\\NUL.txt\\b", false},
      {"aux .log", false},
      {"COM1", false},
      {"lpt9.dat", false},
      {"CONOUT$", false},
      {"COM\xB9", false},
      {"a?b", false},  // what code page 936 makes of a character it lacks
      {"a*b", false},
      {"a<b", false},
      {"a|b", false},
      {"a\"b", false},
      {"a\tb", false},
      {"\x81\x5C..\\x", true},  // 0x5C inside a character does not end a part
      {"\x81\x5C\\..\\x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsSafeItemName(c.name, Gbk), c.safe) << c.name;
}

TEST(ItemNames, TrailBytesAreSeparatorsInSingleByteCodePages) {
  EXPECT_FALSE(IsSafeItemName("\x81\x5C..\\x", SingleByte));
  EXPECT_FALSE(IsSafeItemName("\x81\x7C", SingleByte));
}

TEST(ItemDestination, TargetWithOrWithoutBackslashAndKinds) {
  struct Case {
    const char* target;
    const char* name;
    bool directory;
    const char* destination;
  } cases[] = {
      {"D:\\Game", "data\\a.bmp", false, "D:\\Game\\data\\a.bmp"},
      {"D:\\Game\\", "data\\a.bmp", false, "D:\\Game\\data\\a.bmp"},
      {"D:\\Game", "data\\ui", true, "D:\\Game\\data\\ui\\"},
      {"D:\\Game\\", "data\\ui", true, "D:\\Game\\data\\ui\\"},
      {nullptr, "a.txt", false, ".\\a.txt"},
      {"", "a.txt", false, ".\\a.txt"},
      {nullptr, "d", true, ".\\d\\"},
      // The target ends in a character whose trail byte is 0x5C, not in a separator.
      {"D:\\\x81\x5C", "a", false, "D:\\\x81\x5C\\a"},
  };
  for (const Case& c : cases) {
    std::string destination;
    EXPECT_TRUE(BuildItemDestination(c.target, c.name, c.directory, Gbk, destination)) << c.name;
    EXPECT_EQ(destination, c.destination) << (c.target ? c.target : "(none)") << " " << c.name;
  }
}

TEST(ItemDestination, FixedBufferLimit) {
  std::string target = "D:\\" + std::string(250, 't');  // 253 bytes, "\" makes 254
  std::string destination;
  EXPECT_TRUE(BuildItemDestination(target.c_str(), "123456", false, Gbk, destination));
  EXPECT_EQ(destination.size(), kDestinationMaxBytes);
  EXPECT_FALSE(BuildItemDestination(target.c_str(), "1234567", false, Gbk, destination));
  // A directory's closing backslash counts too.
  EXPECT_FALSE(BuildItemDestination(target.c_str(), "123456", true, Gbk, destination));
  EXPECT_TRUE(BuildItemDestination(target.c_str(), "12345", true, Gbk, destination));
}

TEST(TemporaryPath, BesideTheDestination) {
  std::string temporary;
  ASSERT_TRUE(TemporaryPathBeside("D:\\Game\\data\\a.bmp", 0x2a, Gbk, temporary));
  EXPECT_EQ(temporary, "D:\\Game\\data\\~0000002a.tmp");
  ASSERT_TRUE(TemporaryPathBeside(".\\a", 0xfedcba98u, Gbk, temporary));
  EXPECT_EQ(temporary, ".\\~fedcba98.tmp");
  // A 0x5C trail byte in the file name is not where its folder ends.
  ASSERT_TRUE(TemporaryPathBeside("D:\\G\\\x81\x5Cx", 1, Gbk, temporary));
  EXPECT_EQ(temporary, "D:\\G\\~00000001.tmp");
  EXPECT_FALSE(TemporaryPathBeside("nofolder", 1, Gbk, temporary));

  std::string deep = "D:\\" + std::string(243, 'f') + "\\a";  // the temporary name needs 14 bytes after the folder
  EXPECT_TRUE(TemporaryPathBeside(deep, 1, Gbk, temporary));
  EXPECT_EQ(temporary.size(), kDestinationMaxBytes);
  deep.insert(3, "f");
  EXPECT_FALSE(TemporaryPathBeside(deep, 1, Gbk, temporary));
}

}  // namespace
