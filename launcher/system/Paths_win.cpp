#include "launcher/system/Paths_win.h"

#include <windows.h>
#include <shellapi.h>

#include "launcher/core/KeyValueLines.h"
#include "launcher/system/PathRules.h"
#include "winlib/Handles_win.h"

std::string GetExecutablePath() {
  char buffer[kMaxLauncherPath + 1] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return std::string();
  return std::string(buffer, n);
}

bool GetModuleDirectory(std::string& directory, std::string* name, bool keepExtension) {
  std::string path = GetExecutablePath();
  if (path.empty()) return false;
  SplitModulePath(path, directory, name, keepExtension);
  return true;
}

bool GetSettingsFilePath(std::string& path) {
  std::string exe = GetExecutablePath();
  if (exe.empty()) return false;
  return SettingsPathFor(exe, path);
}

void GetCommandLineArguments(std::vector<std::string>& arguments) {
  arguments.clear();
  int count = 0;
  winlib::UniqueLocal split(reinterpret_cast<HLOCAL>(::CommandLineToArgvW(::GetCommandLineW(), &count)));
  if (!split) return;
  auto* items = reinterpret_cast<wchar_t**>(split.Get());
  for (int i = 1; i < count; ++i) {
    int needed = ::WideCharToMultiByte(CP_ACP, 0, items[i], -1, nullptr, 0, nullptr, nullptr);
    std::string text(needed > 0 ? needed : 1, '\0');
    if (needed > 0) ::WideCharToMultiByte(CP_ACP, 0, items[i], -1, &text[0], needed, nullptr, nullptr);
    text.resize(text.find('\0'));
    // 260 bytes with the terminator; never end on half a double-byte character.
    std::size_t keep = 0;
    while (keep < text.size()) {
      std::size_t width = IsLeadByte936(static_cast<unsigned char>(text[keep])) && keep + 1 < text.size() ? 2 : 1;
      if (keep + width > kMaxLauncherPath - 1) break;
      keep += width;
    }
    text.resize(keep);
    arguments.push_back(text);
  }
}

bool GetTempDirectory(std::string& path) {
  char buffer[kMaxLauncherPath] = {};
  DWORD n = ::GetTempPathA(sizeof buffer, buffer);
  if (n == 0 || n >= sizeof buffer) return false;
  path.assign(buffer, n);
  return true;
}
