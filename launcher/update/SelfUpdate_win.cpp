#include "launcher/update/SelfUpdate_win.h"

#include <windows.h>

#include <vector>

#include "launcher/core/StartupRole.h"
#include "launcher/system/PathRules.h"
#include "launcher/system/Paths_win.h"
#include "launcher/system/ProcessControl_win.h"

namespace {

constexpr char kTemporaryPrefix[] = "ltu";

void Trace(const char* call, DWORD error) {
  char text[128];
  ::wsprintfA(text, "CompleteSelfUpdate: %s failed, error %lu", call, error);
  ::OutputDebugStringA(text);
}

// Polls `done` until it holds or `limitMs` has passed; true when it held.
template <typename Done>
bool WaitUntil(Done done, unsigned long limitMs, unsigned long pollMs) {
  const ULONGLONG deadline = ::GetTickCount64() + limitMs;
  for (;;) {
    if (done()) return true;
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(pollMs);
  }
}

bool IsHeldOpen(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

bool ReplaceOldLauncher(const std::string& own, const std::string& old, const SelfUpdateWaits& waits) {
  std::string folder, name;
  if (SplitModulePath(old, folder, &name, true)) {
    TerminateOtherProcesses(name);
    // A process being ended still holds its file for a moment; waiting for it to be gone
    // is what makes the replacement reliable, not a fixed pause.
    if (!WaitUntil([&] { return CountOtherProcesses(name) == 0; }, waits.exitWaitMs, waits.pollMs)) {
      Trace("waiting for the old launcher to end", ERROR_TIMEOUT);
    }
  } else {
    folder = ".\\";
  }

  // The copy is made beside the old file, so that putting it in place is a rename on the
  // same volume: an interruption leaves either the old launcher or the new one, never half.
  char temporary[MAX_PATH] = {};
  if (!::GetTempFileNameA(folder.c_str(), kTemporaryPrefix, 0, temporary)) {
    Trace("GetTempFileNameA", ::GetLastError());
    return false;
  }
  if (!::CopyFileA(own.c_str(), temporary, FALSE)) {
    Trace("CopyFileA", ::GetLastError());
    ::DeleteFileA(temporary);
    return false;
  }
  bool moved = false;
  DWORD error = ERROR_SUCCESS;
  WaitUntil(
      [&] {
        moved = ::MoveFileExA(temporary, old.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        if (moved) return true;
        error = ::GetLastError();
        // Only a file still held open is worth another try.
        return !IsHeldOpen(error);
      },
      waits.replaceRetryMs, waits.pollMs);
  if (moved) return true;
  Trace("MoveFileExA", error);
  ::DeleteFileA(temporary);
  return false;
}

bool CompleteSelfUpdate() {
  std::vector<std::string> arguments;
  GetCommandLineArguments(arguments);
  std::string directory, ownName;
  if (!GetModuleDirectory(directory, &ownName, true) || !IsSelfUpdateStage(arguments, ownName)) return false;
  return ReplaceOldLauncher(GetExecutablePath(), arguments[0], SelfUpdateWaits());
}
