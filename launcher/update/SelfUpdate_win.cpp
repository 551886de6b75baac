#include "launcher/update/SelfUpdate_win.h"

#include <windows.h>

bool CompleteSelfUpdate() {
  // The replacement protocol is not built yet: this process runs as a normal launcher.
  ::OutputDebugStringA("CompleteSelfUpdate: not available in this build");
  return false;
}
