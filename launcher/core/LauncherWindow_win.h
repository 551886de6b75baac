#pragma once

#include <windows.h>
#include <exdisp.h>

#include <memory>
#include <string>
#include <vector>

#include "launcher/core/LauncherSettings.h"
#include "launcher/core/LoginArguments.h"
#include "launcher/core/NetworkTuningThread_win.h"
#include "launcher/core/PageUIHandler_win.h"
#include "launcher/ui/Layouts_win.h"
#include "launcher/update/DownloadQueue_win.h"
#include "launcher/update/StatisticsSender_win.h"
#include "launcher/update/ProgressSlots.h"
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
  void AcceptClientMessagesFromAnySender();
  void ShowOfflineNotice();
  void AttachPageHost();
  void CreateControls();
  LayoutChildren Children();

  LRESULT OnCreate();
  LRESULT OnClose();
  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaint();
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown();
  LRESULT OnCtlColorStatic(WPARAM wParam);
  LRESULT OnTimer(WPARAM timerId);
  void OpenLink(const std::string& address);

  // Private messages (launcher/core/Messages.h), one handler each.
  LRESULT OnStoreText(LPARAM text);
  LRESULT OnClientProcess(LPARAM processId);
  LRESULT OnLaunchClient();
  LRESULT OnLoginPage(LPARAM what);
  LRESULT OnPageLogin(LPARAM loginArguments);
  LRESULT OnRunUpdate(WPARAM which);
  LRESULT OnItemProgress(WPARAM itemIndex, LPARAM percent);
  LRESULT OnItemDone(LPARAM item);
  LRESULT OnTotalProgress(WPARAM received, LPARAM total);
  LRESULT OnQueueDone(LPARAM allDone);

  // Steps other handlers call.
  std::string LoginAddress();
  void NavigatePage(const std::string& address);
  void SetLayoutMode(int mode);
  bool FillLaunchBlock(const LoginArguments* loginArguments);
  void DownloadUpdateList();
  void StopDownloads();
  void CheckLauncherUpdate();
  void CheckClientUpdate();
  void OnLauncherPackageFinished(const DownloadItem& item);
  void OnClientPackageFinished(const DownloadItem& item);
  bool LaunchGameClient();
  void SetBarPosition(int barId, int value);
  bool IsClientRunning() const;

  winlib::ComPtr<PageUIHandler> UIHandler;
  HWND BrowserHost = nullptr;                // child window; destroyed with this window
  winlib::ComPtr<IWebBrowser2> Browser;
  std::unique_ptr<DownloadQueue> Downloads;
  std::unique_ptr<NetworkTuningThread> NetworkTuning;
  std::unique_ptr<StatisticsSender> Statistics;
  std::string LauncherDirectory;
  std::string ExecutablePath;
  std::string BaseName;
  std::string LocalRecordPath;
  std::string UpdateListPath;
  std::string Stage1SectionName;
  std::string ServerId;
  std::string StoredText;
  std::vector<std::string> NameParts;
  int UpdatePhase = 0;
  int LayoutMode = 0;
  SkinLayout Skin;  // skin bitmap and drawing context, window size, splash picture
  unsigned long ClientProcessId = 0;
  unsigned char* ClientLaunchBlockView = nullptr;
  winlib::BitmapButton Buttons[kSkinButtonCount];
  SkinProgressBar FileBar;   // 147: the package being fetched
  SkinProgressBar TotalBar;  // 150: the whole batch
  winlib::UniqueFont LabelFont;
  LauncherSettings settings_;
  char VersionLabel[20] = {};
  bool UpdateListReady = false;
  std::vector<std::string> Arguments;
  ProgressSlotTable ProgressSlots;
  int FileBarPercent = 0;
  int TotalBarPercent = 0;

  bool endsAfterStartup_ = false;
  // The shell call behind the link buttons; tests record it instead of opening a browser.
  using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  ShellExecuteFunction shellExecute_ = nullptr;
};
