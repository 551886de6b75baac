#pragma once

#include <string>

// Second stage of a self-update: ends the old launcher and puts this build in its place.
// True when the old launcher was replaced and this process is to start it and end.
bool CompleteSelfUpdate();

// How long the second stage waits for the old processes to be gone, and for how long it
// retries the replacement while the old file is still held open.
struct SelfUpdateWaits {
  unsigned long exitWaitMs = 5000;
  unsigned long replaceRetryMs = 3000;
  unsigned long pollMs = 50;
};

// Ends every other process running under the old file's name, waits (bounded) until they
// are gone, then copies `own` beside `old` under a temporary name and moves it over `old`.
// On failure `old` is left as it was, the temporary copy is removed and the result is false.
bool ReplaceOldLauncher(const std::string& own, const std::string& old, const SelfUpdateWaits& waits);
