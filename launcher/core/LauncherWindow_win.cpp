#include "launcher/core/LauncherWindow_win.h"

#include <shellapi.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "launcher/core/LauncherSettings_win.h"
#include "launcher/core/LauncherVersion.h"
#include "launcher/core/Messages.h"
#include "launcher/core/NameParts.h"
#include "launcher/core/StartupRole.h"
#include "launcher/system/ClientLaunchBlock_win.h"
#include "launcher/system/InstallLocation_win.h"
#include "launcher/system/Paths_win.h"
#include "launcher/system/ProcessStart_win.h"
#include "launcher/system/Shortcuts_win.h"
#include "launcher/system/ZoneIdentifier_win.h"
#include "launcher/update/SelfUpdate_win.h"
#include "winlib/AxHost_win.h"
#include "winlib/Module_win.h"

namespace {

constexpr int kIconResource = 128;
constexpr int kTitleResource = 128;
// "版本号:%s" in code page 936.
constexpr char kVersionLabelFormat[] = "\xB0\xE6\xB1\xBE\xBA\xC5:%s";
constexpr RECT kVersionLabelRect = {648, 172, 720, 192};

const char* FrameClassName() {
  static char name[32] = {};
  if (name[0] == '\0') std::snprintf(name, sizeof name, "Zv:Frame:%p", static_cast<void*>(name));
  return name;
}

}  // namespace

LauncherWindow::LauncherWindow() : shellExecute_(&::ShellExecuteA) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  GetSettingsFilePath(settings_.SettingsFilePath);
  LoadLauncherSettings(settings_);
  std::snprintf(VersionLabel, sizeof VersionLabel, kVersionLabelFormat, kLauncherVersion);
  LabelFont.Reset(::CreateFontW(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"宋体"));
  GetModuleDirectory(LauncherDirectory, &BaseName, false);
  ExecutablePath = GetExecutablePath();
  NameParts = SplitNameParts(BaseName);
  ClientLaunchBlockView = MapClientLaunchBlock();
}

LauncherWindow::~LauncherWindow() {
  UnmapClientLaunchBlock(ClientLaunchBlockView);
  ClientLaunchBlockView = nullptr;
  LabelFont.Reset();
  Arguments.clear();
  Downloads.reset();
  if (NetworkTuning) NetworkTuning->StopWithin(100);
  NetworkTuning.reset();
  if (Statistics) Statistics->Stop();
  Statistics.reset();
}

void LauncherWindow::CreateControls() {
  for (int i = 0; i < kSkinButtonCount; ++i) CreateSkinButton(Buttons[i], Hwnd(), kSkinButtons[i]);
  FileBar.CreateBar(Hwnd(), kCmdFileBar);
  TotalBar.CreateBar(Hwnd(), kCmdTotalBar);
}

LayoutChildren LauncherWindow::Children() {
  LayoutChildren children;
  children.pageHost = BrowserHost;
  for (int i = 0; i < kSkinButtonCount; ++i) children.buttons[i] = Buttons[i].Hwnd();
  children.fileBar = &FileBar;
  children.totalBar = &TotalBar;
  return children;
}

void LauncherWindow::SetLayoutMode(int mode) {
  LayoutMode = mode;
  Skin.SetLayoutMode(Hwnd(), mode, Children());
}

void LauncherWindow::SetBarPosition(int barId, int value) {
  (barId == kCmdFileBar ? FileBar : TotalBar).SetPosition(value);
}

bool LauncherWindow::CreateLauncherWindow() {
  HINSTANCE instance = winlib::AppModule::Instance();
  HICON icon = ::LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
  HICON smallIcon = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON,
                                                    ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  if (!RegisterWindowClass(FrameClassName(), CS_DBLCLKS, icon, smallIcon, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1))) {
    return false;
  }
  char title[64] = {};
  ::LoadStringA(instance, kTitleResource, title, sizeof title);
  HWND hwnd = Create(FrameClassName(), nullptr, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, title,
                     WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE,
                     nullptr);
  return hwnd != nullptr;
}

