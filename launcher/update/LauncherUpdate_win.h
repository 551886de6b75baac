#pragma once

#include <string>

#include "launcher/update/DownloadItem.h"

class DownloadQueue;

// The running launcher's side of a self-update.

constexpr int kPhaseLauncherPackage = 2;

// After the list has been fetched (and the queue stopped): when the list's `LoginUp`
// names a newer launcher with a package to fetch, queues that package alone, sets the
// phase and starts the queue. True when a package was queued.
bool QueueLauncherPackage(DownloadQueue& queue, const std::string& updateListPath, const std::string& launcherDirectory,
                          int& updatePhase);

// A finished launcher package: unpack it beside the launcher, delete it and start the
// unpacked "RidaVadoz.new" with the running launcher's full path as its one argument.
// The running launcher goes on; the new process ends it. True when the new build started.
bool FinishLauncherPackage(const DownloadItem& item, const std::string& launcherDirectory,
                           const std::string& executablePath);
