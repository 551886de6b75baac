#include "launcher/update/StatisticsSender_win.h"

#include <wininet.h>

#include <utility>

namespace {

constexpr DWORD kIdleSleepMs = 10;
constexpr char kAgent[] = "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.0)";

}  // namespace

StatisticsSender::~StatisticsSender() { Stop(); }

bool StatisticsSender::Enqueue(std::string url) {
  winlib::Lock hold(lock_);
  return queue_.Append(std::move(url));
}

std::size_t StatisticsSender::Pending() const {
  winlib::Lock hold(lock_);
  return queue_.Count();
}

bool StatisticsSender::Stop() {
  if (stopped_) return true;
  stopped_ = true;
  RequestStop();
  // Closing the session makes a request blocked on a silent host return, so the thread
  // can end by itself; the forced end stays the last resort.
  CloseSession();
  bool ended = StopWithin(kStopWaitMs);
  if (ended) {
    winlib::Lock hold(lock_);
    queue_.Clear();
  }
  return ended;
}

int StatisticsSender::run() {
  while (!StopRequested()) {
    std::string url;
    bool taken;
    {
      winlib::Lock hold(lock_);
      taken = queue_.TakeFirst(url);
    }
    if (taken && !url.empty()) Send(url);
    ::Sleep(kIdleSleepMs);
  }
  return 0;
}

void StatisticsSender::Send(const std::string& url) {
  HINTERNET session = ::InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (session == nullptr || !Publish(session)) return;
  // The report counts as sent once a handle comes back; the answer is not read.
  winlib::UniqueInternet request(::InternetOpenUrlA(
      session, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE, 0));
  request.Reset();
  CloseSession();
}

bool StatisticsSender::Publish(HINTERNET session) {
  winlib::Lock hold(sessionLock_);
  session_.Reset(session);
  if (!StopRequested()) return true;
  session_.Reset();
  return false;
}

void StatisticsSender::CloseSession() {
  winlib::Lock hold(sessionLock_);
  session_.Reset();
}

void ReportStatistics(StatisticsSender& sender, int type, const std::string& serverId) {
  sender.Enqueue(BuildStatisticsUrl(type, serverId));
}

void ReportStatisticsOnce(StatisticsSender* sender, int openStatistics, bool& sent, int type,
                          const std::string& serverId) {
  if (sender == nullptr || openStatistics == 0 || sent) return;
  ReportStatistics(*sender, type, serverId);
  sent = true;
}
