#pragma once

#include <windows.h>

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
  void SetShellExecute(LauncherWindow::ShellExecuteFunction f) { w_.shellExecute_ = f; }

 private:
  LauncherWindow& w_;
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
  winlib::MessageLoop& Loop() { return loop_; }

 private:
  winlib::MessageLoop loop_;
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
