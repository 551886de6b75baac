#include "winlib/Resource_win.h"

namespace winlib {

bool FindResourceBytes(HMODULE module, int id, const char* type, ResourceBytes& bytes) {
  bytes = {};
  HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (info == nullptr) return false;
  DWORD size = ::SizeofResource(module, info);
  HGLOBAL loaded = ::LoadResource(module, info);
  const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (size == 0 || data == nullptr) return false;
  bytes.data = static_cast<const unsigned char*>(data);
  bytes.size = size;
  return true;
}

}  // namespace winlib
