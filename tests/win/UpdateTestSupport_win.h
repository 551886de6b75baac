#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "TestFiles_win.h"
#include "winlib/Handles_win.h"

// The operator site of the tests (tests/support/operator_site.py), seen from Wine.

// A path below the site's folder, through drive Z:; `relative` uses "/" or "\".
std::string OperatorSitePath(const std::string& relative);
// Replaces the update list the download server hands out.
bool WriteSiteUpdateList(const std::string& text);

// Lines an access log gains after this object was made.
class AccessLogTail {
 public:
  explicit AccessLogTail(const std::string& logName);  // "statistics.log" or "downloads.log"
  // Waits until at least `count` new lines arrived (or `timeoutMs` passed) and returns them.
  std::vector<std::string> WaitForLines(std::size_t count, DWORD timeoutMs) const;
  std::vector<std::string> Lines() const;

 private:
  std::string path_;
  std::size_t start_ = 0;
};

// A program started with arguments; ended (if still running) when the object goes.
class StartedProcess {
 public:
  StartedProcess(const std::string& path, const std::vector<std::string>& arguments);
  ~StartedProcess();
  StartedProcess(const StartedProcess&) = delete;
  StartedProcess& operator=(const StartedProcess&) = delete;

  bool Started() const { return process_.Valid(); }
  bool Running() const;
  // Exit code once the program ended within `timeoutMs`; STILL_ACTIVE otherwise.
  DWORD WaitForExit(DWORD timeoutMs) const;

 private:
  winlib::UniqueKernelHandle process_;
};

// True when a file holds exactly the bytes of another.
bool SameBytes(const std::string& a, const std::string& b);
// Names of the files of a folder that match a pattern such as "*.tmp".
std::vector<std::string> FilesMatching(const std::string& folder, const char* pattern);
