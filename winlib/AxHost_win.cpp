#include "winlib/AxHost_win.h"

#include "winlib/Module_win.h"

namespace winlib {

namespace {
UINT getHostMessage = 0;
UINT getControlMessage = 0;
}  // namespace

UINT AxGetHostMessage() { return getHostMessage; }
UINT AxGetControlMessage() { return getControlMessage; }

bool RegisterAxHostClass() {
  getHostMessage = ::RegisterWindowMessageA("WM_ATLGETHOST");
  getControlMessage = ::RegisterWindowMessageA("WM_ATLGETCONTROL");
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(AppModule::Instance(), kAxHostClassName, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = AppModule::Instance();
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kAxHostClassName;
  return ::RegisterClassExA(&wc) != 0;
}

}  // namespace winlib