LRESULT LauncherWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate();
    case WM_CLOSE:
      return OnClose();
    case WM_DESTROY:
      return OnDestroy(wParam, lParam);
    case WM_PAINT:
      return OnPaint();
    case WM_LBUTTONDOWN:
      return OnLButtonDown();
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(wParam);
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam, lParam);
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_TIMER:
      return OnTimer(wParam);
    case UM_STORE_TEXT:
      return OnStoreText(lParam);
    case UM_CLIENT_PROCESS:
      return OnClientProcess(lParam);
    case UM_LAUNCH_CLIENT:
      return OnLaunchClient();
    case UM_LOGIN_PAGE:
      return OnLoginPage(lParam);
    case UM_PAGE_LOGIN:
      return OnPageLogin(lParam);
    case UM_RUN_UPDATE:
      return OnRunUpdate(wParam);
    case UM_ITEM_PROGRESS:
      return OnItemProgress(wParam, lParam);
    case UM_ITEM_DONE:
      return OnItemDone(lParam);
    case UM_TOTAL_PROGRESS:
      return OnTotalProgress(wParam, lParam);
    case UM_QUEUE_DONE:
      return OnQueueDone(lParam);
    default:
      return DefaultHandling(msg, wParam, lParam);
  }
}

LRESULT LauncherWindow::OnCreate() {
  if (!RunStartupDecisions()) return 1;
  AcceptClientMessagesFromAnySender();
  NetworkTuning.reset(new NetworkTuningThread);
  NetworkTuning->Begin();
  Statistics.reset(new StatisticsSender);
  Statistics->Start();
  CreateGameDirectories(LauncherDirectory);
  WriteRunMarker(settings_.SettingsFilePath);
  DeleteOldDesktopShortcut();
  CreateDesktopShortcut(ExecutablePath, settings_.Shortcut);
  RemoveZoneIdentifier(ExecutablePath);
  std::string temp;
  GetTempDirectory(temp);
  UpdateListPath = temp + "tarnUpdateList.ini";
  LocalRecordPath = LauncherDirectory + "ExpData\\Updata.ini";
  Skin.CreateDrawingContext();
  AttachPageHost();
  CreateControls();
  Skin.LoadSplash(Hwnd());
  Downloads.reset(new DownloadQueue(Hwnd()));
  SetLayoutMode(0);
  DWORD flags = 0;
  if (::InternetGetConnectedState(&flags, 0)) {
    ::PostMessageA(Hwnd(), UM_LOGIN_PAGE, 0, kLoginPageOpen);
  } else {
    ShowOfflineNotice();
    ::SetTimer(Hwnd(), kConnectionPollTimer, kConnectionPollPeriodMs, nullptr);
  }
  return 0;
}

