#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "launcher/core/LauncherWindow_win.h"
#include "winlib/AxHost_win.h"
#include "winlib/MessageLoop_win.h"
#include "winlib/Module_win.h"

namespace {

int Run(int showCommand) {
  winlib::MessageLoop loop;
  winlib::AppModule::AddMessageLoop(&loop);
  int code = 0;
  {
    LauncherWindow window;
    if (window.CreateLauncherWindow()) {
      if (!window.EndsAfterStartup()) ::ShowWindow(window.Hwnd(), showCommand);
      code = loop.Run();
    }
    winlib::AppModule::RemoveMessageLoop();
  }
  return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  ::CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  winlib::AppModule::Init(instance);
  winlib::RegisterAxHostClass();
  int result = Run(showCommand);
  winlib::AppModule::Term();
  ::CoUninitialize();
  return result;
}
