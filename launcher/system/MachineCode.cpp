#include "launcher/system/MachineCode.h"

std::string FormatMachineCode(const unsigned char (&address)[6]) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string code;
  for (unsigned char b : address) {
    code.push_back(kHex[b >> 4]);
    code.push_back(kHex[b & 0x0F]);
  }
  return code;
}
