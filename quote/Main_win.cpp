#include <windows.h>

#include "quote/RigsheetApp_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CRigsheetApp app;
  return app.Run(instance);
}
