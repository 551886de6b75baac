#pragma once

#include <windows.h>

namespace winlib {

// The bytes of a resource as the module maps them; valid while the module is loaded.
struct ResourceBytes {
  const unsigned char* data = nullptr;
  DWORD size = 0;
};

// False when the resource is missing, empty, or cannot be loaded or locked.
bool FindResourceBytes(HMODULE module, int id, const char* type, ResourceBytes& bytes);

}  // namespace winlib
