#include "launcher/update/BackgroundThread_win.h"

#include <process.h>

bool BackgroundThread::Begin() {
  if (thread_) return false;
  stop_.store(false);
  uintptr_t h = ::_beginthreadex(nullptr, 0, &BackgroundThread::ThreadProc, this, CREATE_SUSPENDED, &threadId_);
  if (h == 0) return false;
  thread_.Reset(reinterpret_cast<HANDLE>(h));
  ::ResumeThread(thread_.Get());
  return true;
}

unsigned __stdcall BackgroundThread::ThreadProc(void* argument) {
  auto* self = static_cast<BackgroundThread*>(argument);
  if (self == nullptr) return static_cast<unsigned>(-1);
  unsigned result = static_cast<unsigned>(self->run());
  if (::GetCurrentThreadId() == self->threadId_) ::_endthreadex(result);
  return result;
}

bool BackgroundThread::HasEnded() const { return !thread_ || ::WaitForSingleObject(thread_.Get(), 0) == WAIT_OBJECT_0; }

bool BackgroundThread::WaitForEnd(DWORD timeoutMs) const {
  return !thread_ || ::WaitForSingleObject(thread_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

bool BackgroundThread::StopWithin(DWORD timeoutMs) {
  RequestStop();
  if (WaitForEnd(timeoutMs)) return true;
  Terminate();
  return false;
}

void BackgroundThread::Terminate() {
  if (!thread_ || HasEnded()) return;
  ::TerminateThread(thread_.Get(), 0);
  ::WaitForSingleObject(thread_.Get(), INFINITE);
}
