#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "TestFiles_win.h"
#include "winlib/Handles_win.h"

// Drives a launcher process from outside, the way a person would see it.
class ProcessUnderTest {
 public:
  ProcessUnderTest() = default;
  ~ProcessUnderTest();
  ProcessUnderTest(const ProcessUnderTest&) = delete;
  ProcessUnderTest& operator=(const ProcessUnderTest&) = delete;

  bool Start(const std::string& exePath, const std::string& arguments = std::string());
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.Get(); }
  bool WaitForExit(DWORD timeoutMs);
  // The exit code once ended (a crash ends with its exception code), else STILL_ACTIVE.
  DWORD ExitCode() const;
  bool Running() const;
  void Kill();

 private:
  winlib::UniqueKernelHandle process_;
  DWORD id_ = 0;
};

// First visible top-level window of the process with that title (any title when null).
HWND WaitForTopLevelWindow(DWORD processId, const wchar_t* title, DWORD timeoutMs);
// A message box (dialog class #32770) shown by the process.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
std::wstring WindowTextOf(HWND hwnd);
// The text of a message box: its static control.
std::wstring MessageBoxText(HWND box);
// Presses a message-box button (IDOK, IDCANCEL...).
void AnswerMessageBox(HWND box, int button);

// Ids of the processes running from `imagePath` (compared without regard to case).
std::vector<unsigned long> ProcessesOf(const std::string& imagePath);
// A folder that counts as a game directory (Data, Map, Wav exist), so a launcher started
// there runs in place.
void MakeGameDirectory(const std::string& folder);
