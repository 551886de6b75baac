#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "launcher/core/LauncherWindow_win.h"
#include "winlib/AxHost_win.h"
#include "winlib/MessageLoop_win.h"
#include "winlib/Module_win.h"

// Opens the window's state to tests that drive it with real messages.
class LauncherWindowProbe {
 public:
  explicit LauncherWindowProbe(LauncherWindow& w) : w_(w) {}
  int& UpdatePhase() { return w_.UpdatePhase; }
  bool& UpdateListReady() { return w_.UpdateListReady; }
  ProgressSlotTable& ProgressSlots() { return w_.ProgressSlots; }
  int& FileBarPercent() { return w_.FileBarPercent; }
  int& TotalBarPercent() { return w_.TotalBarPercent; }
  unsigned long& ClientProcessId() { return w_.ClientProcessId; }
  std::string& ServerId() { return w_.ServerId; }
  std::string& StoredText() { return w_.StoredText; }
  int& LayoutMode() { return w_.LayoutMode; }
  LauncherSettings& Settings() { return w_.settings_; }
  std::string& UpdateListPath() { return w_.UpdateListPath; }
  std::string& LocalRecordPath() { return w_.LocalRecordPath; }
  std::string& LauncherDirectory() { return w_.LauncherDirectory; }
  std::string& Stage1SectionName() { return w_.Stage1SectionName; }
  PageUIHandler* UIHandler() { return w_.UIHandler.Get(); }
  IWebBrowser2* Browser() { return w_.Browser.Get(); }
  SkinProgressBar& FileBar() { return w_.FileBar; }
  SkinProgressBar& TotalBar() { return w_.TotalBar; }
  void SetShellExecute(LauncherWindow::ShellExecuteFunction f) { w_.shellExecute_ = f; }

 private:
  LauncherWindow& w_;
};

// The launcher's message loop (its filters included), pumped by a test until a condition
// holds instead of until WM_QUIT.
class TestMessageLoop : public winlib::MessageLoop {
 public:
  // Dispatches this thread's messages until `done` holds; `done` is asked after every
  // message, with that message, and with null while the queue is empty. False when
  // `timeoutMs` passed first.
  bool PumpUntil(const std::function<bool(const MSG*)>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return done(nullptr);
        if (!PreTranslateMessage(&msg)) {
          ::TranslateMessage(&msg);
          ::DispatchMessageA(&msg);
        }
        if (done(&msg)) return true;
      }
      if (done(nullptr)) return true;
      ULONGLONG now = ::GetTickCount64();
      if (now >= deadline) return false;
      DWORD wait = static_cast<DWORD>(deadline - now < 20 ? deadline - now : 20);
      ::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
  }
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    return PumpUntil([&](const MSG*) { return done(); }, timeoutMs);
  }
  // Dispatches whatever arrives for `ms`.
  void PumpFor(DWORD ms) {
    PumpUntil([](const MSG*) { return false; }, ms);
  }
};

// The process frame a test needs around a real launcher window.
class LauncherWindowFixture {
 public:
  LauncherWindowFixture() {
    winlib::AppModule::Init(::GetModuleHandleA(nullptr));
    winlib::RegisterAxHostClass();
    winlib::AppModule::AddMessageLoop(&loop_);
  }
  ~LauncherWindowFixture() {
    winlib::AppModule::RemoveMessageLoop();
    winlib::AppModule::Term();
  }
  TestMessageLoop& Loop() { return loop_; }

 private:
  TestMessageLoop loop_;
};

struct PostedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Takes every message posted to `hwnd` off the queue, in order.
inline std::vector<PostedMessage> TakePosted(HWND hwnd) {
  std::vector<PostedMessage> taken;
  MSG msg;
  while (::PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_PAINT) {
      ::DispatchMessageA(&msg);  // validates; a paint would otherwise come back for ever
      continue;
    }
    if (msg.message == WM_TIMER) continue;
    taken.push_back({msg.message, msg.wParam, msg.lParam});
  }
  return taken;
}
