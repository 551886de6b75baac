#include "launcher/system/ClientLaunchLayout.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

void WriteLittleEndian(uint32_t value, unsigned bytes, unsigned char* at) {
  for (unsigned i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

void WriteText(const std::string& text, BlockField field, unsigned char* block) {
  CopyLengthPrefixed(text.c_str(), block + field.offset, static_cast<int>(field.capacity));
}

}  // namespace

void CopyLengthPrefixed(const char* text, unsigned char* field, int capacity) {
  if (text == nullptr || *text == '\0' || field == nullptr || capacity - 1 <= 0) return;
  size_t n = std::min(std::strlen(text), static_cast<size_t>(capacity - 1));
  // One length byte: a larger capacity would not survive the round trip.
  n = std::min<size_t>(n, 255);
  field[0] = static_cast<unsigned char>(n);
  std::memcpy(field + 1, text, n);
}

std::string ReadLengthPrefixed(const unsigned char* field, int capacity) {
  if (field == nullptr || capacity < 2) return std::string();
  size_t n = std::min(static_cast<size_t>(field[0]), static_cast<size_t>(capacity - 1));
  return std::string(reinterpret_cast<const char*>(field + 1), n);
}

int32_t ParseDecimalInteger(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<int64_t>(value * 10 + (text[i] - '0'), limit);
  }
  return static_cast<int32_t>(negative ? -value : value);
}

void EncodeClientLaunchBlock(const ClientLaunchFields& f, unsigned char* block) {
  if (block == nullptr) return;
  std::memset(block, 0, kClientLaunchBlockSize);
  WriteLittleEndian(static_cast<uint32_t>(ParseDecimalInteger(f.Argument4)), 4, block + kArgument4Offset);
  block[kMarkerOffset] = 1;
  WriteText(f.Version, kVersionField, block);
  WriteText(f.ExecutablePath, kExecutablePathField, block);
  WriteText(f.Argument1, kArgument1Field, block);
  WriteText(f.ServerId, kServerIdField, block);
  WriteText(f.Argument5, kArgument5Field, block);
  WriteText(f.Argument6, kArgument6Field, block);
  WriteText(f.HostAddress, kHostAddressField, block);
  WriteLittleEndian(static_cast<uint32_t>(ParseDecimalInteger(f.Argument3)), 2, block + kPortOffset);
  WriteLittleEndian(f.WindowHandle, 4, block + kWindowHandleOffset);
  WriteText(f.PayUrl1, kPayUrlField, block);
  WriteText(f.HomeUrl, kHomeUrlField, block);
  WriteText(f.AntiAddictionUrl, kAntiAddictionUrlField, block);
  WriteText(f.ServiceUrl, kServiceUrlField, block);
}

void WriteStage1SectionName(const std::string& name, unsigned char* block) {
  if (block == nullptr) return;
  WriteText(name, kStage1SectionField, block);
}

uint32_t ReadLittleEndian32(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}
