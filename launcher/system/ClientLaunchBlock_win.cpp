#include "launcher/system/ClientLaunchBlock_win.h"

#include <windows.h>

#include <utility>

#include "winlib/Handles_win.h"

namespace {
// The mapping lives as long as the view; one launcher window maps it once.
winlib::UniqueKernelHandle& BlockMapping() {
  static winlib::UniqueKernelHandle mapping;
  return mapping;
}
}  // namespace

unsigned char* MapClientLaunchBlock() {
  winlib::UniqueKernelHandle mapping(
      ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kClientLaunchBlockSize, kClientLaunchBlockName));
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
