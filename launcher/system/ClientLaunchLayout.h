#pragma once

#include <cstdint>
#include <string>

// Byte layout of the block the game client reads: length-prefixed ANSI texts (one length
// byte, no terminator, at most capacity - 1 characters) and little-endian integers at
// fixed offsets. The client depends on every number here.
constexpr const char kClientLaunchBlockName[] = "A4965LOV";
constexpr unsigned kClientLaunchBlockSize = 1004;

struct BlockField {
  unsigned offset;
  unsigned capacity;
};

constexpr BlockField kServerIdField{0, 31};      // argument 7
constexpr BlockField kHostAddressField{31, 16};  // argument 2, resolved to a dotted quad
constexpr unsigned kPortOffset = 48;             // argument 3, 16 bits
constexpr unsigned kMarkerOffset = 51;           // always 1
constexpr BlockField kArgument6Field{52, 41};
constexpr BlockField kExecutablePathField{93, 256};
constexpr BlockField kVersionField{349, 11};
constexpr BlockField kStage1SectionField{360, 16};  // written by the client version check only
constexpr BlockField kArgument1Field{380, 41};
constexpr BlockField kArgument5Field{462, 21};
constexpr unsigned kArgument4Offset = 484;     // signed 32 bits
constexpr unsigned kWindowHandleOffset = 488;  // 32 bits
constexpr BlockField kPayUrlField{492, 128};
constexpr BlockField kHomeUrlField{620, 128};
constexpr BlockField kAntiAddictionUrlField{748, 128};
constexpr BlockField kServiceUrlField{876, 128};

// Everything one login writes, already in the ANSI code page.
struct ClientLaunchFields {
  std::string Argument1;
  std::string HostAddress;  // argument 2 resolved; empty when resolution failed
  std::string Argument3;    // decimal text, stored as 16 bits
  std::string Argument4;    // decimal text, stored as 32 bits
  std::string Argument5;
  std::string Argument6;
  std::string ServerId;  // argument 7
  std::string ExecutablePath;
  std::string Version;
  uint32_t WindowHandle = 0;
  std::string PayUrl1;
  std::string HomeUrl;
  std::string AntiAddictionUrl;
  std::string ServiceUrl;
};

// Writes `text` as a length byte and at most capacity - 1 characters. Nothing happens for
// a null or empty text, a null field or a capacity below 2.
void CopyLengthPrefixed(const char* text, unsigned char* field, int capacity);
// The text stored in a length-prefixed field (a length byte beyond the field is cut).
std::string ReadLengthPrefixed(const unsigned char* field, int capacity);

// Decimal conversion as the runtime does it: leading blanks, an optional sign, the digits
// that follow; no digits gives 0, values beyond 32 bits stop at the nearest limit.
int32_t ParseDecimalInteger(const std::string& text);

// Zeroes the whole block, then writes every field of one login.
void EncodeClientLaunchBlock(const ClientLaunchFields& fields, unsigned char* block);
// The second update stage's section name, set by the client version check.
void WriteStage1SectionName(const std::string& name, unsigned char* block);

uint32_t ReadLittleEndian32(const unsigned char* bytes);
