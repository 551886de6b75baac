#include "launcher/system/MachineCode_win.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include "launcher/system/MachineCode.h"
#include "winlib/Handles_win.h"

void GetMachineCode(std::string& text) {
  ULONG size = 0;
  DWORD result = ::GetAdaptersInfo(nullptr, &size);
  if (result != ERROR_SUCCESS && result != ERROR_BUFFER_OVERFLOW) return;
  winlib::UniqueGlobal block(::GlobalAlloc(GPTR, size > 0 ? size : 1));
  if (!block) return;
  auto* info = static_cast<IP_ADAPTER_INFO*>(static_cast<void*>(block.Get()));
  if (size < sizeof(IP_ADAPTER_INFO) || ::GetAdaptersInfo(info, &size) != ERROR_SUCCESS) {
    text = kMachineCodeFallback;
    return;
  }
  const unsigned char(&address)[6] = *reinterpret_cast<const unsigned char(*)[6]>(info->Address);
  text = FormatMachineCode(address);
}
