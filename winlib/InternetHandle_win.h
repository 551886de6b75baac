#pragma once

// Kept apart from Handles_win.h: wininet.h must not meet winhttp.h in one file.
#include <windows.h>
#include <wininet.h>

#include "winlib/Handles_win.h"

namespace winlib {

struct InternetHandleTraits {
  using Type = HINTERNET;
  static Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::InternetCloseHandle(h); }
};

using UniqueInternet = UniqueHandle<InternetHandleTraits>;

}  // namespace winlib
