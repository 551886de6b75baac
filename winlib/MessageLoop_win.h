#pragma once

#include <windows.h>

#include <vector>

namespace winlib {

// A window that wants to see messages before they are dispatched (keyboard forwarding
// to a hosted control, for instance). Returns true when it consumed the message.
class MessageFilter {
 public:
  virtual bool PreTranslateMessage(MSG* msg) = 0;

 protected:
  ~MessageFilter() = default;
};

class IdleHandler {
 public:
  virtual bool OnIdle() = 0;

 protected:
  ~IdleHandler() = default;
};

// The user-interface thread's message loop: filters (last registered first), then
// translate and dispatch; idle handlers run while the queue is empty and stop until a
// message arrives that is not a mouse move, non-client mouse move, paint or system timer.
class MessageLoop {
 public:
  bool AddMessageFilter(MessageFilter* filter);
  bool RemoveMessageFilter(MessageFilter* filter);
  bool AddIdleHandler(IdleHandler* handler);
  bool RemoveIdleHandler(IdleHandler* handler);

  // Runs until WM_QUIT; returns its code.
  int Run();

  static bool IsIdleMessage(const MSG& msg);

 protected:
  virtual bool PreTranslateMessage(MSG* msg);
  virtual bool OnIdle(int idleCount);

 private:
  std::vector<MessageFilter*> filters_;
  std::vector<IdleHandler*> idleHandlers_;
};

}  // namespace winlib
