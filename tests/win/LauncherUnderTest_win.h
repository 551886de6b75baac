#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "LauncherWindowProbe_win.h"
#include "TestFiles_win.h"
#include "launcher/core/Messages.h"
#include "UpdateTestSupport_win.h"
#include "winlib/Handles_win.h"

// The one launcher window of an integration test program, with its real message loop,
// download queue and page host, run from the test program's folder (made a game directory
// so it does not relocate). Created on first use and destroyed when the program ends:
// destroying a top-level window costs seconds under Xvfb.
class LauncherUnderTest {
 public:
  static LauncherUnderTest& Get();
  static void Destroy();

  HWND Hwnd() const { return window_->Hwnd(); }
  LauncherWindowProbe& Probe() { return probe_; }
  TestMessageLoop& Loop() { return frame_.Loop(); }
  // The launcher's folder (the test program's), ending in "\".
  const std::string& Directory() const { return directory_; }
  // Where the client stand-ins started by the launcher write their report.
  const std::string& ReportPath() const { return reportPath_; }
  std::string LocalRecordPath() const { return directory_ + "ExpData\\Updata.ini"; }

  // Publishes `listText` as the operator's update list, reopens the login page
  // (UM_LOGIN_PAGE with `reopen`), and pumps until the launcher fetched the list and ran
  // its own update check on it.
  bool PublishList(const std::string& listText, LPARAM reopen = kLoginPageOpen);
  // Pumps until an update list fetch ended in the launcher's own update check.
  bool WaitForListFetched(DWORD timeoutMs);

  // Plays the login page: the page host's handler hands out the external object, whose
  // "LoginGameClient" is called with these texts (argument 1 first).
  HRESULT Login(const std::vector<std::wstring>& arguments);
  // The usual seven texts: player, 127.0.0.1, 8000, 42, five, token-six, and `serverId`.
  HRESULT Login(const std::wstring& serverId = L"s12");

  // Pumps until a started client wrote its report and the window hid; the report text.
  bool WaitForClientStart(std::string& report, DWORD timeoutMs);
  // Ends every running client stand-in, then pumps until the launcher noticed, showed
  // itself again and fetched the update list anew.
  bool EndClientAndReturn(DWORD timeoutMs);

 private:
  LauncherUnderTest();
  ~LauncherUnderTest();

  // COM and the common controls, as the launcher's entry point sets them up before its
  // window: without them the page host has no browser control.
  struct EntryPointSetup {
    EntryPointSetup();
    ~EntryPointSetup();
  };

  EntryPointSetup entryPoint_;
  ScratchFolder scratch_{"integration"};
  std::string directory_;
  std::string reportPath_;
  LauncherWindowFixture frame_;
  std::unique_ptr<LauncherWindow> window_;
  LauncherWindowProbe probe_;
};

// The value of `key` in a stand-in report ("(absent)" when it has none).
std::string ReportValue(const std::string& report, const std::string& key);
// Client stand-ins running on this machine (their message-only windows).
int CountStandIns();
// Asks every running stand-in to end; true once none is left.
bool EndStandIns(DWORD timeoutMs);
// A stand-in started by the test itself, as another game client; `report` is what it wrote
// to `reportPath` once it runs. It is ended when the object goes, if still running.
std::unique_ptr<StartedProcess> StartOtherClient(const std::string& reportPath, std::string& report);

// Answers the message box this process shows next, from a helper thread: the box runs its
// own modal loop on the user-interface thread, inside the handler that asked.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int button);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // Waits for the helper; true when it found a box and answered it.
  bool Answered(DWORD timeoutMs);
  const std::wstring& Caption() const { return caption_; }
  const std::wstring& Text() const { return text_; }

 private:
  static DWORD WINAPI Run(void* self);

  int button_;
  std::wstring caption_;
  std::wstring text_;
  bool answered_ = false;
  winlib::UniqueKernelHandle stop_;
  winlib::UniqueKernelHandle thread_;
};
