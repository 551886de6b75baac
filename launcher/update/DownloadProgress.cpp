#include "launcher/update/DownloadProgress.h"

namespace {

constexpr std::int64_t kLargestParameter = 0x7FFFFFFF;
constexpr unsigned kFirstRetryDelayMs = 1000;
constexpr unsigned kLongestRetryDelayMs = 30000;

}  // namespace

int ItemPercent(std::int64_t received, std::int64_t size, int previous) {
  if (size <= 0) return previous;
  return static_cast<int>(static_cast<double>(received) / static_cast<double>(size) * 100.0);
}

ProgressPair ScaleProgressPair(std::int64_t received, std::int64_t total) {
  if (received < 0) received = 0;
  if (total < 0) total = 0;
  while (received > kLargestParameter || total > kLargestParameter) {
    received >>= 1;
    total >>= 1;
  }
  return {static_cast<std::uint32_t>(received), static_cast<std::int32_t>(total)};
}

unsigned RetryDelayMs(int failures) {
  if (failures <= 0) return 0;
  unsigned delay = kFirstRetryDelayMs;
  for (int i = 1; i < failures && delay < kLongestRetryDelayMs; ++i) delay *= 2;
  return delay < kLongestRetryDelayMs ? delay : kLongestRetryDelayMs;
}
