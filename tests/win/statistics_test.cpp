#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "UpdateTestSupport_win.h"
#include "launcher/update/StatisticsSender_win.h"

namespace {

constexpr char kStatisticsRequest[] = "GET /WebApi/svn_pay/LoginStatistics.aspx?";

std::string Request(const std::string& query) { return kStatisticsRequest + query + " 200"; }

TEST(StatisticsSender, EachEventOnceWithItsExactQuery) {
  AccessLogTail log("statistics.log");
  StatisticsSender sender;
  ASSERT_TRUE(sender.Start());
  bool updateSent = false, clientStartSent = false;
  // Update, play, end the game, play again: one report of each kind.
  ReportStatisticsOnce(&sender, 1, updateSent, kStatisticsUpdateStarted, "s12");
  ReportStatisticsOnce(&sender, 1, clientStartSent, kStatisticsClientStarted, "s12");
  ReportStatisticsOnce(&sender, 1, updateSent, kStatisticsUpdateStarted, "s12");
  ReportStatisticsOnce(&sender, 1, clientStartSent, kStatisticsClientStarted, "s12");
  EXPECT_TRUE(updateSent);
  EXPECT_TRUE(clientStartSent);

  std::vector<std::string> lines = log.WaitForLines(2, 10000);
  ::Sleep(300);  // anything sent by mistake would arrive by now
  lines = log.Lines();
  EXPECT_EQ(lines,
            (std::vector<std::string>{Request("type=2&ver=2.6&serverid=s12"), Request("type=1&ver=2.6&serverid=s12")}));
  EXPECT_TRUE(sender.Stop());
}

TEST(StatisticsSender, AddressesAsTheServiceSeesThem) {
  AccessLogTail log("statistics.log");
  StatisticsSender sender;
  ASSERT_TRUE(sender.Start());
  ReportStatistics(sender, kStatisticsClientStarted, "");
  ReportStatistics(sender, kStatisticsUpdateStarted, "s1 &x=#%+\xB7\xFE");
  std::vector<std::string> lines = log.WaitForLines(2, 10000);
  EXPECT_EQ(lines, (std::vector<std::string>{Request("type=1&ver=2.6"),
                                             Request("type=2&ver=2.6&serverid=s1%20%26x%3D%23%25%2B%B7%FE")}));
}

TEST(StatisticsSender, NothingWhenTheSettingsSayNo) {
  AccessLogTail log("statistics.log");
  StatisticsSender sender;
  ASSERT_TRUE(sender.Start());
  bool sent = false;
  ReportStatisticsOnce(&sender, 0, sent, kStatisticsClientStarted, "s12");
  ReportStatisticsOnce(nullptr, 1, sent, kStatisticsClientStarted, "s12");
  EXPECT_FALSE(sent);
  EXPECT_EQ(sender.Pending(), 0u);
  ::Sleep(300);
  EXPECT_TRUE(log.Lines().empty());
}

// A host that takes the connection and never answers.
class SilentHost {
 public:
  SilentHost() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      return;
    }
    port_ = ntohs(address.sin_port);
  }
  ~SilentHost() {
    if (accepted_ != INVALID_SOCKET) ::closesocket(accepted_);
    if (listener_ != INVALID_SOCKET) ::closesocket(listener_);
    ::WSACleanup();
  }
  int Port() const { return port_; }
  // True once a client connected (within `timeoutMs`).
  bool AcceptWithin(DWORD timeoutMs) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(listener_, &set);
    timeval wait{static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    if (::select(0, &set, nullptr, nullptr, &wait) != 1) return false;
    accepted_ = ::accept(listener_, nullptr, nullptr);
    return accepted_ != INVALID_SOCKET;
  }

 private:
  SOCKET listener_ = INVALID_SOCKET;
  SOCKET accepted_ = INVALID_SOCKET;
  int port_ = 0;
};

TEST(StatisticsSender, StopIsBoundedWhileTheHostIsSilent) {
  SilentHost host;
  ASSERT_NE(host.Port(), 0);
  StatisticsSender sender;
  ASSERT_TRUE(sender.Start());
  char url[128];
  std::snprintf(url, sizeof url, "http://127.0.0.1:%d/WebApi/svn_pay/LoginStatistics.aspx?type=1&ver=2.6", host.Port());
  ASSERT_TRUE(sender.Enqueue(url));
  ASSERT_TRUE(host.AcceptWithin(5000));
  ::Sleep(100);  // the request is now waiting for an answer that never comes
  sender.Enqueue(url);

  ULONGLONG before = ::GetTickCount64();
  sender.Stop();
  ULONGLONG took = ::GetTickCount64() - before;
  std::printf("stop while the host is silent: %llu ms\n", took);
  // Without the bound, the sender would wait for the service's time-outs (minutes).
  EXPECT_LT(took, 1500u);
  EXPECT_TRUE(sender.HasEnded());
}

TEST(StatisticsSender, IdleStopEndsTheThreadByItself) {
  StatisticsSender sender;
  ASSERT_TRUE(sender.Start());
  ::Sleep(50);
  EXPECT_TRUE(sender.Stop());
  EXPECT_TRUE(sender.HasEnded());
  EXPECT_TRUE(sender.Stop());  // a second stop is harmless
}

}  // namespace
