#include <gtest/gtest.h>

#include <cstring>

#include "launcher/core/KeyValueLines.h"
#include "launcher/core/LauncherSettings.h"

namespace {

TextLines Lines(const char* text) {
  TextLines lines;
  AppendTextLines(text, std::strlen(text), lines);
  return lines;
}

LauncherSettings Apply(const char* text) {
  LauncherSettings s;
  ApplyEmbeddedSettings(Lines(text), s);
  return s;
}

TEST(TextLines, SeparatorsAndEmptyLines) {
  const char data[] = "a=1\r\n\r\nb=2\n\nc=3\0d=4\re=5";
  TextLines lines;
  AppendTextLines(data, sizeof data - 1, lines);
  EXPECT_EQ(lines, (TextLines{"a=1", "b=2", "c=3", "d=4", "e=5"}));

  TextLines none;
  AppendTextLines("", 0, none);
  EXPECT_TRUE(none.empty());
}

TEST(SplitKeyValue, Cases) {
  struct Case {
    const char* line;
    bool ok;
    const char* key;
    const char* value;
  } cases[] = {
      {"LoginUrl=http://x/?pos=", true, "LoginUrl", "http://x/?pos="},
      {" \tkey \v= value\f ", true, "key", "value"},
      {"=value", false, "", ""},
      {"no equals sign", false, "", ""},
      {"  =v", true, "", "v"},  // a blank key still splits; it matches nothing real
      {"k=a=b", true, "k", "a=b"},
      {"k=", true, "k", ""},
  };
  for (const Case& c : cases) {
    std::string key = "untouched", value = "untouched";
    EXPECT_EQ(SplitKeyValue(c.line, key, value), c.ok) << c.line;
    if (c.ok) {
      EXPECT_EQ(key, c.key) << c.line;
      EXPECT_EQ(value, c.value) << c.line;
    }
  }
}

TEST(SplitKeyValue, DoubleByteTextKeepsTrailBytes) {
  // "版本" in GBK is B0 E6 B1 BE; a trailing blank after it is trimmed, the characters stay.
  std::string line = "RunDir = \xB0\xE6\xB1\xBE ";
  std::string key, value;
  ASSERT_TRUE(SplitKeyValue(line, key, value));
  EXPECT_EQ(value, "\xB0\xE6\xB1\xBE");
}

TEST(FindKeyValue, FirstMatchCaseInsensitiveMissLeavesValue) {
  TextLines lines = Lines("HomeUrl=first\r\nhomeurl=second\r\n=bad\r\nnothing here\r\n  loginurl  =  v  ");
  std::string v = "kept";
  EXPECT_TRUE(FindKeyValue(lines, "HomeUrl", v));
  EXPECT_EQ(v, "first");
  EXPECT_TRUE(FindKeyValue(lines, "LoginUrl", v));
  EXPECT_EQ(v, "v");
  v = "kept";
  EXPECT_FALSE(FindKeyValue(lines, "Missing", v));
  EXPECT_EQ(v, "kept");
}

TEST(FindKeyValue, MultiByteKeysCompareTrailBytesExactly) {
  // 0x81 0x41 and 0x81 0x61 are different characters: the trail byte is not a letter to fold.
  TextLines lines = {"\x81\x41=upper", "\x81\x61=lower", "\xB0\xE6X=mixed"};
  std::string v;
  EXPECT_TRUE(FindKeyValue(lines, "\x81\x61", v));
  EXPECT_EQ(v, "lower");
  EXPECT_TRUE(FindKeyValue(lines, "\xB0\xE6x", v));
  EXPECT_EQ(v, "mixed");
}

TEST(ParseDecimalPrefix, LikeAtoiWithoutOverflow) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {{"1", 1}, {"  -42x", -42}, {"+7", 7}, {"abc", 0}, {"", 0}, {"12 34", 12},
               {"99999999999999", 2147483647}, {"-99999999999999", -2147483647 - 1}};
  for (const Case& c : cases) EXPECT_EQ(ParseDecimalPrefix(c.text), c.value) << c.text;
  EXPECT_EQ(ParseDecimalPrefix(nullptr), 0);
}

TEST(EmbeddedSettings, ShippedTextGivesTheDocumentedSwitches) {
  LauncherSettings s = Apply(
      "LoginUrl=http://p/client/index/gid/42?pos=\r\nHomeUrl=http://p/tarn\r\nForumUrl=http://f/forum-166-1.html\r\n"
      "ServiceUrl=http://p/kefu\r\nPayUrl0=http://p/orders/index/gid/42\r\n"
      "PayUrl1=http://p/orders/index/gid/42?sid=%s&uid=%s\r\nUpdateListUrl=http://d/UpdataAll/Updata_Brannock/list.txt\r\n"
      "AntiAddictionUrl=http://p/users/realname/flg/5\r\nRunDir=BrannockZorvath\r\nShortcut=Brannock-Zorvath\r\nForceUseIE=1");
  EXPECT_EQ(s.ForceUseIE, 1);
  EXPECT_EQ(s.OpenStatistics, 1);  // carried over from ForceUseIE
  EXPECT_EQ(s.RunAtCurrent, 0);
  EXPECT_EQ(s.MachineCodeParam, "");
  EXPECT_EQ(s.PayUrl1, "http://p/orders/index/gid/42?sid=%s&uid=%s");
  EXPECT_EQ(s.RunDir, "BrannockZorvath");
}

TEST(EmbeddedSettings, IntegerCarryOver) {
  struct Case {
    const char* text;
    int runAtCurrent, forceUseIE, openStatistics;
  } cases[] = {
      {"RunAtCurrent=5", 5, 5, 5},
      {"OpenStatistics=3", 0, 0, 3},
      {"RunAtCurrent=2\r\nOpenStatistics=0", 2, 2, 0},
      {"ForceUseIE=x", 0, 0, 0},
      {"", 0, 0, 0},
  };
  for (const Case& c : cases) {
    LauncherSettings s = Apply(c.text);
    EXPECT_EQ(s.RunAtCurrent, c.runAtCurrent) << c.text;
    EXPECT_EQ(s.ForceUseIE, c.forceUseIE) << c.text;
    EXPECT_EQ(s.OpenStatistics, c.openStatistics) << c.text;
  }
}

TEST(EmbeddedSettings, LooseSpellingAndDuplicates) {
  LauncherSettings s = Apply("  loginurl =  http://a/  \r\nHomeUrl=one\r\nHomeUrl=two\r\n=ForumUrl\r\nServiceUrl");
  EXPECT_EQ(s.LoginUrl, "http://a/");
  EXPECT_EQ(s.HomeUrl, "one");
  EXPECT_EQ(s.ForumUrl, "");
  EXPECT_EQ(s.ServiceUrl, "");
}

}  // namespace
