#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "launcher/update/DownloadItem.h"
#include "winlib/Window_win.h"

// Plays the launcher window for the download queue: a message-only window that records
// every queue message it receives.
struct ReceivedMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  ULONGLONG tick;
  DownloadItem item;  // copy of the finished item for UM_ITEM_DONE (the pointer dies with the call)
};

class RecorderWindow : public winlib::Window {
 public:
  RecorderWindow();
  ~RecorderWindow() override;

  std::vector<ReceivedMessage> messages;
  // Runs inside UM_ITEM_DONE, on this thread, while the worker waits.
  std::function<void(DownloadItem&)> onItemDone;

  std::vector<ReceivedMessage> Of(UINT msg) const;
  std::size_t CountOf(UINT msg) const { return Of(msg).size(); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// Dispatches this thread's messages until `done` holds or `timeoutMs` passed; the result
// of `done` at the end.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Dispatches for `ms` whatever arrives.
void PumpFor(DWORD ms);

// Collects the texts this process writes to the debugger output (from any thread) while
// it lives: OutputDebugString raises an exception a vectored handler sees first.
class DebugOutputCapture {
 public:
  DebugOutputCapture();
  ~DebugOutputCapture();
  DebugOutputCapture(const DebugOutputCapture&) = delete;
  DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;
  std::vector<std::string> Texts() const;

 private:
  void* handler_;
};

// The test HTTP server started by the ctest fixture (tests/support/http_test_server.sh).
class TestServer {
 public:
  TestServer();
  bool Ready() const { return port_ != 0; }
  int Port() const { return port_; }
  bool HasPort21() const { return hasPort21_; }
  // "http://127.0.0.1:<port>" + path.
  std::string Url(const std::string& path) const;
  // Request blocks ("REQUEST <line>" and its headers) whose request line holds `token`.
  std::vector<std::string> Requests(const std::string& token) const;
  // Makes `name` servable as /static/<name>.
  bool PutStatic(const std::string& name, const std::string& bytes) const;

 private:
  std::string folder_;
  int port_ = 0;
  bool hasPort21_ = false;
};

// The server's body bytes: byte i is i % 251.
std::string PatternBytes(std::size_t count);
