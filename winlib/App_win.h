#pragma once

#include <windows.h>

#include <string>

namespace winlib {

class HtmlDialog;

// The application object of a program built on this library: one per process, run from
// WinMain. InitInstance decides whether a message loop follows.
class App {
 public:
  App();
  virtual ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // InitInstance, then (when it answered true) the message loop until WM_QUIT, then
  // ExitInstance; returns the process's exit code.
  int Run(HINSTANCE instance);

  static App* Current();
  // The current application's main window, or null.
  static HWND CurrentMainWindow();

  void SetMainDialog(HtmlDialog* dialog) { mainDialog_ = dialog; }
  HWND MainWindow() const;

  // Names the key under HKEY_CURRENT_USER\Software where the program would keep settings.
  // Nothing is created or written here.
  void SetRegistryKey(const wchar_t* key) { registryKey_ = key != nullptr ? key : L""; }
  const std::wstring& RegistryKey() const { return registryKey_; }

  // Lets this thread's windows host controls such as the browser control (OLE initialised
  // until Run returns).
  bool EnableControlContainer();

 protected:
  virtual bool InitInstance();
  virtual int ExitInstance();

 private:
  HtmlDialog* mainDialog_ = nullptr;  // not owned
  std::wstring registryKey_;
  bool oleInitialized_ = false;
  int exitCode_ = 0;
};

}  // namespace winlib
