#include "winlib/MessageLoop_win.h"

#include <algorithm>

namespace winlib {

namespace {

template <typename T>
bool AddUnique(std::vector<T*>& list, T* item) {
  if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end()) return false;
  list.push_back(item);
  return true;
}

template <typename T>
bool RemoveItem(std::vector<T*>& list, T* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

}  // namespace

bool MessageLoop::AddMessageFilter(MessageFilter* filter) { return AddUnique(filters_, filter); }
bool MessageLoop::RemoveMessageFilter(MessageFilter* filter) { return RemoveItem(filters_, filter); }
bool MessageLoop::AddIdleHandler(IdleHandler* handler) { return AddUnique(idleHandlers_, handler); }
bool MessageLoop::RemoveIdleHandler(IdleHandler* handler) { return RemoveItem(idleHandlers_, handler); }

bool MessageLoop::IsIdleMessage(const MSG& msg) {
  switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case 0x0118:  // WM_SYSTIMER: the caret blink
      return false;
    default:
      return true;
  }
}

bool MessageLoop::PreTranslateMessage(MSG* msg) {
  // A filter may remove itself while it runs (a window being destroyed), so walk by index.
  for (std::size_t i = filters_.size(); i > 0; --i) {
    if (i > filters_.size()) continue;
    if (filters_[i - 1]->PreTranslateMessage(msg)) return true;
  }
  return false;
}

bool MessageLoop::OnIdle(int /*idleCount*/) {
  for (std::size_t i = 0; i < idleHandlers_.size(); ++i) idleHandlers_[i]->OnIdle();
  return false;  // one round per idle period
}

int MessageLoop::Run() {
  bool doIdle = true;
  int idleCount = 0;
  MSG msg{};
  for (;;) {
    while (doIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) doIdle = false;
    }
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) continue;
    if (!got) break;
    if (!PreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (IsIdleMessage(msg)) {
      doIdle = true;
      idleCount = 0;
    }
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace winlib
