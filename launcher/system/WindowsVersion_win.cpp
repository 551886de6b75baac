#include "launcher/system/WindowsVersion_win.h"

#include <windows.h>

#include "launcher/system/WindowsVersion.h"

bool IsWindowsVersionAtLeast(bool windows7) {
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  return VersionAtLeast(::GetVersion(), windows7);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
}
