// A stand-in for the game client, for the demo: reads the launch block the launcher
// wrote, shows it in a small window, reports it to a file beside itself and closes after
// a few seconds (or when clicked), so the launcher comes back.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr UINT_PTR kCloseTimer = 1;
std::wstring report;

std::string Field(const unsigned char* block, int offset) {
  return std::string(reinterpret_cast<const char*>(block + offset + 1), block[offset]);
}

std::wstring Widen(const std::string& ansi) {
  wchar_t buffer[512] = {};
  ::MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, buffer, 512);
  return buffer;
}

void ReadBlock() {
  HANDLE mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, "A4965LOV");
  if (mapping == nullptr) {
    report = L"no launch block \"A4965LOV\"";
    return;
  }
  const auto* block = static_cast<const unsigned char*>(::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 1004));
  if (block == nullptr) {
    ::CloseHandle(mapping);
    report = L"launch block cannot be read";
    return;
  }
  unsigned short port = static_cast<unsigned short>(block[48] | (block[49] << 8));
  int arg4 = 0;
  unsigned int window = 0;
  std::memcpy(&arg4, block + 484, 4);
  std::memcpy(&window, block + 488, 4);
  char text[4096];
  std::snprintf(text, sizeof text,
                "server id: %s\r\nserver address: %s  port: %u\r\nargument 1: %s\r\nargument 4: %d\r\n"
                "argument 5: %s\r\nargument 6: %s\r\nlauncher: %s (version %s)\r\nupdate stage: %s\r\n"
                "launcher window: 0x%08X (%s)\r\nhome page: %s\r\n",
                Field(block, 0).c_str(), Field(block, 31).c_str(), port, Field(block, 380).c_str(), arg4,
                Field(block, 462).c_str(), Field(block, 52).c_str(), Field(block, 93).c_str(), Field(block, 349).c_str(),
                Field(block, 360).c_str(), window,
                ::IsWindow(reinterpret_cast<HWND>(static_cast<UINT_PTR>(window))) ? "alive" : "gone",
                Field(block, 620).c_str());
  report = Widen(text);
  ::UnmapViewOfFile(block);
  ::CloseHandle(mapping);

  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::strcpy(std::strrchr(path, '\\') + 1, "client-report.txt");
  if (FILE* f = std::fopen(path, "wb")) {
    std::fputs(text, f);
    std::fclose(f);
  }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      RECT rect;
      ::GetClientRect(hwnd, &rect);
      HBRUSH back = ::CreateSolidBrush(RGB(24, 20, 32));
      ::FillRect(dc, &rect, back);
      ::DeleteObject(back);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, RGB(240, 200, 90));
      RECT title = {16, 12, rect.right - 16, 40};
      ::DrawTextW(dc, L"Zorvath \x2014 demo game client", -1, &title, DT_SINGLELINE);
      ::SetTextColor(dc, RGB(225, 225, 225));
      RECT body = {16, 44, rect.right - 16, rect.bottom - 28};
      ::DrawTextW(dc, report.c_str(), -1, &body, DT_WORDBREAK);
      ::SetTextColor(dc, RGB(150, 150, 150));
      RECT hint = {16, rect.bottom - 26, rect.right - 16, rect.bottom - 6};
      ::DrawTextW(dc, L"closes by itself in a few seconds, or click", -1, &hint, DT_SINGLELINE);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_TIMER:
      ::DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  ReadBlock();
  WNDCLASSW wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = L"ZorvathDemoClient";
  ::RegisterClassW(&wc);
  HWND hwnd = ::CreateWindowW(wc.lpszClassName, L"Zorvath", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                              CW_USEDEFAULT, 560, 330, nullptr, nullptr, instance, nullptr);
  char seconds[16] = {};
  int lifetime = ::GetEnvironmentVariableA("ZORVATH_DEMO_CLIENT_SECONDS", seconds, sizeof seconds) ? std::atoi(seconds) : 6;
  ::SetTimer(hwnd, kCloseTimer, (lifetime > 0 ? lifetime : 6) * 1000, nullptr);
  ::ShowWindow(hwnd, show);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
