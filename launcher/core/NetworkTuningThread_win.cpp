#include "launcher/core/NetworkTuningThread_win.h"

#include <objbase.h>

#include "launcher/system/ProcessStart_win.h"
#include "launcher/system/WindowsVersion_win.h"

int NetworkTuningThread::run() {
  ::CoInitialize(nullptr);
  if (IsWindowsVersionAtLeast(false)) RunHiddenCommand(kNetworkTuningProgram, kNetworkTuningArguments);
  ::CoUninitialize();
  return 0;
}
