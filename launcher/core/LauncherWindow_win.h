#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "launcher/core/LauncherSettings.h"
#include "winlib/Handles_win.h"
#include "winlib/MessageLoop_win.h"
#include "winlib/Window_win.h"

// The launcher's one top-level window and the owner of all launcher state. Every piece of
// launcher work runs in its handlers on the user-interface thread; other threads and the
// login page reach it only through the messages of launcher/core/Messages.h.
class LauncherWindow : public winlib::Window, public winlib::MessageFilter, public winlib::IdleHandler {
 public:
  LauncherWindow();
  ~LauncherWindow() override;

  // Creates the window; the creation handler decides the process's role.
  bool CreateLauncherWindow();
  // True when the start-up decisions ended this process's role (self-update replaced the
  // old launcher, or the launcher relocated itself): the window is never shown.
  bool EndsAfterStartup() const { return endsAfterStartup_; }

  bool PreTranslateMessage(MSG* msg) override;
  bool OnIdle() override;

  const LauncherSettings& Settings() const { return settings_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class LauncherWindowProbe;  // tests look at state the handlers change

  // Start-up decisions (first part of WM_CREATE); false when this process ends here.
  bool RunStartupDecisions();
  bool RelocateLauncher(std::string& copyPath);

  LRESULT OnCreate();
  LRESULT OnClose();
  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaint();
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown();
  LRESULT OnCtlColorStatic(WPARAM wParam);
  void OpenLink(const std::string& address);

  std::string LauncherDirectory;
  std::string ExecutablePath;
  std::string BaseName;
  std::vector<std::string> NameParts;
  int LayoutMode = 0;
  unsigned char* ClientLaunchBlockView = nullptr;
  winlib::UniqueFont LabelFont;
  LauncherSettings settings_;
  char VersionLabel[20] = {};
  std::vector<std::string> Arguments;

  bool endsAfterStartup_ = false;
};
