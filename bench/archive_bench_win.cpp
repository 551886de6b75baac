// Extracts one archive with ExtractArchive and prints how long that took and the process's
// peak memory, for bench/archive_bench.sh.
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "launcher/archive/ArchiveExtractor_win.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: archive_bench ARCHIVE TARGET\n");
    return 2;
  }
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  bool extracted = ExtractArchive(argv[1], argv[2]);
  ::QueryPerformanceCounter(&end);
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  std::printf("extracted=%d seconds=%.3f peak_working_set_mb=%.1f\n", extracted ? 1 : 0,
              static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
              counters.PeakWorkingSetSize / 1048576.0);
  return extracted ? 0 : 1;
}
