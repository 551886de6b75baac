#include "launcher/system/ClientLaunchBlock_win.h"

#include <winsock2.h>

#include <cstdint>
#include <cstdio>
#include <utility>

#include "launcher/core/LauncherVersion.h"
#include "winlib/Handles_win.h"

namespace {
// The mapping lives as long as the view; one launcher window maps it once.
winlib::UniqueKernelHandle& BlockMapping() {
  static winlib::UniqueKernelHandle mapping;
  return mapping;
}

// WSAStartup/WSACleanup for one resolution.
class SocketsScope {
 public:
  SocketsScope() {
    WSADATA data{};
    started_ = ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }
  ~SocketsScope() {
    if (started_) ::WSACleanup();
  }
  SocketsScope(const SocketsScope&) = delete;
  SocketsScope& operator=(const SocketsScope&) = delete;
  bool Started() const { return started_; }

 private:
  bool started_ = false;
};
}  // namespace

unsigned char* MapClientLaunchBlock() {
  winlib::UniqueKernelHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                          kClientLaunchBlockSize, kClientLaunchBlockName));
  if (!mapping) return nullptr;
  void* view = ::MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (view == nullptr) return nullptr;
  BlockMapping() = std::move(mapping);
  return static_cast<unsigned char*>(view);
}

void UnmapClientLaunchBlock(unsigned char* view) {
  if (view == nullptr) return;
  winlib::UniqueMappedView owned(view);
  owned.Reset();
  BlockMapping().Reset();
}

bool ResolveHostAddress(const char* name, char (&buffer)[20]) {
  if (name == nullptr) return false;
  SocketsScope sockets;
  if (!sockets.Started()) return false;
  const hostent* host = ::gethostbyname(name);
  if (host == nullptr || host->h_length < 4 || host->h_addr_list == nullptr || host->h_addr_list[0] == nullptr) {
    return false;
  }
  const auto* a = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
  std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
  return true;
}

std::string AnsiFromWide(const wchar_t* text) {
  if (text == nullptr || *text == L'\0') return std::string();
  int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string ansi(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, &ansi[0], n, nullptr, nullptr);
  ansi.resize(static_cast<size_t>(n - 1));
  return ansi;
}

bool FillClientLaunchBlock(unsigned char* view, const LoginArguments* arguments, const LauncherSettings& settings,
                           const std::string& executablePath, HWND mainWindow, std::string& serverId) {
  if (arguments == nullptr) return false;
  const auto argument = [arguments](int number) { return AnsiFromWide(arguments->Values[number - 1]); };
  serverId = argument(7);
  if (view == nullptr) return false;

  ClientLaunchFields f;
  f.Argument1 = argument(1);
  // An empty name would resolve to this computer: the field stays empty instead.
  std::string host = argument(2);
  char resolved[20] = {};
  if (!host.empty() && ResolveHostAddress(host.c_str(), resolved)) f.HostAddress = resolved;
  f.Argument3 = argument(3);
  f.Argument4 = argument(4);
  f.Argument5 = argument(5);
  f.Argument6 = argument(6);
  f.ServerId = serverId;
  f.ExecutablePath = executablePath;
  f.Version = kLauncherVersion;
  // Window handles carry 32 significant bits on 64-bit Windows as well.
  f.WindowHandle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(mainWindow));
  f.PayUrl1 = settings.PayUrl1;
  f.HomeUrl = settings.HomeUrl;
  f.AntiAddictionUrl = settings.AntiAddictionUrl;
  f.ServiceUrl = settings.ServiceUrl;
  EncodeClientLaunchBlock(f, view);
  return true;
}
