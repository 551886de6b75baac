#pragma once

#include <windows.h>

#include <atomic>

#include "winlib/Handles_win.h"

// The launcher's thread base: the thread runs `run` on the object. Created suspended so
// the id and handle are stored before the body can look at them, then resumed.
class BackgroundThread {
 public:
  BackgroundThread() = default;
  virtual ~BackgroundThread() = default;
  BackgroundThread(const BackgroundThread&) = delete;
  BackgroundThread& operator=(const BackgroundThread&) = delete;

  // The thread body; its result is the thread's exit code.
  virtual int run() { return -1; }
  virtual HANDLE handle() const { return thread_.Get(); }

  // Creates and resumes the thread; false when it could not be created.
  bool Begin();
  DWORD ThreadId() const { return threadId_; }

  void RequestStop() { stop_.store(true); }
  bool StopRequested() const { return stop_.load(); }
  bool HasEnded() const;
  // Waits up to `timeoutMs` for the thread to end; true when it has ended.
  bool WaitForEnd(DWORD timeoutMs) const;
  // Sets the stop flag and waits up to `timeoutMs`; only a thread that is still running
  // then is terminated. True when the thread ended by itself.
  bool StopWithin(DWORD timeoutMs);
  // The last resort for a thread that would not end: it may die holding a lock.
  void Terminate();

 private:
  static unsigned __stdcall ThreadProc(void* argument);

  winlib::UniqueKernelHandle thread_;
  unsigned threadId_ = 0;
  std::atomic<bool> stop_{false};
};
