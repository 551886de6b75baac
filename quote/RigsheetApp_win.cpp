#include "quote/RigsheetApp_win.h"

#include <commctrl.h>

#include "quote/RigsheetDlg_win.h"

namespace {
// Where settings would live; the program keeps none, so nothing is written under it.
const wchar_t kRegistryKey[] = L"应用程序向导生成的本地应用程序";
}  // namespace

bool CRigsheetApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  App::InitInstance();
  EnableControlContainer();
  SetRegistryKey(kRegistryKey);

  CRigsheetDlg dialog;
  SetMainDialog(&dialog);
  dialog.DoModal();
  SetMainDialog(nullptr);
  // The dialog was the whole program: no message loop follows.
  return false;
}
