#include <gtest/gtest.h>

#include "launcher/core/LoginAddress.h"

namespace {

constexpr const char kLogin[] = "http://portal.example/login.aspx?pos=";
constexpr const char kMachine[] = "0A1B2C3D4E5F";

TEST(BuildLoginAddress, FirstApplicableRuleWins) {
  struct Case {
    const char* name;
    const char* loginUrl;
    const char* channel;
    const char* partner;
    const char* machineParam;
    const char* pos;
    std::vector<std::string> nameParts;
    const char* expected;
  } cases[] = {
      {"channel beats everything",
       kLogin,
       "abc",
       "x=1",
       "mc=",
       "3",
       {"LoginTarn", "12"},
       "http://portal.example/login.aspx?pos=?lm=abc&rnd=4711"},
      {"partner query",
       kLogin,
       "",
       "x=1",
       "mc=",
       "3",
       {"LoginTarn", "12"},
       "http://portal.example/login.aspx?pos=?x=1"},
      {"machine code",
       kLogin,
       "",
       "",
       "mc=",
       "3",
       {"LoginTarn", "12"},
       "http://portal.example/login.aspx?pos=mc=0A1B2C3D4E5F"},
      {"pos", kLogin, "", "", "", "3", {"LoginTarn", "12"}, "http://portal.example/login.aspx?pos=3"},
      {"second name part", kLogin, "", "", "", "", {"LoginTarn", "12"}, "http://portal.example/login.aspx?pos=12"},
      {"empty second name part", kLogin, "", "", "", "", {"a", "", "b"}, "http://portal.example/login.aspx?pos="},
      {"one name part", kLogin, "", "", "", "", {"LoginTarn"}, "http://portal.example/login.aspx?pos="},
      {"no = keeps pos out",
       "http://portal.example/login",
       "",
       "",
       "",
       "3",
       {"LoginTarn", "12"},
       "http://portal.example/login"},
      {"no = still takes the machine code",
       "http://portal.example/login",
       "",
       "",
       "mc=",
       "",
       {"LoginTarn"},
       "http://portal.example/loginmc=0A1B2C3D4E5F"},
      {"= anywhere counts", "http://portal.example/a=b/login", "", "", "", "7", {}, "http://portal.example/a=b/login7"},
  };
  for (const Case& c : cases) {
    LauncherSettings s;
    s.LoginUrl = c.loginUrl;
    s.Channel = c.channel;
    s.PartnerQuery = c.partner;
    s.MachineCodeParam = c.machineParam;
    s.pos = c.pos;
    EXPECT_EQ(BuildLoginAddress(s, c.nameParts, 4711, kMachine), c.expected) << c.name;
  }
}

TEST(BuildLoginAddress, RandomNumberIsWrittenInDecimalAcrossItsRange) {
  LauncherSettings s;
  s.LoginUrl = kLogin;
  s.Channel = "abc";
  EXPECT_EQ(BuildLoginAddress(s, {}, 0, kMachine), std::string(kLogin) + "?lm=abc&rnd=0");
  EXPECT_EQ(BuildLoginAddress(s, {}, 32767, kMachine), std::string(kLogin) + "?lm=abc&rnd=32767");
}

}  // namespace
