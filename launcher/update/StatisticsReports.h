#pragma once

#include <cstddef>
#include <memory>
#include <string>

// Usage events the launcher reports, at most once each per run.
constexpr int kStatisticsClientStarted = 1;
constexpr int kStatisticsUpdateStarted = 2;

// A query value with every byte outside the unreserved set (letters, digits, "-._~")
// written as %XX, so a blank, "&", "#", "%", "+" or a GBK byte cannot change the address.
std::string PercentEncode(const std::string& value);

// host + "/WebApi/svn_pay/LoginStatistics.aspx?type=<type>&ver=<version>", followed by
// "&serverid=<id>" when the server id is not empty.
std::string BuildStatisticsUrl(const std::string& host, int type, const std::string& version,
                               const std::string& serverId);
// The same for this build: the LOGINTARN_STATISTICS host and the launcher's version.
std::string BuildStatisticsUrl(int type, const std::string& serverId);

// Report addresses waiting to be sent, oldest first. The capacity doubles when full
// (starting from 1); when it cannot grow, the new report is dropped.
class StatisticsQueue {
 public:
  bool Append(std::string url);
  // Takes the oldest report off; false when there is none.
  bool TakeFirst(std::string& url);
  std::size_t Count() const { return count_; }
  std::size_t Capacity() const { return capacity_; }
  void Clear();

 private:
  std::unique_ptr<std::string[]> urls_;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
};
