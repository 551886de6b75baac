#include "launcher/update/StatisticsReports.h"

#include <cstdio>
#include <new>
#include <utility>

#include "Endpoints.h"
#include "launcher/core/LauncherVersion.h"

namespace {

constexpr char kStatisticsPath[] = "/WebApi/svn_pay/LoginStatistics.aspx";

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

}  // namespace

std::string PercentEncode(const std::string& value) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (char ch : value) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c)) {
      encoded += ch;
      continue;
    }
    encoded += '%';
    encoded += kHex[c >> 4];
    encoded += kHex[c & 0x0F];
  }
  return encoded;
}

std::string BuildStatisticsUrl(const std::string& host, int type, const std::string& version,
                               const std::string& serverId) {
  char query[32];
  std::snprintf(query, sizeof query, "?type=%d&ver=", type);
  std::string url = host + kStatisticsPath + query + version;
  if (!serverId.empty()) url += "&serverid=" + PercentEncode(serverId);
  return url;
}

std::string BuildStatisticsUrl(int type, const std::string& serverId) {
  return BuildStatisticsUrl(LOGINTARN_STATISTICS, type, kLauncherVersion, serverId);
}

bool StatisticsQueue::Append(std::string url) {
  if (count_ == capacity_) {
    std::size_t grown = capacity_ == 0 ? 1 : capacity_ * 2;
    std::unique_ptr<std::string[]> urls(new (std::nothrow) std::string[grown]);
    if (!urls) return false;
    for (std::size_t i = 0; i < count_; ++i) urls[i] = std::move(urls_[i]);
    urls_ = std::move(urls);
    capacity_ = grown;
  }
  urls_[count_++] = std::move(url);
  return true;
}

bool StatisticsQueue::TakeFirst(std::string& url) {
  if (count_ == 0) return false;
  url = std::move(urls_[0]);
  for (std::size_t i = 1; i < count_; ++i) urls_[i - 1] = std::move(urls_[i]);
  urls_[--count_].clear();
  return true;
}

void StatisticsQueue::Clear() {
  urls_.reset();
  count_ = 0;
  capacity_ = 0;
}
