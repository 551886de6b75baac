#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "launcher/update/DownloadItem.h"
#include "winlib/Handles_win.h"

class DownloadWorker;

// The launcher's only download facility: a batch of up to 80 items fetched by up to four
// workers. It reports to one window: progress and the end of the batch are posted, the end
// of each item is sent (UM_ITEM_DONE) so the window can act on the file while the worker
// waits. Add, Start and Stop belong to the window's thread.
class DownloadQueue {
 public:
  static constexpr int kMaxItems = 80;
  static constexpr int kMaxWorkers = 4;

  explicit DownloadQueue(HWND window);
  ~DownloadQueue();
  DownloadQueue(const DownloadQueue&) = delete;
  DownloadQueue& operator=(const DownloadQueue&) = delete;

  // The item's index; 0 (nothing added) while running; -1 when the batch is full or a
  // text does not fit its field, since a shortened URL or path would name another file.
  int Add(const char* url, const char* targetPath, std::int64_t size, const char* note, int kind);
  // Starts min(count, 4) workers; nothing when already running.
  void Start();
  // Ends the workers and frees every item; nothing when not running. While it waits, the
  // calling thread still handles messages sent to its windows, so a worker blocked in
  // UM_ITEM_DONE can finish; such late items arrive while IsStopping() is true and are to
  // be ignored. A thread is ended by force only when it would not end in time.
  void Stop();

  bool IsRunning() const { return running_; }
  bool IsStopping() const { return stopping_; }
  int Count() const;
  int WorkerCount() const;
  std::int64_t BatchTotal() const { return batchTotal_; }
  std::int64_t BatchReceived() const { return batchReceived_.load(); }
  // Threads that had to be ended by force since the queue was made.
  int TerminatedWorkers() const { return terminatedWorkers_; }

 private:
  friend class DownloadWorker;

  // Worker side.
  DownloadItem* TakeNextItem();
  void FinishAttempt(DownloadItem& item, std::int32_t code);
  void AddReceived(std::int64_t bytes) { batchReceived_.fetch_add(bytes); }
  void PostProgress(const DownloadItem& item, int percent);
  void SendItemDone(DownloadItem& item);
  void DiscardBatch();
  void CheckBatchFinished();
  // Sleeps up to `ms`; returns at once when the queue is being stopped.
  void Pause(DWORD ms);

  void FreeItems();

  HWND window_ = nullptr;
  std::int64_t batchTotal_ = 0;
  std::atomic<std::int64_t> batchReceived_{0};
  std::unique_ptr<DownloadItem> items_[kMaxItems];
  int count_ = 0;
  bool completeReported_ = false;  // the batch's success was posted (guarded by lock_)
  std::unique_ptr<DownloadWorker> workers_[kMaxWorkers];
  // Items of a batch discarded by a worker: another worker may still hold one, so they
  // are freed only when the workers are gone.
  std::vector<std::unique_ptr<DownloadItem>> retired_;
  bool running_ = false;
  std::atomic<bool> stopping_{false};
  int terminatedWorkers_ = 0;
  winlib::UniqueKernelHandle stopEvent_;
  mutable winlib::CriticalSection lock_;
};
