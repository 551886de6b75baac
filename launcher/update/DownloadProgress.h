#pragma once

#include <cstdint>

// Progress arithmetic shared by the download workers and the window that shows it.

// Percent of one transfer: received / size × 100 in double precision, truncated. A size
// that is not positive repeats `previous` (the transfer's last percent).
int ItemPercent(std::int64_t received, std::int64_t size, int previous);

// The two counts of the batch-progress message. Both travel in 32-bit message parameters
// on the 32-bit build, so counts beyond 2^31 - 1 are scaled down together (halved until
// both fit) and the ratio the window computes stays right.
struct ProgressPair {
  std::uint32_t received;
  std::int32_t total;
};
ProgressPair ScaleProgressPair(std::int64_t received, std::int64_t total);

// Pause before the next attempt at an item that failed `failures` times: 1 s, doubling,
// at most 30 s. Zero before the first failure.
unsigned RetryDelayMs(int failures);
