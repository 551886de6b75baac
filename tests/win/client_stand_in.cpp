// A stand-in for the game client, built with the tests and never shipped. It reads the
// launch block the way the real client would, writes what it found to a report file, and
// stays running until its message-only window gets WM_CLOSE.
#include <windows.h>

#include <cstdio>
#include <string>

#include "launcher/system/ClientLaunchLayout.h"

namespace {

constexpr char kWindowClass[] = "ZorvathClientStandIn";

std::string ReportPath() {
  char value[MAX_PATH] = {};
  DWORD n = ::GetEnvironmentVariableA("CLIENT_STAND_IN_REPORT", value, sizeof value);
  if (n > 0 && n < sizeof value) return value;
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, sizeof self);
  std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + "Client.report.txt";
}

void AddText(std::string& report, const char* name, const unsigned char* block, BlockField field) {
  report += std::string(name) + "=" + ReadLengthPrefixed(block + field.offset, static_cast<int>(field.capacity)) + "\n";
}

void AddNumber(std::string& report, const char* name, unsigned long value) {
  report += std::string(name) + "=" + std::to_string(value) + "\n";
}

std::string Describe(const unsigned char* block) {
  std::string report = "bytes=";
  char hex[3];
  for (unsigned i = 0; i < kClientLaunchBlockSize; ++i) {
    std::snprintf(hex, sizeof hex, "%02x", block[i]);
    report += hex;
  }
  report += "\n";
  AddText(report, "ServerId", block, kServerIdField);
  AddText(report, "HostAddress", block, kHostAddressField);
  AddNumber(report, "Port", block[kPortOffset] | block[kPortOffset + 1] << 8);
  AddNumber(report, "Marker", block[kMarkerOffset]);
  AddText(report, "Argument6", block, kArgument6Field);
  AddText(report, "ExecutablePath", block, kExecutablePathField);
  AddText(report, "Version", block, kVersionField);
  AddText(report, "Stage1SectionName", block, kStage1SectionField);
  AddText(report, "Argument1", block, kArgument1Field);
  AddText(report, "Argument5", block, kArgument5Field);
  report += "Argument4=" + std::to_string(static_cast<int32_t>(ReadLittleEndian32(block + kArgument4Offset))) + "\n";
  AddNumber(report, "WindowHandle", ReadLittleEndian32(block + kWindowHandleOffset));
  AddText(report, "PayUrl1", block, kPayUrlField);
  AddText(report, "HomeUrl", block, kHomeUrlField);
  AddText(report, "AntiAddictionUrl", block, kAntiAddictionUrlField);
  AddText(report, "ServiceUrl", block, kServiceUrlField);
  return report;
}

// Written beside and then moved over the report, so a reader never sees half of it.
void WriteReport(const std::string& path, const std::string& text) {
  std::string temporary = path + ".part";
  HANDLE file =
      ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
  ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK StandInProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {
    ::DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::string report = "pid=" + std::to_string(::GetCurrentProcessId()) + "\n";
  HANDLE mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, kClientLaunchBlockName);
  const void* view =
      mapping != nullptr ? ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kClientLaunchBlockSize) : nullptr;
  if (view != nullptr) {
    report += Describe(static_cast<const unsigned char*>(view));
    ::UnmapViewOfFile(view);
  } else {
    report += "block=missing\n";
  }
  if (mapping != nullptr) ::CloseHandle(mapping);

  WNDCLASSA wc{};
  wc.lpfnWndProc = StandInProc;
  wc.hInstance = instance;
  wc.lpszClassName = kWindowClass;
  ::RegisterClassA(&wc);
  HWND window = ::CreateWindowExA(0, kWindowClass, "Client", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  // The report goes out once the window can be found, so whoever reads it can end us.
  WriteReport(ReportPath(), report);
  if (window == nullptr) return 1;
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  return 0;
}
