#include "launcher/system/Shortcuts_win.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "launcher/system/PathRules.h"
#include "launcher/system/WindowsVersion_win.h"
#include "winlib/ComPtr_win.h"

namespace {

constexpr char kOldShortcutName[] = "Zorvath.lnk";

// Frees an item list the shell allocated.
struct ItemListOwner {
  LPITEMIDLIST list = nullptr;
  ~ItemListOwner() { ::CoTaskMemFree(list); }
};

}  // namespace

bool GetDesktopDirectory(std::string& path) {
  ItemListOwner items;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &items.list)) || items.list == nullptr) return false;
  char buffer[kMaxLauncherPath + 1] = {};
  if (!::SHGetPathFromIDListA(items.list, buffer)) return false;
  path = buffer;
  return true;
}

bool CreateDesktopShortcut(const std::string& target, const std::string& name) {
  // Without a desktop folder the link would land in the root of the current drive.
  std::string desktop;
  if (!GetDesktopDirectory(desktop)) return false;

  winlib::ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid()))) {
    return false;
  }
  winlib::ComPtr<IPersistFile> file;
  if (FAILED(link.As(IID_IPersistFile, file))) return false;

  link->SetPath(target.c_str());
  std::size_t slash = target.rfind('\\');
  if (slash != std::string::npos) link->SetWorkingDirectory(target.substr(0, slash).c_str());
  link->SetShowCmd(SW_SHOWNORMAL);

  std::string linkPath = desktop + "\\" + name + ".lnk";
  wchar_t wideLinkPath[kMaxLauncherPath + 1] = {};
  // A path too long for the buffer is not saved cut short somewhere else.
  bool converted = ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wideLinkPath, kMaxLauncherPath) > 0;
  bool saved = converted && SUCCEEDED(file->Save(wideLinkPath, TRUE));
  file.Reset();

  if (IsWindowsVersionAtLeast(true)) {
    ::ShellExecuteA(nullptr, "taskbarpin", linkPath.c_str(), nullptr, nullptr, SW_HIDE);
  }
  return saved;
}

void DeleteOldDesktopShortcut() {
  // Without a desktop folder there is nothing of ours to delete.
  std::string desktop;
  if (!GetDesktopDirectory(desktop)) return;
  ::DeleteFileA((desktop + "\\" + kOldShortcutName).c_str());
}
