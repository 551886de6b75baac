#pragma once

#include <cstdint>

// One URL fetched into one file. The queue owns it until the queue is stopped; a pointer
// handed out with the item-finished message is valid only during that message.
enum class DownloadState : std::int32_t { Queued = 0, Running = 1, Done = 2, Failed = 3 };

// Caller's kind codes.
constexpr std::int32_t kUpdateListItem = 0;
constexpr std::int32_t kLauncherPackageItem = 1;
constexpr std::int32_t kClientPackageItem = 2;

// Result codes of one attempt.
constexpr std::int32_t kDownloadOk = 0;
constexpr std::int32_t kDownloadFailed = -1;       // no answer, not 200, no length, no file, no data
constexpr std::int32_t kDownloadWriteFailed = -2;  // the file took fewer bytes than were read
constexpr std::int32_t kDownloadShortBody = -3;    // the body ended before its Content-Length

constexpr int kDownloadUrlSize = 320;
constexpr int kDownloadPathSize = 260;
constexpr int kDownloadNoteSize = 320;

struct DownloadItem {
  char url[kDownloadUrlSize];
  char targetPath[kDownloadPathSize];
  // Declared size on add; the server's Content-Length once a transfer starts. 64-bit so
  // packages beyond 2 GiB neither wrap nor turn negative.
  std::int64_t size;
  // Bytes written by the current attempt.
  std::int64_t received;
  char note[kDownloadNoteSize];
  std::int32_t kind;
  std::int32_t index;
  DownloadState state;
  // Result code of the last attempt (kDownloadOk while none ended).
  std::int32_t code;
  // Failed attempts so far, and the tick before which the item is not tried again.
  std::int32_t failures;
  std::uint64_t retryAt;
};