void LauncherWindow::AcceptClientMessagesFromAnySender() {
  // The game client may run at another integrity level (it is started through "runas");
  // the system filter would drop its message otherwise. Absent before Windows 7.
  using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  HMODULE user32 = ::GetModuleHandleA("user32.dll");
  auto filter = reinterpret_cast<FilterFn>(
      reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
  if (filter != nullptr) filter(Hwnd(), UM_CLIENT_PROCESS, 1 /* MSGFLT_ALLOW */, nullptr);
}

bool LauncherWindow::RunStartupDecisions() {
  if (winlib::MessageLoop* loop = winlib::AppModule::GetMessageLoop()) {
    loop->AddMessageFilter(this);
    loop->AddIdleHandler(this);
  }
  LONG_PTR style = ::GetWindowLongPtrA(Hwnd(), GWL_STYLE);
  ::SetWindowLongPtrA(Hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

  GetCommandLineArguments(Arguments);
  if (Arguments.size() == 1 && CompleteSelfUpdate()) {
    StartProcess(Arguments[0], {}, SW_SHOW, nullptr);
    endsAfterStartup_ = true;
    ::ShowWindow(Hwnd(), SW_HIDE);
    ::PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
    return false;
  }
  if (HasUrlOverride(Arguments)) settings_.LoginUrl = Arguments[1];

  std::string copyPath;
  if (RelocateLauncher(copyPath)) {
    StartProcess(copyPath, {}, SW_SHOW, nullptr);
    RemoveZoneIdentifier(copyPath);
    endsAfterStartup_ = true;
    ::PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
    return false;
  }
  return true;
}

LRESULT LauncherWindow::OnClose() {
  ::DestroyWindow(Hwnd());
  return 0;
}

LRESULT LauncherWindow::OnDestroy(WPARAM wParam, LPARAM lParam) {
  ::PostQuitMessage(0);
  if (winlib::MessageLoop* loop = winlib::AppModule::GetMessageLoop()) {
    loop->RemoveMessageFilter(this);
    loop->RemoveIdleHandler(this);
  }
  return DefaultHandling(WM_DESTROY, wParam, lParam);
}

LRESULT LauncherWindow::OnPaint() {
  winlib::PaintScope paint(Hwnd());
  Skin.Paint(paint.Dc());
  if (LayoutMode != 0) return 0;
  // The label is GBK text; drawing it through code page 936 keeps it right on any system.
  wchar_t label[20] = {};
  ::MultiByteToWideChar(936, 0, VersionLabel, -1, label, 20);
  RECT rect = kVersionLabelRect;
  ::SetBkMode(paint.Dc(), TRANSPARENT);
  ::SetTextColor(paint.Dc(), RGB(0, 255, 0));
  winlib::SelectScope font(paint.Dc(), LabelFont.Get());
  ::DrawTextW(paint.Dc(), label, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  return 0;
}

LRESULT LauncherWindow::OnCtlColorStatic(WPARAM wParam) {
  ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
  return reinterpret_cast<LRESULT>(::GetStockObject(HOLLOW_BRUSH));
}

LRESULT LauncherWindow::OnLButtonDown() {
  if (Skin.AllowsWindowMove()) {
    ::ReleaseCapture();
    ::SendMessageA(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
  return 0;
}

LRESULT LauncherWindow::OnSysCommand(WPARAM wParam, LPARAM lParam) {
  if (wParam == SC_CLOSE) {
    int answer = ::MessageBoxW(Hwnd(), L"您真的要退出Zorvath吗?", L"Zorvath", MB_OKCANCEL | MB_ICONQUESTION);
    if (answer != IDOK) return 0;
  }
  return DefaultHandling(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT LauncherWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case kCmdClose:
      ::PostMessageA(Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case kCmdMinimize:
      ::PostMessageA(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return 0;
    case kCmdHome:
      OpenLink(settings_.HomeUrl);
      return 0;
    case kCmdForum:
      OpenLink(settings_.ForumUrl);
      return 0;
    case kCmdService:
      OpenLink(settings_.ServiceUrl);
      return 0;
    case kCmdPay:
      OpenLink(settings_.PayUrl0);
      return 0;
    default:
      return DefaultHandling(WM_COMMAND, wParam, lParam);
  }
}

void LauncherWindow::OpenLink(const std::string& address) {
  if (address.empty()) return;
  if (settings_.ForceUseIE != 0) {
    shellExecute_(Hwnd(), "open", "iexplore.exe", address.c_str(), nullptr, SW_SHOWNORMAL);
  } else {
    shellExecute_(Hwnd(), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

bool LauncherWindow::PreTranslateMessage(MSG* msg) {
  // Keys and mouse messages go first to the page host holding the focus, so keyboard
  // navigation inside the page works.
  return winlib::ForwardToFocusedChild(Hwnd(), msg);
}

bool LauncherWindow::OnIdle() { return false; }
