#pragma once

#include <windows.h>

#include <cstdint>

#include "launcher/update/BackgroundThread_win.h"
#include "launcher/update/DownloadItem.h"
#include "winlib/InternetHandle_win.h"

class DownloadQueue;

// One of the queue's threads: takes items one after another and fetches each with a plain
// HTTP GET into its file.
class DownloadWorker : public BackgroundThread {
 public:
  explicit DownloadWorker(DownloadQueue* queue) : queue_(queue) {}
  ~DownloadWorker() override;

  int run() override;
  // Called by the stopping thread: closes the request in use, which makes a call blocked
  // on it return, so the worker can end by itself instead of being killed inside it.
  void AbortTransfer() { CloseRequest(); }

 private:
  std::int32_t Transfer(DownloadItem& item);
  std::int32_t ReceiveBody(HINTERNET request, DownloadItem& item, std::int64_t& onDisk, std::int64_t& thisAttempt);
  // Hands the request over to AbortTransfer's reach; false when stopping already.
  bool Publish(HINTERNET request);
  // Closes the request unless AbortTransfer already did.
  void CloseRequest();

  DownloadQueue* queue_;
  DownloadItem* current_ = nullptr;
  winlib::CriticalSection requestLock_;
  winlib::UniqueInternet activeRequest_;
};
