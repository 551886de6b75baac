#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The packed form of the launcher's large images: a 14-byte header (filter byte, LZMA
// properties byte, 32-bit dictionary size, 64-bit unpacked size, all little-endian) and a
// raw LZMA stream.
constexpr std::size_t kLzma86HeaderSize = 14;
constexpr unsigned char kLzma86NoFilter = 0;
constexpr unsigned char kLzma86X86Filter = 1;

// Larger claims are treated as an allocation failure: no image of the launcher comes near,
// and a corrupt size field must not make the process ask for gigabytes.
constexpr std::uint64_t kMaxUnpackedSize = 64u * 1024 * 1024;

enum class Lzma86Result {
  Ok,
  TooShort,           // fewer than 14 bytes
  UnsupportedFilter,  // filter byte above 1
  BadProperties,      // properties byte above 224
  TooLarge,           // unpacked size beyond kMaxUnpackedSize
  Truncated,          // the stream ended before the declared size was reached
  Corrupt,            // the decoder rejected the stream, or it ended early with its end marker
};

// Reads the unpacked size; false when the data is shorter than the header.
bool ReadLzma86UnpackedSize(const unsigned char* data, std::size_t size, std::uint64_t& unpackedSize);

// Decodes one packed block into `out` (exactly the declared unpacked size on success,
// emptied on failure). Filter 1 runs the x86 branch filter over the decoded bytes.
Lzma86Result DecodeLzma86(const unsigned char* data, std::size_t size, std::vector<unsigned char>& out);
