#include "launcher/update/DownloadQueue_win.h"

#include <cstring>

#include "launcher/core/Messages.h"
#include "launcher/update/DownloadProgress.h"
#include "launcher/update/DownloadWorker_win.h"

namespace {

// How long Stop gives each worker to end by itself before ending it by force.
constexpr DWORD kWorkerStopWaitMs = 100;

bool CopyField(char* field, std::size_t fieldSize, const char* text) {
  if (text == nullptr) return true;
  std::size_t length = std::strlen(text);
  if (length >= fieldSize) return false;
  std::memcpy(field, text, length + 1);
  return true;
}

}  // namespace

DownloadQueue::DownloadQueue(HWND window)
    : window_(window), stopEvent_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

DownloadQueue::~DownloadQueue() { Stop(); }

int DownloadQueue::Add(const char* url, const char* targetPath, std::int64_t size, const char* note, int kind) {
  if (running_) return 0;
  {
    winlib::Lock hold(lock_);
    if (count_ >= kMaxItems) return -1;
  }
  std::unique_ptr<DownloadItem> item(new DownloadItem());
  if (!CopyField(item->url, sizeof item->url, url) ||
      !CopyField(item->targetPath, sizeof item->targetPath, targetPath) ||
      !CopyField(item->note, sizeof item->note, note)) {
    return -1;
  }
  if (size > 0) item->size = size;
  item->kind = kind;
  item->state = DownloadState::Queued;

  winlib::Lock hold(lock_);
  if (count_ >= kMaxItems) return -1;
  item->index = count_;
  items_[count_++] = std::move(item);
  return count_ - 1;
}

void DownloadQueue::Start() {
  if (running_) return;
  running_ = true;
  ::ResetEvent(stopEvent_.Get());
  int workers = 0;
  {
    winlib::Lock hold(lock_);
    batchTotal_ = 0;
    for (int i = 0; i < count_; ++i) batchTotal_ += items_[i]->size;
    completeReported_ = false;
    workers = count_ < kMaxWorkers ? count_ : kMaxWorkers;
  }
  for (int i = 0; i < workers; ++i) {
    std::unique_ptr<DownloadWorker> worker(new DownloadWorker(this));
    if (worker->Begin()) workers_[i] = std::move(worker);
  }
}

void DownloadQueue::Stop() {
  if (!running_) return;
  stopping_.store(true);
  ::SetEvent(stopEvent_.Get());
  int started = 0;
  for (auto& worker : workers_) {
    if (!worker) continue;
    worker->RequestStop();
    worker->AbortTransfer();
    ++started;
  }
  // Called from a handler of a message some thread sent us (a worker's UM_ITEM_DONE):
  // answer it now, or that worker could only end by force.
  if (::InSendMessage()) ::ReplyMessage(0);

  HANDLE waits[kMaxWorkers];
  ULONGLONG deadline = ::GetTickCount64() + kWorkerStopWaitMs * started;
  for (;;) {
    // Handles the messages sent to this thread, a worker's UM_ITEM_DONE among them;
    // posted ones stay queued.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    DWORD n = 0;
    for (auto& worker : workers_) {
      if (worker && !worker->HasEnded()) waits[n++] = worker->handle();
    }
    ULONGLONG now = ::GetTickCount64();
    if (n == 0 || now >= deadline) break;
    ::MsgWaitForMultipleObjects(n, waits, FALSE, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE);
  }
  for (auto& worker : workers_) {
    if (!worker) continue;
    if (!worker->HasEnded()) {
      ::OutputDebugStringA("DownloadQueue: a worker did not end in time and was terminated");
      worker->Terminate();
      ++terminatedWorkers_;
    }
    worker.reset();
  }
  FreeItems();
  batchTotal_ = 0;
  batchReceived_.store(0);
  running_ = false;
  stopping_.store(false);
}

void DownloadQueue::FreeItems() {
  winlib::Lock hold(lock_);
  for (int i = 0; i < count_; ++i) items_[i].reset();
  count_ = 0;
  retired_.clear();
}

int DownloadQueue::Count() const {
  winlib::Lock hold(lock_);
  return count_;
}

int DownloadQueue::WorkerCount() const {
  int n = 0;
  for (const auto& worker : workers_) n += worker ? 1 : 0;
  return n;
}

DownloadItem* DownloadQueue::TakeNextItem() {
  if (stopping_.load()) return nullptr;
  ULONGLONG now = ::GetTickCount64();
  winlib::Lock hold(lock_);
  for (int i = 0; i < count_; ++i) {
    DownloadItem* item = items_[i].get();
    bool ready = item->state == DownloadState::Queued || (item->state == DownloadState::Failed && now >= item->retryAt);
    if (!ready) continue;
    item->state = DownloadState::Running;
    return item;
  }
  return nullptr;
}

void DownloadQueue::FinishAttempt(DownloadItem& item, std::int32_t code) {
  winlib::Lock hold(lock_);
  item.code = code;
  if (code == kDownloadOk) {
    item.state = DownloadState::Done;
    return;
  }
  // Retries stay unlimited, but spaced out: a file missing on the server is not asked for
  // again and again by every worker.
  item.state = DownloadState::Failed;
  ++item.failures;
  item.retryAt = ::GetTickCount64() + RetryDelayMs(item.failures);
}

void DownloadQueue::PostProgress(const DownloadItem& item, int percent) {
  if (window_ == nullptr) return;
  ::PostMessageA(window_, UM_ITEM_PROGRESS, static_cast<WPARAM>(item.index), percent);
  ProgressPair pair = ScaleProgressPair(batchReceived_.load(), batchTotal_);
  ::PostMessageA(window_, UM_TOTAL_PROGRESS, pair.received, pair.total);
}

void DownloadQueue::SendItemDone(DownloadItem& item) {
  if (window_ == nullptr) return;
  ::SendMessageA(window_, UM_ITEM_DONE, 0, reinterpret_cast<LPARAM>(&item));
}

void DownloadQueue::DiscardBatch() {
  winlib::Lock hold(lock_);
  for (int i = 0; i < count_; ++i) retired_.push_back(std::move(items_[i]));
  count_ = 0;
}

void DownloadQueue::CheckBatchFinished() {
  bool allDone = true;
  {
    winlib::Lock hold(lock_);
    for (int i = 0; i < count_; ++i) {
      DownloadState state = items_[i]->state;
      if (state == DownloadState::Queued || state == DownloadState::Running) return;
      if (state != DownloadState::Done) allDone = false;
    }
    // Workers that finish the last items together all find the batch complete; the
    // window hears it once, or it would start the game client twice.
    if (allDone) {
      if (completeReported_) return;
      completeReported_ = true;
    }
  }
  if (window_ != nullptr) ::PostMessageA(window_, UM_QUEUE_DONE, 0, allDone ? 1 : 0);
}

void DownloadQueue::Pause(DWORD ms) { ::WaitForSingleObject(stopEvent_.Get(), ms); }
