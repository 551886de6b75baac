// Fetches a batch through the download queue and prints how long it took, for
// bench/download_bench.sh: download_bench <base URL> <count> <output folder>.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "launcher/core/Messages.h"
#include "launcher/update/DownloadQueue_win.h"

namespace {

LRESULT CALLBACK BenchWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UM_QUEUE_DONE) ::PostQuitMessage(lParam == 1 ? 0 : 1);
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: download_bench <base URL> <count> <output folder>\n");
    return 2;
  }
  std::string base = argv[1];
  int count = std::atoi(argv[2]);
  std::string out = argv[3];
  if (!out.empty() && out.back() != '\\') out += '\\';

  WNDCLASSA wc = {};
  wc.lpfnWndProc = BenchWindowProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "Zv:DownloadBench";
  ::RegisterClassA(&wc);
  HWND window = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  if (window == nullptr) return 3;

  DownloadQueue queue(window);
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "f%02d.bin", i);
    if (queue.Add((base + "/" + name).c_str(), (out + name).c_str(), 0, nullptr, kClientPackageItem) != i) return 4;
  }
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  queue.Start();
  MSG msg;
  int result = 0;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  result = static_cast<int>(msg.wParam);
  ::QueryPerformanceCounter(&end);
  queue.Stop();
  double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("queue_ms=%.1f items=%d ok=%d\n", ms, count, result == 0 ? 1 : 0);
  ::DestroyWindow(window);
  return result;
}
